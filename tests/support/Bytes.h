#pragma once

// A file's bytes, read and written whole, as the tests compare them.

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& Path, const std::string& Text) {
  std::ofstream(Path, std::ios::binary) << Text;
}
