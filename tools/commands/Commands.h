#pragma once

// The table of tabulon-ide's commands: every command a script, -e or the
// prompt may give, in the order --help lists them within each kind.

#include <string>
#include <vector>

#include "Command.h"

const std::vector<TCommand>& Commands();
const TCommand* FindCommand(const std::string& Name);
