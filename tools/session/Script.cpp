#include "Script.h"

#include <algorithm>
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

namespace {

// The length of the UTF-8 character at Text[i], or 0 when the bytes there
// are no well-formed one: overlong forms, surrogates and code points beyond
// U+10FFFF are not.
std::size_t Utf8Length(const std::string& Text, std::size_t i) {
  const auto Byte = [&Text](std::size_t k) { return static_cast<unsigned char>(Text[k]); };
  const unsigned char Lead = Byte(i);
  // The continuation bytes a lead byte needs, and the range the first of
  // them must fall in.
  std::size_t More = 0;
  unsigned char Low = 0x80, High = 0xBF;
  if (Lead < 0x80) {
    return 1;
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
  } else {
    return 0;
  }
  for (std::size_t k = 1; k <= More; ++k) {
    if (i + k >= Text.size())
      return 0;
    const unsigned char B = Byte(i + k);
    if (B < (k == 1 ? Low : 0x80) || B > (k == 1 ? High : 0xBF))
      return 0;
  }
  return More + 1;
}

constexpr char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& S, unsigned char B) {
  S += "\\x";
  S += kHex[B >> 4];
  S += kHex[B & 15];
}

}  // namespace

std::string Utf8Problem(const std::string& Text) {
  for (std::size_t i = 0; i < Text.size();) {
    if (const std::size_t N = Utf8Length(Text, i); N > 0) {
      i += N;
      continue;
    }
    // The byte that starts the broken sequence: in a Latin-1 or
    // Windows-1251 text, the letter that is not UTF-8.
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "0x%02X", static_cast<unsigned char>(Text[i]));
    return "invalid UTF-8 at byte " + std::to_string(i + 1) + " (" + Hex + ")";
  }
  return "";
}

std::string ShowNonUtf8(const std::string& Text) {
  std::string S;
  for (std::size_t i = 0; i < Text.size();) {
    if (const std::size_t N = Utf8Length(Text, i); N > 0) {
      S.append(Text, i, N);
      i += N;
    } else {
      AppendHexByte(S, static_cast<unsigned char>(Text[i++]));
    }
  }
  return S;
}

std::string Shortened(const std::string& Text, std::size_t Longest) {
  std::string S;
  for (std::size_t i = 0; i < Text.size();) {
    const std::size_t End = std::min(Text.find_first_of(" \n", i), Text.size());
    if (End == i) {
      S += Text[i++];
      continue;
    }
    const std::string Run = Text.substr(i, End - i);
    i = End;
    // Cut by characters, not bytes: a cut never splits one.
    std::vector<std::size_t> Starts;
    for (std::size_t k = 0; k < Run.size(); ++k)
      if ((static_cast<unsigned char>(Run[k]) & 0xC0) != 0x80)
        Starts.push_back(k);
    if (Starts.size() <= Longest) {
      S += Run;
      continue;
    }
    const std::size_t Head = Longest / 2, Tail = Longest / 4;
    const std::size_t Left = Starts.size() - Head - Tail;
    S += Run.substr(0, Starts[Head]) + "...(" + std::to_string(Left) + " characters left out)..." +
         Run.substr(Starts[Starts.size() - Tail]);
  }
  return S;
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
  // A word is quoted and unquoted parts side by side up to a blank, as a
  // shell reads it: "My Page"=TMyButton is the word My Page=TMyButton.
  while (FPos < FLine.size() && !IsBlank(FLine[FPos])) {
    if (FLine[FPos] != '"') {
      W.Text += FLine[FPos++];
      continue;
    }
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
  }
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

std::optional<TWord> WholeArgument(const std::string& Rest) {
  TLineLexer Lexer(Rest);
  if (Lexer.AtEnd())
    return std::nullopt;
  if (Rest.find_first_not_of(" \t") != Rest.find('"'))
    return TWord{Lexer.Rest(), false};
  TWord W = Lexer.Next();
  if (!Lexer.AtEnd())
    throw ECommandError("a caption in quotes is the whole argument; nothing may follow it");
  return W;
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
  std::string S;
  for (std::size_t i = 0; i < Text.size();) {
    const auto B = static_cast<unsigned char>(Text[i]);
    const std::size_t N = Utf8Length(Text, i);
    if (Text.compare(i, 3, "\xEF\xBB\xBF") == 0) {
      S += "U+FEFF";
    } else if (N == 0) {
      AppendHexByte(S, B);
    } else if (B == 0) {
      S += "\\0";
    } else if (B == '\t') {
      S += "\\t";
    } else if ((B < 0x20 && B != '\n') || B == 0x7F) {
      AppendHexByte(S, B);
    } else {
      S.append(Text, i, N);
    }
    i += N == 0 ? 1 : N;
  }
  return S;
}
