#include "Script.h"

namespace {
bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}
}  // namespace

void TLineLexer::SkipBlanks() {
  while (FPos < FLine.size() && IsBlank(FLine[FPos]))
    ++FPos;
}

bool TLineLexer::AtEnd() {
  SkipBlanks();
  return FPos >= FLine.size();
}

TWord TLineLexer::Next() {
  SkipBlanks();
  TWord W;
  if (FPos < FLine.size() && FLine[FPos] == '"') {
    W.Quoted = true;
    ++FPos;
    for (;;) {
      if (FPos >= FLine.size())
        throw ECommandError("unterminated quoted argument");
      const char C = FLine[FPos++];
      if (C == '"')
        break;
      if (C == '\\' && FPos < FLine.size() && (FLine[FPos] == '"' || FLine[FPos] == '\\'))
        W.Text += FLine[FPos++];
      else
        W.Text += C;
    }
    if (FPos < FLine.size() && !IsBlank(FLine[FPos]))
      throw ECommandError("a blank must follow a quoted argument");
    return W;
  }
  while (FPos < FLine.size() && !IsBlank(FLine[FPos]))
    W.Text += FLine[FPos++];
  return W;
}

std::string TLineLexer::Rest() {
  SkipBlanks();
  std::string R = FLine.substr(FPos);
  while (!R.empty() && IsBlank(R.back()))
    R.pop_back();
  FPos = FLine.size();
  return R;
}

bool IsBlankOrComment(const std::string& Line) {
  for (char C : Line) {
    if (IsBlank(C))
      continue;
    return C == '#';
  }
  return true;
}
