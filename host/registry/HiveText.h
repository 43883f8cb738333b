#pragma once

// The text forms of a hive that Windows' regedit imports and exports:
// REGEDIT4 in Windows-1251, and "Windows Registry Editor Version 5.00" in
// UTF-16LE with a byte-order mark, the form regedit exports by default.
//
// Written form, chosen to match what regedit users know and to be
// deterministic (the same hive always gives the same bytes):
//   - the header line, a blank line, then one block per key, each block
//     being the key line, its values and a blank line; CR LF endings;
//   - keys depth first, parents before children, siblings in case-insensitive
//     name order (the order regedit shows and exports them in); the root
//     [HKEY_CURRENT_USER] block only when the root itself holds values;
//   - values in the order they were first set, the unnamed value as @;
//   - REG_SZ holding no NUL as "text" with \ and " escaped and every other
//     byte raw (0x1F too, as regedit writes it), CR and LF as \r and \n in
//     a 5.00 file; in a REGEDIT4 file a REG_SZ holding CR or LF, and any
//     REG_SZ holding NUL, as hex(1):, REG_DWORD of four bytes as dword:%08x, REG_BINARY as hex:,
//     every other type as hex(N):, byte lists wrapped before column 80 with
//     "\" and a two-blank indent.
//   - In a 5.00 file the string types (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
//     written as hex hold UTF-16LE, as the registry stores them there.
//
// Read form: the same, plus CR or LF line endings, ";" and "#" comments and
// blank lines anywhere, [-key] lines (delete the key and all below it),
// "name"=- (delete the value), dword: with blanks and 1 to 8 hex digits,
// the escapes \n and \r in quoted text, blank lines and ; comments between
// a hex continuation line and the next (a # line there drops the value, as
// regedit drops it), and text after a key line's last ] (ignored, as regedit
// ignores it); each of those that regedit reads with a message draws a
// warning here. Inside, text is hive text (see CodePage.h) in both forms: Windows-1251 where the
// code page can hold it, so a 5.00 file holding characters the code page has no byte for loads and
// writes back unchanged, while the add-in's 8-bit calls read '?' for them.
// A value name holding NUL, and keys more than HiveMaxDepth levels deep, are
// refused.
//
// Nothing here recurses, so no file can exhaust the stack.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "HiveKey.h"

// The name of the one root a hive holds.
extern const char* const HiveRootName;
// The first lines of the two forms.
extern const char* const HiveHeader4;
extern const char* const HiveHeader5;

enum class HiveFormat {
  Regedit4,  // REGEDIT4, Windows-1251
  Regedit5,  // Windows Registry Editor Version 5.00, UTF-16LE with a BOM
};

// Applies a file's bytes to Root (a file is read into an empty root) and
// tells which form they were in: UTF-16LE with its byte-order mark is 5.00,
// anything else must be REGEDIT4. Raises ERegistryException
// "<FileName>:<line>: <reason>" on the first line that cannot be read; Root
// may then hold part of the text. An empty text is an empty REGEDIT4 hive,
// since it holds nothing that could be lost.
// What regedit reads with a message and goes on (a dword it cannot read
// is skipped, a backslash before an ordinary character dropped) is read
// the same way, with a "<FileName>:<line>: <reason>" in Warnings when given.
// Reading holds the bytes and the tree and little else; a text whose tree
// would take more than HiveMaxTreeSize is refused at the line where it
// would (see HiveReader.cpp for what a key and a value are counted as).
HiveFormat ParseHiveText(std::string_view Bytes, const std::string& FileName, HiveKey& Root,
                         std::vector<std::string>* Warnings = nullptr);
constexpr std::size_t HiveMaxTreeSize = std::size_t{640} << 20;

// Why a file of Format cannot start with a line that is (without blanks
// around it) the one header (Is4), the other (Is5) or neither; "" when it
// can.
std::string HiveHeaderProblem(bool Is4, bool Is5, HiveFormat Format);

// Raises the ERegistryException that ParseHiveText would raise for the
// header of a file whose first bytes are Head (all of it when Whole), so
// that a file that is not a hive can be refused before it is read whole.
void CheckHiveHead(const std::string& Head, bool Whole, const std::string& FileName);

// A REGEDIT4 text of a hive holding a character that Windows-1251 has no
// byte for raises EHiveNeedsUnicode naming the key and value; with Strict
// false it holds hive text instead, for showing.
std::string FormatHiveText(const HiveKey& Root, HiveFormat Format = HiveFormat::Regedit4,
                           bool Strict = true);

// A hive's REGEDIT4 text for people: Windows-1251 converted to UTF-8, LF
// line ends, and control bytes (0x1F, tab, ...) shown as \x1f so they can
// be seen.
std::string HiveDisplayText(const std::string& Raw);

// A message of the registry (a report, an exception's text) as UTF-8 for the
// user: the path in it as the system gave it (a UTF-8 sequence is kept as it
// is), the rest converted as hive text.
std::string HiveReportToUtf8(const std::string& Message);
