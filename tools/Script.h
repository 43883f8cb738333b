#pragma once

// How the simulator reads a command line: words separated by blanks, a word
// in double quotes may hold blanks (\" and \\ inside stand for " and \), and
// a line whose first non-blank character is '#' is a comment.

#include <stdexcept>
#include <string>
#include <vector>

// A command or one of its arguments is wrong: the script stops with status 2.
class ECommandError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct TWord {
  std::string Text;
  bool Quoted = false;  // "#3" in quotes is a caption, not a tab number
};

class TLineLexer {
 public:
  explicit TLineLexer(std::string Line) : FLine(std::move(Line)) {}
  bool AtEnd();
  // The next word; raises ECommandError for an unterminated quote.
  TWord Next();
  // Everything after the words read so far, without the blanks around it.
  std::string Rest();

 private:
  void SkipBlanks();
  std::string FLine;
  std::size_t FPos = 0;
};

bool IsBlankOrComment(const std::string& Line);
