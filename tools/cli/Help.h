#pragma once

// What tabulon-ide tells about itself: --help and --version, written from the
// option table and the command tables, wrapped as the terminal's width asks.

#include <string>

#include "Terminal.h"

// --help: usage, the options, the commands by kind, expect, dialog blocks,
// the exit statuses.
std::string HelpText();

// --version: "tabulon-ide 1.1.0" and the host builds installed beside this
// program.
std::string VersionText();

// The manual page tabulon-ide(1) in roff, written from the same tables as
// --help; the build writes it and installs it under share/man/man1.
std::string ManPage();
