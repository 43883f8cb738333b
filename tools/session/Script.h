#pragma once

// How the simulator reads its input: a file the user names (a script, a
// palette), split into lines at CR LF, LF or CR, each line checked to be
// UTF-8; and a command line: words separated by blanks, where a part of a
// word in double quotes may hold blanks (\" and \\ inside stand for " and
// \), as in a shell, and a line whose first non-blank character is '#' is
// a comment.

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Text for a message: control bytes shown as \x1b (NUL as \0, tab as \t),
// bytes that are not UTF-8 as \xe9 and a byte-order mark as U+FEFF, so that
// what a line holds can be seen and a terminal never takes it for a
// command. Line breaks stay.
std::string Printable(const std::string& Text);

// Text with every byte that is no part of well-formed UTF-8 shown as \xNN.
std::string ShowNonUtf8(const std::string& Text);

// A message with each run of more than Longest characters without a blank
// (a 200,000-character argument, a line of JSON) cut to its beginning and
// end, with the number of characters left out between them.
std::string Shortened(const std::string& Text, std::size_t Longest = 160);

// A command or one of its arguments is wrong: the script stops with status
// 2. The message is made printable and cut short as it is made: what() is a
// C string, which a NUL in a quoted word would cut short.
class ECommandError : public std::runtime_error {
 public:
  explicit ECommandError(const std::string& What)
      : std::runtime_error(Printable(Shortened(What))) {}
};

// The whole of a file that the user gave as input. A path that is not a
// regular file (a folder, a FIFO, a device) is refused without opening it
// for long: a FIFO with no writer never blocks the run. Raises
// std::runtime_error with the reason only ("No such file or directory",
// "is a FIFO, not a regular file ..."); the caller names the file.
std::string ReadInputFile(const std::string& Path);

// Lines one at a time from a stream, ended by CR LF, LF or CR; a last line
// without an end counts. A CR ends its line at once, so a line typed into
// a pipe runs without waiting for what follows it.
class TLineSplitter {
 public:
  explicit TLineSplitter(std::istream& In) : FIn(In) {}
  // False at the end of the stream.
  bool Next(std::string& Line);

 private:
  std::istream& FIn;
  bool FAfterCr = false;  // a LF right after a CR belongs to the CR's line end
};

std::vector<std::string> SplitLines(const std::string& Text);

// What a read of a line typed by the user gave: a line, a line the user
// cancelled with Ctrl-C (Line is empty when nothing had been typed), or the
// end of the input (Ctrl-D).
enum class TRead { Line, Cancelled, End };

// Drops a UTF-8 byte order mark at the start of Text.
void DropByteOrderMark(std::string& Text);

// Empty when Text is well-formed UTF-8; otherwise where it is not, as
// "invalid UTF-8 at byte 7 (0xE9)".
std::string Utf8Problem(const std::string& Text);

struct TWord {
  std::string Text;
  bool Quoted = false;  // "#3" in quotes is a caption, not a tab number
};

// The one argument of a command that takes the rest of its line (page
// CAPTION): the rest as it stands, or, when it starts with a quote, the
// quoted word, which must then be all of it. Nothing when it is empty.
std::optional<TWord> WholeArgument(const std::string& Rest);

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
