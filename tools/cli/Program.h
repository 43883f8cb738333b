#pragma once

// The whole of tabulon-ide behind main(): options, sources of commands, the
// prompt, the exit status. The streams and the terminal test come in, so
// that tests run it in-process.

#include <iosfwd>
#include <string>
#include <vector>

#include "ExitStatus.h"

// Args without the program name. InIsTerminal: a user types into In, so
// without commands a prompt follows. LineEditing: In and Out are the
// process's own terminal, read through libedit.
int TabulonIdeMain(const std::vector<std::string>& Args, std::istream& In, std::ostream& Out,
                   std::ostream& Err, bool InIsTerminal, bool LineEditing = false);
