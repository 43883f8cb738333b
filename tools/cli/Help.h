#pragma once

// What tabulon-ide tells about itself: --help and --version, written from the
// option table and the command tables, and the prompt's help.

#include <cstddef>
#include <string>

// The width to wrap help and messages to: the terminal's (Fd 1 is standard
// output, 2 standard error), else COLUMNS, else 80; never under 40.
std::size_t TerminalWidth(int Fd = 1);

// Text broken at blanks into lines of at most Width columns, the first
// starting at column First (Indent by default) and the others at Indent.
std::string Wrap(const std::string& Text, std::size_t Indent, std::size_t Width,
                 std::size_t First = std::string::npos);

// One line of a message (without its line end) as it is shown: unchanged
// when it fits in Width columns, else wrapped with the later lines indented
// by two; each line ends with a line end.
std::string WrapMessage(const std::string& Line, std::size_t Width);

// The commands grouped by kind, each "  SYNOPSIS" and its one line below;
// the dialog block's own commands follow `dialog ... end`.
std::string CommandList();

// What the prompt's `help` adds below the list: where to find more.
std::string PromptHelpFooter();

// `help TOPIC`: "dialog" gives the block's commands and the controls of the
// dialog that opened last (LastControls; how to see them when no dialog has
// opened yet); a command's name gives that command. Raises ECommandError
// for anything else.
std::string HelpTopic(const std::string& Topic, const std::string& LastControls);

// --help: usage, the options, the commands by kind, expect, dialog blocks,
// the exit statuses.
std::string HelpText();

// --version: "tabulon-ide 1.1.0" and the host builds installed beside this
// program.
std::string VersionText();

// The manual page tabulon-ide(1) in roff, written from the same tables as
// --help; the build writes it and installs it under share/man/man1.
std::string ManPage();
