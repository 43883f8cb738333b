#include "ModuleDependencies.h"

#include <elf.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "ModuleFile.h"

namespace {

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
