#pragma once

// The add-in's registry key: the host's own registry root under the current
// user, then the add-in's sub-key. Both are set when the unit is loaded and
// cleared when it is unloaded.

#include <string>

extern std::string Const_sKeyNameDelphi;
extern std::string Const_sKeyNameORVExpert;
