#pragma once

// The bytes of a file as regedit 5.00 writes it: a byte-order mark, then
// the text in UTF-16LE. Written out here, independently of the code under
// test, so that a test states what regedit would read.

#include <string>

inline std::string Utf16File(const std::u16string& Text) {
  std::string Bytes = "\xff\xfe";
  for (char16_t C : Text) {
    Bytes += static_cast<char>(C & 0xFF);
    Bytes += static_cast<char>(C >> 8);
  }
  return Bytes;
}
