#include "ModuleDependencies.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ModuleFile.h"

namespace {

// Names in an import table are short; one that runs on is cut here.
constexpr std::uint64_t NameLimit = MAX_PATH;
// A module that claims more sections than this is damaged.
constexpr unsigned SectionLimit = 96;

// The file offset of the relative virtual address Rva: inside the raw data
// of the section that holds it; false when no section's data holds it.
bool FileOffset(const std::vector<IMAGE_SECTION_HEADER>& Sections, std::uint64_t Rva,
                std::uint64_t& Offset) {
  for (const IMAGE_SECTION_HEADER& S : Sections)
    if (Rva >= S.VirtualAddress && Rva - S.VirtualAddress < S.SizeOfRawData) {
      Offset = std::uint64_t{S.PointerToRawData} + (Rva - S.VirtualAddress);
      return true;
    }
  return false;
}

}  // namespace

std::vector<std::string> NeededLibraries(const std::string& Path) {
  TModuleFile File(Path);
  std::vector<std::string> Needed;
  IMAGE_DOS_HEADER Dos;
  IMAGE_NT_HEADERS64 Nt;
  if (!File.ReadAt(0, Dos) || Dos.e_magic != IMAGE_DOS_SIGNATURE || Dos.e_lfanew < 0 ||
      !File.ReadAt(static_cast<std::uint64_t>(Dos.e_lfanew), Nt) ||
      Nt.Signature != IMAGE_NT_SIGNATURE ||
      Nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC ||
      Nt.OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT ||
      Nt.FileHeader.NumberOfSections > SectionLimit)
    return Needed;
  // The section table follows the optional header, whose size the file
  // header gives.
  const std::uint64_t SectionsAt = static_cast<std::uint64_t>(Dos.e_lfanew) + sizeof(DWORD) +
                                   sizeof(IMAGE_FILE_HEADER) + Nt.FileHeader.SizeOfOptionalHeader;
  std::vector<IMAGE_SECTION_HEADER> Sections(Nt.FileHeader.NumberOfSections);
  for (unsigned i = 0; i < Sections.size(); ++i)
    if (!File.ReadAt(SectionsAt + std::uint64_t{i} * sizeof(IMAGE_SECTION_HEADER), Sections[i]))
      return Needed;
  const IMAGE_DATA_DIRECTORY& Imports =
      Nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::uint64_t At = 0;
  if (Imports.VirtualAddress == 0 || !FileOffset(Sections, Imports.VirtualAddress, At))
    return Needed;
  // The descriptors run to an empty one, or to the directory's end.
  const std::uint64_t Count = Imports.Size / sizeof(IMAGE_IMPORT_DESCRIPTOR);
  for (std::uint64_t i = 0; i < Count; ++i) {
    IMAGE_IMPORT_DESCRIPTOR Entry;
    if (!File.ReadAt(At + i * sizeof Entry, Entry) || Entry.Name == 0)
      break;
    std::uint64_t NameAt = 0;
    if (FileOffset(Sections, Entry.Name, NameAt))
      Needed.push_back(File.ReadString(NameAt, NameLimit));
  }
  return Needed;
}
