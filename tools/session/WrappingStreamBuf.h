#pragma once

// Text on a terminal: what is written through this buffer goes to the
// target one whole line at a time, each line wrapped to a width at its
// blanks, as help and render are. Only for a terminal: a log or a pipe
// keeps each message on one line, for tools that read FILE:LINE.

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>

class TWrappingStreamBuf : public std::streambuf {
 public:
  TWrappingStreamBuf(std::ostream& Target, std::size_t Width);
  ~TWrappingStreamBuf() override;
  TWrappingStreamBuf(const TWrappingStreamBuf&) = delete;
  TWrappingStreamBuf& operator=(const TWrappingStreamBuf&) = delete;

  // While on, text goes to the target as it is: data that a wrap would
  // break (TUtf8Stream::Verbatim sets it).
  void SetVerbatim(bool On);

 protected:
  int_type overflow(int_type Ch) override;
  int sync() override;

 private:
  std::ostream& FTarget;
  std::size_t FWidth;
  std::string FLine;
  bool FVerbatim = false;
};
