#include <elf.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "Bytes.h"
#include "ModuleDependencies.h"
#include "System.h"

// A section table said to lie at the end of the address space is read as
// missing, never followed outside the file.
TEST(ElfModule, SectionsBeyondTheFileGiveNoNames) {
  std::string Module = ReadBytes(TEST_PACKAGE_GOOD_PATH);
  const std::uint64_t Far = ~std::uint64_t{0} - 16;
  std::memcpy(Module.data() + offsetof(Elf64_Ehdr, e_shoff), &Far, sizeof Far);
  const std::string Path = testing::TempDir() + "tabulon_far" + std::to_string(HostVersion);
  WriteBytes(Path, Module);
  EXPECT_TRUE(NeededLibraries(Path).empty());
  std::remove(Path.c_str());
}

// The loader reads a module's names where its headers point, not the whole
// file: a name longer than one read, and one cut short by the end of its
// string table, both come out whole or cut exactly there.
TEST(ElfModule, ReadsNeededNamesOfAnyLengthUpToTheirTablesEnd) {
  const std::string Long(700, 'a');
  const std::string Strings = Long + '\0' + "libcut.so";
  Elf64_Ehdr Header{};
  std::memcpy(Header.e_ident, ELFMAG, SELFMAG);
  Header.e_ident[EI_CLASS] = ELFCLASS64;
  Header.e_ident[EI_DATA] = ELFDATA2LSB;
  Header.e_shoff = sizeof(Elf64_Ehdr);
  Header.e_shnum = 2;
  Header.e_shentsize = sizeof(Elf64_Shdr);
  Elf64_Shdr Sections[2]{};
  const Elf64_Dyn Entries[] = {{DT_NEEDED, {0}}, {DT_NEEDED, {Long.size() + 1}}, {DT_NULL, {0}}};
  Sections[0].sh_type = SHT_DYNAMIC;
  Sections[0].sh_link = 1;
  Sections[0].sh_offset = sizeof Header + sizeof Sections;
  Sections[0].sh_size = sizeof Entries;
  Sections[1].sh_type = SHT_STRTAB;
  Sections[1].sh_offset = Sections[0].sh_offset + sizeof Entries;
  Sections[1].sh_size = Long.size() + 1 + 3;  // the table ends after "lib"
  std::string Module(reinterpret_cast<const char*>(&Header), sizeof Header);
  Module.append(reinterpret_cast<const char*>(Sections), sizeof Sections);
  Module.append(reinterpret_cast<const char*>(Entries), sizeof Entries);
  Module += Strings;
  const std::string Path = testing::TempDir() + "tabulon_names" + std::to_string(HostVersion);
  WriteBytes(Path, Module);
  EXPECT_EQ(NeededLibraries(Path), (std::vector<std::string>{Long, "lib"}));
  std::remove(Path.c_str());
}
