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

void TWrappingStreamBuf::SetVerbatim(bool On) {
  // What came before is shown first, as it is.
  if (On && !FLine.empty()) {
    FTarget << FLine;
    FLine.clear();
  }
  FVerbatim = On;
}

TWrappingStreamBuf::int_type TWrappingStreamBuf::overflow(int_type Ch) {
  if (traits_type::eq_int_type(Ch, traits_type::eof()))
    return traits_type::not_eof(Ch);
  const char C = traits_type::to_char_type(Ch);
  if (FVerbatim) {
    FTarget.put(C);
  } else if (C == '\n') {
    FTarget << WrapMessage(FLine, FWidth);
    FLine.clear();
  } else {
    FLine += C;
  }
  return Ch;
}

int TWrappingStreamBuf::sync() {
  // A part line waits for its end: it is wrapped as a whole.
  FTarget.flush();
  return 0;
}
