#include "WrappingStreamBuf.h"

#include "Terminal.h"

TWrappingStreamBuf::TWrappingStreamBuf(std::ostream& Target, std::size_t Width)
    : FTarget(Target), FWidth(Width) {}

TWrappingStreamBuf::~TWrappingStreamBuf() {
  // A last line without its line end is still shown.
  if (!FLine.empty())
    FTarget << FLine;
  FTarget.flush();
}

TWrappingStreamBuf::int_type TWrappingStreamBuf::overflow(int_type Ch) {
  if (traits_type::eq_int_type(Ch, traits_type::eof()))
    return traits_type::not_eof(Ch);
  if (traits_type::to_char_type(Ch) == '\n') {
    FTarget << WrapMessage(FLine, FWidth);
    FLine.clear();
  } else {
    FLine += traits_type::to_char_type(Ch);
  }
  return Ch;
}

int TWrappingStreamBuf::sync() {
  // A part line waits for its end: it is wrapped as a whole.
  FTarget.flush();
  return 0;
}
