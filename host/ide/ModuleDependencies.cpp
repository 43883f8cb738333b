#include "ModuleDependencies.h"

#include <elf.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// A copy of the T at Offset of Bytes; false when it does not fit.
template <typename T>
bool ReadAt(const std::string& Bytes, std::uint64_t Offset, T& Out) {
  if (Offset > Bytes.size() || Bytes.size() - Offset < sizeof(T))
    return false;
  std::memcpy(&Out, Bytes.data() + Offset, sizeof(T));
  return true;
}

bool IsNativeElf64(const Elf64_Ehdr& Header) {
  const unsigned char NativeData =
      std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;
  return std::memcmp(Header.e_ident, ELFMAG, SELFMAG) == 0 &&
         Header.e_ident[EI_CLASS] == ELFCLASS64 && Header.e_ident[EI_DATA] == NativeData &&
         Header.e_shentsize == sizeof(Elf64_Shdr);
}

}  // namespace

std::vector<std::string> NeededLibraries(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  const std::string Bytes{std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
  std::vector<std::string> Needed;
  Elf64_Ehdr Header;
  if (!ReadAt(Bytes, 0, Header) || !IsNativeElf64(Header))
    return Needed;
  for (unsigned i = 0; i < Header.e_shnum; ++i) {
    Elf64_Shdr Dynamic, Strings;
    if (!ReadAt(Bytes, Header.e_shoff + std::uint64_t{i} * sizeof(Elf64_Shdr), Dynamic))
      break;
    if (Dynamic.sh_type != SHT_DYNAMIC ||
        !ReadAt(Bytes, Header.e_shoff + std::uint64_t{Dynamic.sh_link} * sizeof(Elf64_Shdr),
                Strings) ||
        Strings.sh_offset > Bytes.size())
      continue;
    // The names are NUL-terminated strings of the linked string table; one
    // that runs past the table's end is cut there.
    const std::uint64_t StringsSize =
        std::min<std::uint64_t>(Strings.sh_size, Bytes.size() - Strings.sh_offset);
    for (std::uint64_t At = 0; At + sizeof(Elf64_Dyn) <= Dynamic.sh_size; At += sizeof(Elf64_Dyn)) {
      Elf64_Dyn Entry;
      if (!ReadAt(Bytes, Dynamic.sh_offset + At, Entry) || Entry.d_tag == DT_NULL)
        break;
      if (Entry.d_tag != DT_NEEDED || Entry.d_un.d_val >= StringsSize)
        continue;
      const char* Name = Bytes.data() + Strings.sh_offset + Entry.d_un.d_val;
      Needed.emplace_back(Name, strnlen(Name, StringsSize - Entry.d_un.d_val));
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
