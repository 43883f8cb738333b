#pragma once

// The settings dialog's unit. It also provides the name filter that group
// names pass through, both when a user types them and when the group order is
// read back from the registry.

#include <string>

// Keeps exactly the bytes CR, LF, 0x1F and the Windows-1251 letters 0xC0 to
// 0xFF (А to я); drops everything else, Ё and ё included.
std::string RusToRus(const std::string& S);
