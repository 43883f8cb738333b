// libFuzzer target for how tabulon-ide reads a script: whatever bytes a
// script file holds, splitting it into lines, checking them for UTF-8 and
// reading their words must end, without a crash or a sanitizer report, and
// agree with what each promises. A broken promise aborts, as a finding.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Script.h"

namespace {

void Finding(const char* What) {
  std::fprintf(stderr, "%s\n", What);
  std::abort();
}

// The text with every line end (CR LF, CR, LF) made a LF.
std::string WithLfEnds(const std::string& Text) {
  std::string S;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '\r') {
      S += Text[i];
      continue;
    }
    S += '\n';
    if (i + 1 < Text.size() && Text[i + 1] == '\n')
      ++i;
  }
  return S;
}

std::string Quote(const std::string& Text) {
  std::string Q = "\"";
  for (char C : Text) {
    if (C == '"' || C == '\\')
      Q += '\\';
    Q += C;
  }
  return Q + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);

  // The lines, joined by LF, are the text with its line ends made LF, less
  // a last one: no line end is lost, none is made up, none stays in a line.
  const std::vector<std::string> Lines = SplitLines(Text);
  std::string Joined;
  for (const std::string& Line : Lines) {
    if (Line.find_first_of("\r\n") != std::string::npos)
      Finding("a line holds a line end");
    Joined += Line + "\n";
  }
  std::string Expected = WithLfEnds(Text);
  if (!Expected.empty() && Expected.back() != '\n')
    Expected += '\n';
  if (Joined != Expected)
    Finding("the lines are not the text");

  // A problem names the first byte that breaks UTF-8: all before it is
  // well-formed, and it names that byte.
  if (const std::string Problem = Utf8Problem(Text); !Problem.empty()) {
    const std::size_t At = std::strtoul(Problem.c_str() + Problem.find("byte ") + 5, nullptr, 10);
    if (At == 0 || At > Text.size() || !Utf8Problem(Text.substr(0, At - 1)).empty())
      Finding("the invalid UTF-8 is not where the message says");
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "(0x%02X)",
                  static_cast<unsigned>(static_cast<unsigned char>(Text[At - 1])));
    if (Problem.find(Hex) == std::string::npos)
      Finding("the message names another byte");
  }

  // Every word of every line reads; an unquoted word is not empty and holds
  // no blank, and a quoted one, quoted again, reads back the same.
  for (const std::string& Line : Lines) {
    TLineLexer Lexer(Line);
    try {
      while (!Lexer.AtEnd()) {
        const TWord W = Lexer.Next();
        if (!W.Quoted && (W.Text.empty() || W.Text.find_first_of(" \t") != std::string::npos))
          Finding("an unquoted word is empty or holds a blank");
        if (W.Quoted) {
          TLineLexer Again(Quote(W.Text));
          const TWord Back = Again.Next();
          if (!Back.Quoted || Back.Text != W.Text || !Again.AtEnd())
            Finding("a quoted word does not read back");
        }
      }
    } catch (const ECommandError&) {
      // An unterminated quote.
    }
  }

  // What a message shows of any text is UTF-8, whatever the text held, and
  // a message cut short stays UTF-8 where the text was.
  if (!Utf8Problem(Printable(Text)).empty() || !Utf8Problem(ShowNonUtf8(Text)).empty())
    Finding("a message shows bytes that are not UTF-8");
  if (Utf8Problem(Text).empty() && !Utf8Problem(Shortened(Text, 8)).empty())
    Finding("a cut splits a character");
  return 0;
}
