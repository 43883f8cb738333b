#pragma once

// The REGEDIT4 text form of a hive, as Windows' regedit imports and exports it.
//
// Written form, chosen to match what regedit users know and to be
// deterministic (the same hive always gives the same bytes):
//   - the header line REGEDIT4, a blank line, then one block per key, each
//     block being the key line, its values and a blank line; CR LF endings;
//   - keys depth first, parents before children, siblings in case-insensitive
//     name order (the order regedit shows and exports them in); the root
//     [HKEY_CURRENT_USER] block only when the root itself holds values;
//   - values in the order they were first set, the unnamed value as @;
//   - REG_SZ holding no CR, LF or NUL as "text" with \ and " escaped and every
//     other byte raw; any other REG_SZ as hex(1):, REG_DWORD of four bytes as
//     dword:%08x, REG_BINARY as hex:, every other type as hex(N):, byte lists
//     wrapped before column 80 with "\" and a two-blank indent.
//
// Read form: the same, plus CR or LF line endings, ";" comments and blank
// lines anywhere, [-key] lines (delete the key and all below it), "name"=-
// (delete the value), dword: with 1 to 8 hex digits, and blank or comment
// lines between a hex continuation line and the next.

#include <string>

#include "HiveKey.h"

// The name of the one root a hive holds.
extern const char* const HiveRootName;

// Applies the text to Root (a file is read into an empty root). Raises
// ERegistryException "<FileName>, line <n>: <reason>" on the first line that
// is not REGEDIT4; Root may then hold part of the text. An empty text is an
// empty hive, since it holds nothing that could be lost.
void ParseHiveText(const std::string& Text, const std::string& FileName, HiveKey& Root);

std::string FormatHiveText(const HiveKey& Root);
