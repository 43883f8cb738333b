#include <iostream>
#include <optional>

#include "Program.h"
#include "Terminal.h"
#include "WrappingStreamBuf.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  UseUtf8StandardStreams();
  const std::vector<std::string> Args(argv + 1, argv + argc);
  const bool Terminal = IsTerminal(0);
  // What goes to a terminal wraps to its width at blanks; in a log or a
  // pipe each line stays whole.
  std::optional<TWrappingStreamBuf> OutWrap, ErrWrap;
  std::ostream Out(std::cout.rdbuf()), Err(std::cerr.rdbuf());
  // Messages go out at once, as std::cerr's do.
  Err.setf(std::ios::unitbuf);
  if (IsTerminal(1))
    Out.rdbuf(&OutWrap.emplace(std::cout, TerminalWidth(1)));
  if (IsTerminal(2))
    Err.rdbuf(&ErrWrap.emplace(std::cerr, TerminalWidth(2)));
  // Line editing needs the terminal on both sides: it draws what it edits.
  return TabulonIdeMain(Args, std::cin, Out, Err, Terminal, Terminal && IsTerminal(1));
}
