#include "ModuleDependencies.h"

#include <elf.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

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

bool IsNativeElf64(const Elf64_Ehdr& Header) {
  const unsigned char NativeData =
      std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;
  return std::memcmp(Header.e_ident, ELFMAG, SELFMAG) == 0 &&
         Header.e_ident[EI_CLASS] == ELFCLASS64 && Header.e_ident[EI_DATA] == NativeData &&
         Header.e_shentsize == sizeof(Elf64_Shdr);
}

}  // namespace

std::vector<std::string> NeededLibraries(const std::string& Path) {
  TModuleFile File(Path);
  std::vector<std::string> Needed;
  Elf64_Ehdr Header;
  if (!File.ReadAt(0, Header) || !IsNativeElf64(Header))
    return Needed;
  for (unsigned i = 0; i < Header.e_shnum; ++i) {
    Elf64_Shdr Dynamic, Strings;
    if (!File.ReadAt(Header.e_shoff + std::uint64_t{i} * sizeof(Elf64_Shdr), Dynamic))
      break;
    if (Dynamic.sh_type != SHT_DYNAMIC ||
        !File.ReadAt(Header.e_shoff + std::uint64_t{Dynamic.sh_link} * sizeof(Elf64_Shdr),
                     Strings) ||
        Strings.sh_offset > File.Size())
      continue;
    // The names are NUL-terminated strings of the linked string table; one
    // that runs past the table's end is cut there.
    const std::uint64_t StringsSize =
        std::min<std::uint64_t>(Strings.sh_size, File.Size() - Strings.sh_offset);
    const std::string Entries = File.Read(Dynamic.sh_offset, Dynamic.sh_size);
    for (std::size_t At = 0; At + sizeof(Elf64_Dyn) <= Entries.size(); At += sizeof(Elf64_Dyn)) {
      Elf64_Dyn Entry;
      std::memcpy(&Entry, Entries.data() + At, sizeof Entry);
      if (Entry.d_tag == DT_NULL)
        break;
      if (Entry.d_tag != DT_NEEDED || Entry.d_un.d_val >= StringsSize)
        continue;
      Needed.push_back(
          File.ReadString(Strings.sh_offset + Entry.d_un.d_val, StringsSize - Entry.d_un.d_val));
    }
  }
  return Needed;
}

int HostLibraryVersion(const std::string& Library) {
  static const std::string Prefix = "libtabulon_host", Suffix = ".so";
  if (Library.size() != Prefix.size() + 1 + Suffix.size() ||
      Library.compare(0, Prefix.size(), Prefix) != 0 ||
      Library.compare(Prefix.size() + 1, Suffix.size(), Suffix) != 0)
    return 0;
  const char Digit = Library[Prefix.size()];
  return Digit >= '1' && Digit <= '9' ? Digit - '0' : 0;
}
