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

// The hive's own text: Windows-1251 as above, except that a UTF-16 code unit
// the code page has no byte for (and U+0000) is held as a NUL byte followed
// by the unit in four upper-case hexadecimal digits. So a version 5.00 file
// holding such characters keeps them exactly, while every text that
// Windows-1251 can hold stays the very bytes the add-in reads and writes.
// Names never hold a NUL of their own, so the NUL always starts such a unit.
std::string Utf16LEToHiveText(const std::string& Bytes);  // an even number of bytes
std::string HiveTextToUtf16LE(const std::string& Text);
// What Windows' 8-bit (ANSI) registry calls give for the text: '?' for a
// character with no Windows-1251 byte, NUL for U+0000.
std::string HiveTextToAnsi(const std::string& Text);
// Whether the text holds a character with no Windows-1251 byte.
bool HiveTextIsWide(const std::string& Text);
// The length in UTF-16 code units, as Windows counts a name's characters.
std::size_t HiveTextLength(const std::string& Text);
std::string HiveTextToUtf8(const std::string& Text);
