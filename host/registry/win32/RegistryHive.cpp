#include "RegistryHive.h"

#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "HiveError.h"
#include "NativeRegistry.h"

namespace {

RegistryHive* CurrentHive = nullptr;
constexpr std::uintptr_t CurrentUserRoot = 0x80000001;

// The registry below Path into Key, values as Windows keeps them.
void ReadTree(const std::string& Path, HiveKey& Key) {
  for (const std::string& Name : native_registry::ValueNames(CurrentUserRoot, Path)) {
    std::uint32_t Type = 0;
    std::string Data;
    if (native_registry::QueryValue(CurrentUserRoot, Path, Name, Type, Data))
      Key.SetValue(Name, Type, std::move(Data));
  }
  for (const std::string& Name : native_registry::KeyNames(CurrentUserRoot, Path))
    ReadTree(Path.empty() ? Name : Path + "\\" + Name, Key.AddChild(Name));
}

}  // namespace

RegistryHive::RegistryHive(const std::string& Location, THiveReport /*Report*/)
    : FLocation(Location) {
  if (Location != Memory && Location != Native)
    throw ERegistryException("Cannot use " + Location +
                             " as the registry: on Windows the registry is Windows' own "
                             "(registry) or one in memory for the run (:memory:); import a hive "
                             "file with regedit");
  if (CurrentHive != nullptr)
    throw ERegistryException("Another registry hive is in use");
  if (Location == Memory) {
    // A name of its own per process and per hive, so that runs side by side
    // never share one.
    static std::atomic<unsigned> Serial{0};
    FVolatileName = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++Serial);
    if (!native_registry::OverrideCurrentUser(FVolatileName))
      throw ERegistryException("Cannot make a registry in memory below HKEY_CURRENT_USER");
  }
  CurrentHive = this;
}

RegistryHive::~RegistryHive() {
  if (InMemory())
    native_registry::RestoreCurrentUser(FVolatileName);
  CurrentHive = nullptr;
}

RegistryHive* RegistryHive::Current() {
  return CurrentHive;
}

std::string RegistryHive::Text() {
  HiveKey Root;
  ReadTree("", Root);
  return FormatHiveText(Root, HiveFormat::Regedit4, false);
}

std::string RegistryHive::DisplayText() {
  return HiveDisplayText(Text());
}

void RegistryHive::Export(const std::string& Path, HiveFormat Format) {
  HiveKey Root;
  ReadTree("", Root);
  const std::string Bytes = FormatHiveText(Root, Format);
  // Written beside the target and renamed over it, so that a failed write
  // leaves the old file.
  const std::string Temp = Path + ".tabulon-export";
  const std::filesystem::path Folder = std::filesystem::path(Path).parent_path();
  std::error_code Error;
  if (!Folder.empty() && !std::filesystem::is_directory(Folder, Error))
    throw ERegistryException("cannot write " + Path + ": the folder " + Folder.string() +
                             " does not exist");
  // Only a file is replaced, as the hive file's exports replace one; a
  // folder is refused before anything is written beside it.
  const auto Kind = std::filesystem::symlink_status(Path, Error).type();
  if (Kind == std::filesystem::file_type::directory)
    throw ERegistryException(Path + " is a folder, not a regular file");
  if (Kind != std::filesystem::file_type::not_found &&
      Kind != std::filesystem::file_type::regular && Kind != std::filesystem::file_type::none)
    throw ERegistryException(Path + " is not a regular file");
  {
    std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    Out.flush();
    if (!Out) {
      const int Err = errno;
      Out.close();
      std::filesystem::remove(Temp, Error);
      throw ERegistryException("cannot write " + Path + ": the file " + Temp +
                               " cannot be written: " + std::strerror(Err));
    }
  }
  std::filesystem::rename(Temp, Path, Error);
  if (Error) {
    const std::string Why = Error.message();
    std::filesystem::remove(Temp, Error);
    throw ERegistryException("cannot write " + Path + ": " + Temp +
                             " cannot be renamed over it: " + Why);
  }
}

void RegistryHive::Apply(const void* /*Owner*/, const HiveOp& Op) {
  std::string Path;
  for (const std::string& Name : Op.Path)
    Path += (Path.empty() ? "" : "\\") + Name;
  bool Done = false;
  switch (Op.Kind) {
    case HiveOp::CreateKey: {
      bool Created = false;
      Done = native_registry::CreateKey(CurrentUserRoot, Path, Created);
      break;
    }
    case HiveOp::SetValue:
      Done = native_registry::SetValue(CurrentUserRoot, Path, Op.Name, Op.Type, Op.Data);
      break;
    case HiveOp::DeleteValue:
      Done = native_registry::DeleteValue(CurrentUserRoot, Path, Op.Name);
      break;
    case HiveOp::DeleteKey:
      Done = native_registry::DeleteKeyTree(CurrentUserRoot, Path);
      break;
  }
  if (!Done)
    throw ERegistryException("Cannot change the registry key " + Path);
}
