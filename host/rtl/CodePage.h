#pragma once

// Conversion between the Windows-1251 text that the host keeps inside and the
// UTF-8 that the simulator reads and prints. Only the edges use these.

#include <string>

std::string Win1251ToUtf8(const std::string& Text);

// Characters that Windows-1251 cannot hold, and malformed UTF-8 bytes, become
// '?', so the result always has one byte per character the user meant.
std::string Utf8ToWin1251(const std::string& Text);
