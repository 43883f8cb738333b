#include "RegistryHive.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "CodePage.h"
#include "HiveError.h"

namespace {

RegistryHive* CurrentHive = nullptr;
// Tells hives apart even when a new one is allocated where an old one was,
// so a registry object notices that the hive it opened a key in is gone.
std::uint64_t LastSerial = 0;

// Creates Path and every missing folder above it.
void MakeFolders(const std::string& Path) {
  for (std::size_t Slash = Path.find('/', 1);; Slash = Path.find('/', Slash + 1)) {
    const std::string Part = Path.substr(0, Slash);
    if (::mkdir(Part.c_str(), 0700) != 0 && errno != EEXIST)
      throw ERegistryException("Cannot create the folder " + Part + ": " + std::strerror(errno));
    if (Slash == std::string::npos)
      return;
  }
}

}  // namespace

RegistryHive::RegistryHive(const std::string& Location)
    : FLocation(Location), FRoot(std::make_unique<HiveKey>()), FSerial(++LastSerial) {
  if (CurrentHive != nullptr)
    throw ERegistryException("Another registry hive (" + CurrentHive->Location() +
                             ") is in use; only one can be current");
  if (Location != Memory)
    FFile.emplace(Location);
  FLockWait.Notice = [](const std::string& Message) {
    std::fprintf(stderr, "%s\n", Message.c_str());
  };
  Reload();
  CurrentHive = this;
}

RegistryHive::~RegistryHive() {
  while (!FPending.empty()) {
    const void* Owner = FPending.front().Owner;
    try {
      Commit(Owner);
    } catch (const std::exception& E) {
      std::fprintf(stderr, "Registry changes were not saved: %s\n", E.what());
      Discard(Owner);
    }
  }
  if (CurrentHive == this)
    CurrentHive = nullptr;
}

RegistryHive* RegistryHive::Current() {
  return CurrentHive;
}

std::string RegistryHive::DefaultPath() {
  std::string Base;
  const char* Xdg = std::getenv("XDG_CONFIG_HOME");
  if (Xdg != nullptr && Xdg[0] == '/') {
    Base = Xdg;
  } else {
    const char* Home = std::getenv("HOME");
    if (Home == nullptr || Home[0] == '\0') {
      const passwd* Pw = ::getpwuid(::getuid());
      if (Pw == nullptr || Pw->pw_dir == nullptr)
        throw ERegistryException("Cannot find the home folder for the registry file");
      Home = Pw->pw_dir;
    }
    Base = std::string(Home) + "/.config";
  }
  const std::string Folder = Base + "/tabulon";
  MakeFolders(Folder);
  return Folder + "/HKEY_CURRENT_USER.reg";
}

std::unique_ptr<HiveKey> RegistryHive::Parse(const std::optional<std::string>& Bytes) {
  auto Root = std::make_unique<HiveKey>();
  FFormat = Bytes ? ParseHiveText(*Bytes, FFile->Path(), *Root) : HiveFormat::Regedit4;
  return Root;
}

void RegistryHive::Replay(HiveKey& Root, const void* Skip) const {
  for (const TPending& P : FPending)
    if (P.Owner != Skip)
      ApplyHiveOp(Root, P.Op);
}

void RegistryHive::Reload() {
  if (InMemory())
    return;
  std::unique_ptr<HiveKey> Root = Parse(FFile->Read());
  Replay(*Root, nullptr);
  FRoot = std::move(Root);
}

std::string RegistryHive::Text() {
  Reload();
  return FormatHiveText(*FRoot);
}

std::string RegistryHive::DisplayText() {
  const std::string Raw = Text();
  std::string Shown;
  for (std::size_t i = 0; i < Raw.size(); ++i) {
    const unsigned char C = static_cast<unsigned char>(Raw[i]);
    if (C == '\r' && i + 1 < Raw.size() && Raw[i + 1] == '\n') {
      Shown += '\n';
      ++i;
    } else if (C < 0x20 || C == 0x7F || C == 0x98) {
      // 0x98 is unassigned in Windows-1251 and would reach the terminal as
      // a C1 control character.
      char Buf[8];
      std::snprintf(Buf, sizeof Buf, "\\x%02x", C);
      Shown += Buf;
    } else {
      Shown += static_cast<char>(C);
    }
  }
  return Win1251ToUtf8(Shown);
}

void RegistryHive::SetBeforeRename(std::function<void(const std::string&)> Hook) {
  if (FFile)
    FFile->SetBeforeRename(std::move(Hook));
}

void RegistryHive::Export(const std::string& Path, HiveFormat Format) {
  const mode_t Mask = ::umask(0);
  ::umask(Mask);
  const HiveFile Out(Path, 0666 & ~Mask);
  // Exported over the hive's own file (to change its format), the export
  // is one more writer of it and takes the lock like the others.
  std::optional<HiveFile::TLock> Lock;
  struct stat A {
  }, B{};
  if (FFile && ::stat(Out.Target().c_str(), &A) == 0 && ::stat(FFile->Target().c_str(), &B) == 0 &&
      A.st_dev == B.st_dev && A.st_ino == B.st_ino)
    Lock.emplace(*FFile, FLockWait);
  Reload();
  Out.Replace(FormatHiveText(*FRoot, Format));
}

std::vector<std::string> RegistryHive::TakeSaveFailures() {
  return std::exchange(FSaveFailures, {});
}

bool RegistryHive::CanWrite() {
  if (InMemory())
    return true;
  try {
    FFile->CheckWritable();
    return true;
  } catch (const ERegistryException& E) {
    FSaveFailures.push_back(E.Message());
    return false;
  }
}

void RegistryHive::Apply(const void* Owner, HiveOp Op) {
  ApplyHiveOp(*FRoot, Op);
  FPending.push_back(TPending{Owner, std::move(Op)});
}

void RegistryHive::WriteChanges(const void* Owner) {
  HiveFile::TLock Lock(*FFile, FLockWait);
  FFile->RemoveLeftovers();
  const std::optional<std::string> Old = FFile->Read();
  std::unique_ptr<HiveKey> Root = Parse(Old);
  for (const TPending& P : FPending)
    if (P.Owner == Owner)
      ApplyHiveOp(*Root, P.Op);
  const std::string New = FormatHiveText(*Root, FFormat);
  // Rewriting identical bytes would only churn the file (and drop the
  // comments of a hand-written one for nothing).
  if (!Old || *Old != New)
    FFile->Replace(New);
  // The view becomes what is on disk now plus what other registry objects
  // of this process have not written yet.
  Replay(*Root, Owner);
  FRoot = std::move(Root);
}

void RegistryHive::Commit(const void* Owner) {
  const auto Mine = [Owner](const TPending& P) { return P.Owner == Owner; };
  if (std::none_of(FPending.begin(), FPending.end(), Mine))
    return;
  if (!InMemory()) {
    try {
      WriteChanges(Owner);
    } catch (const std::exception& E) {
      FSaveFailures.push_back(E.what());
      Discard(Owner);
      try {
        Reload();
      } catch (const std::exception&) {
        // The file cannot be read now; the next OpenKey reports that.
      }
      throw;
    }
  }
  Discard(Owner);
}

void RegistryHive::Discard(const void* Owner) {
  std::erase_if(FPending, [Owner](const TPending& P) { return P.Owner == Owner; });
}
