#pragma once

// Text laid out for a terminal: its width, and help and messages wrapped to
// it. The width and the standard streams are what ask the system (posix/
// and win32/ each define IsTerminal, TerminalWidth and
// UseUtf8StandardStreams).

#include <cstddef>
#include <string>

// Columns a UTF-8 text takes in a terminal: one a character.
std::size_t Columns(const std::string& Utf8);

// Whether standard input (Fd 0), output (1) or error (2) is a terminal a
// user types into or reads. On Windows that is a console: the C library's
// isatty takes any character device for one, the NUL device included, so
// input redirected from NUL would be taken for a user at the keyboard.
bool IsTerminal(int Fd);

// The width to wrap help and messages to: the terminal's (Fd 1 is standard
// output, 2 standard error), else COLUMNS, else 80; never under 40.
std::size_t TerminalWidth(int Fd = 1);

// Makes the process's standard output and error take the program's UTF-8
// whatever they are. On Windows a console is written in UTF-16
// (WriteConsoleW), so that Cyrillic comes out right in any code page, and a
// pipe or a file gets the UTF-8 bytes; POSIX systems need nothing. Called
// once, at the start of main.
void UseUtf8StandardStreams();

// Text broken at blanks into lines of at most Width columns, the first
// starting at column First (Indent by default) and the others at Indent.
std::string Wrap(const std::string& Text, std::size_t Indent, std::size_t Width,
                 std::size_t First = std::string::npos);

// A paragraph of prose (its line breaks taken for blanks) wrapped to the
// terminal's width, each line indented by Indent.
std::string Paragraph(const std::string& Text, std::size_t Indent = 0);

// One line of a message (without its line end) as it is shown: unchanged
// when it fits in Width columns, else wrapped at its blanks, the later lines
// indented two beyond the first; each line ends with a line end.
std::string WrapMessage(const std::string& Line, std::size_t Width);
