#pragma once

// Conversion between the Windows-1251 text that the host keeps inside and the
// UTF-8 that the simulator reads and prints. Only the edges use these.

#include <string>

std::string Win1251ToUtf8(const std::string& Text);

// The Unicode character of one Windows-1251 byte. 0x98, unassigned in the
// code page, stands for the C1 control U+0098 so that every byte survives a
// round trip through Unicode.
char32_t Win1251ToUnicode(unsigned char Byte);
// The Windows-1251 byte of a Unicode character, or -1 when the code page has
// none for it.
int UnicodeToWin1251(char32_t Char);

// Characters that Windows-1251 cannot hold, and malformed UTF-8 bytes, become
// '?', so the result always has one byte per character the user meant.
std::string Utf8ToWin1251(const std::string& Text);

// UTF-16LE (without a byte-order mark) and Windows-1251, one code unit per
// byte: regedit's version 5.00 files and the registry's own strings.
std::string Win1251ToUtf16LE(const std::string& Text);
// Converts Bytes (an even number) up to the first character Windows-1251
// cannot hold. Returns false there, with Out holding the text before it and
// Refused its code point (a surrogate pair as one character, a lone
// surrogate as itself).
bool Utf16LEToWin1251(const std::string& Bytes, std::string& Out, char32_t& Refused);
