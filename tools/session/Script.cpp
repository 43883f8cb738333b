#include "Script.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <sstream>
#include <utility>

namespace {
bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}
}  // namespace

bool TLineSplitter::Next(std::string& Line) {
  Line.clear();
  for (;;) {
    const int C = FIn.get();
    if (C == std::char_traits<char>::eof()) {
      FAfterCr = false;
      return !Line.empty();
    }
    if (std::exchange(FAfterCr, false) && C == '\n')
      continue;
    if (C == '\n')
      return true;
    if (C == '\r') {
      FAfterCr = true;
      return true;
    }
    Line += static_cast<char>(C);
  }
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::istringstream In(Text);
  TLineSplitter Splitter(In);
  std::vector<std::string> Lines;
  for (std::string Line; Splitter.Next(Line);)
    Lines.push_back(Line);
  return Lines;
}

void DropByteOrderMark(std::string& Text) {
  if (Text.compare(0, 3, "\xEF\xBB\xBF") == 0)
    Text.erase(0, 3);
}

std::string Utf8Problem(const std::string& Text) {
  const auto Byte = [&Text](std::size_t i) { return static_cast<unsigned char>(Text[i]); };
  for (std::size_t i = 0; i < Text.size();) {
    const unsigned char Lead = Byte(i);
    // The continuation bytes a lead byte needs, and the range the first of
    // them must fall in (which rules out overlong forms, surrogates and
    // code points beyond U+10FFFF).
    std::size_t More = 0;
    unsigned char Low = 0x80, High = 0xBF;
    if (Lead < 0x80) {
      ++i;
      continue;
    } else if (Lead >= 0xC2 && Lead <= 0xDF) {
      More = 1;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
      More = 2;
      Low = Lead == 0xE0 ? 0xA0 : 0x80;
      High = Lead == 0xED ? 0x9F : 0xBF;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
      More = 3;
      Low = Lead == 0xF0 ? 0x90 : 0x80;
      High = Lead == 0xF4 ? 0x8F : 0xBF;
    }
    std::size_t k = 1;
    for (; More > 0 && k <= More && i + k < Text.size(); ++k) {
      const unsigned char B = Byte(i + k);
      if (B < (k == 1 ? Low : 0x80) || B > (k == 1 ? High : 0xBF))
        break;
    }
    if (More > 0 && k > More) {
      i += More + 1;
      continue;
    }
    // The byte that starts the broken sequence: in a Latin-1 or
    // Windows-1251 text, the letter that is not UTF-8.
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "0x%02X", Lead);
    return "invalid UTF-8 at byte " + std::to_string(i + 1) + " (" + Hex + ")";
  }
  return "";
}

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

std::string Printable(const std::string& Text) {
  static const char kHex[] = "0123456789abcdef";
  std::string S;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const auto B = static_cast<unsigned char>(Text[i]);
    if (Text.compare(i, 3, "\xEF\xBB\xBF") == 0) {
      S += "U+FEFF";
      i += 2;
    } else if (B == 0) {
      S += "\\0";
    } else if (B == '\t') {
      S += "\\t";
    } else if ((B < 0x20 && B != '\n') || B == 0x7F) {
      S += "\\x";
      S += kHex[B >> 4];
      S += kHex[B & 15];
    } else {
      S += Text[i];
    }
  }
  return S;
}
