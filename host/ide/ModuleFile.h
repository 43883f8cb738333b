#pragma once

// A module file read only where asked, for the readers of its imports.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

// The module file, read only where asked: a package module is megabytes of
// code, and its needed libraries are named in a few hundred bytes of it.
// Every read is cut at the file's end.
class TModuleFile {
 public:
  explicit TModuleFile(const std::string& Path) : FFile(Path, std::ios::binary) {
    FFile.seekg(0, std::ios::end);
    const std::streamoff End = FFile.tellg();
    FSize = FFile && End > 0 ? static_cast<std::uint64_t>(End) : 0;
  }

  // Up to Count bytes from Offset; fewer where the file ends before.
  std::string Read(std::uint64_t Offset, std::uint64_t Count) {
    if (Offset >= FSize)
      return {};
    std::string Bytes(static_cast<std::size_t>(std::min(Count, FSize - Offset)), '\0');
    FFile.clear();
    FFile.seekg(static_cast<std::streamoff>(Offset));
    FFile.read(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    Bytes.resize(static_cast<std::size_t>(FFile.gcount()));
    return Bytes;
  }

  // A copy of the T at Offset; false when it does not fit in the file.
  template <typename T>
  bool ReadAt(std::uint64_t Offset, T& Out) {
    const std::string Bytes = Read(Offset, sizeof(T));
    if (Bytes.size() != sizeof(T))
      return false;
    std::memcpy(&Out, Bytes.data(), sizeof(T));
    return true;
  }

  // The NUL-terminated string at Offset, cut at Limit bytes.
  std::string ReadString(std::uint64_t Offset, std::uint64_t Limit) {
    std::string Text;
    while (Text.size() < Limit) {
      const std::string Bytes =
          Read(Offset + Text.size(), std::min<std::uint64_t>(256, Limit - Text.size()));
      const std::size_t End = Bytes.find('\0');
      Text.append(Bytes, 0, End);
      if (End != std::string::npos || Bytes.empty())
        break;
    }
    return Text;
  }

  std::uint64_t Size() const { return FSize; }

 private:
  std::ifstream FFile;
  std::uint64_t FSize = 0;
};
