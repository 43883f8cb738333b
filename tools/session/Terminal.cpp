#include "Terminal.h"

#include <algorithm>
#include <sstream>

std::size_t Columns(const std::string& Utf8) {
  std::size_t N = 0;
  for (char Ch : Utf8)
    N += (static_cast<unsigned char>(Ch) & 0xC0) != 0x80;
  return N;
}

// Text broken at blanks into lines of at most Width columns after Indent
// (a word longer than that stands alone); the first line starts at column
// First.
std::string Wrap(const std::string& Text, std::size_t Indent, std::size_t Width,
                 std::size_t First) {
  std::string S, Line;
  std::istringstream Words(Text);
  std::string Word;
  std::size_t Lead = First == std::string::npos ? Indent : First;
  while (Words >> Word) {
    if (!Line.empty() && Lead + Columns(Line) + 1 + Columns(Word) > Width) {
      S += std::string(Lead, ' ') + Line + "\n";
      Line.clear();
      Lead = Indent;
    }
    Line += (Line.empty() ? "" : " ") + Word;
  }
  if (!Line.empty())
    S += std::string(Lead, ' ') + Line + "\n";
  return S;
}

std::string Paragraph(const std::string& Text, std::size_t Indent) {
  return Wrap(Text, Indent, TerminalWidth());
}

std::string WrapMessage(const std::string& Line, std::size_t Width) {
  // A line that fits keeps its blanks as they are (the indented lines of
  // an expect's differences). One that does not keeps its indent, and its
  // later lines go two further in.
  if (Columns(Line) <= Width)
    return Line + "\n";
  const std::size_t Indent = std::min(Line.find_first_not_of(' '), Line.size());
  return Wrap(Line, Indent + 2, Width, Indent);
}
