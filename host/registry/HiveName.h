#pragma once

// Key and value names compare as Windows' registry compares them: without
// regard to case for every letter it pairs, in any script (Σ and σ are one
// name, as are Ђ and ђ), and they keep the case they were written in. Names
// are hive text (see CodePage.h), so a character Windows-1251 has no byte
// for compares by its UTF-16 unit like any other.
//
// The order is the one regedit shows and exports siblings in for the
// Windows-1251 letters (AnsiCompareText's); characters that Windows-1251
// has no byte for come before them, by their upper-case unit.

#include <cstddef>
#include <string>

// The unit Windows' registry compares a UTF-16 code unit as: its capital
// where Unicode pairs it with one (make-upcase.py says which), else itself.
char16_t HiveUpcase(char16_t Unit);

struct HiveNameLess {
  bool operator()(const std::string& A, const std::string& B) const;
};
struct HiveNameHash {
  std::size_t operator()(const std::string& Name) const;
};
struct HiveNameEqual {
  bool operator()(const std::string& A, const std::string& B) const;
};
