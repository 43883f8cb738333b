#include "RegistryHive.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "CodePage.h"
#include "HiveError.h"
#include "HiveText.h"

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

void ReportOnStandardError(const std::string& Message) {
  std::fprintf(stderr, "%s\n", HiveReportToUtf8(Message).c_str());
}

}  // namespace

RegistryHive::RegistryHive(const std::string& Location, THiveReport Report)
    : FLocation(Location),
      FReport(Report ? std::move(Report) : THiveReport(ReportOnStandardError)),
      FRoot(std::make_unique<HiveKey>()),
      FSerial(++LastSerial) {
  if (CurrentHive != nullptr)
    throw ERegistryException("Another registry hive (" + CurrentHive->Location() +
                             ") is in use; only one can be current");
  if (Location != Memory)
    FFile.emplace(Location);
  FLockWait.Notice = FReport;
  Reload();
  CurrentHive = this;
}

RegistryHive::~RegistryHive() {
  while (!FPending.empty()) {
    const void* Owner = FPending.front().Owner;
    try {
      Commit(Owner);
    } catch (const std::exception& E) {
      FReport(std::string("Registry changes were not saved: ") + E.what());
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

std::optional<std::string> RegistryHive::ReadFile() {
  ++FFileReads;
  return FFile->Read(
      [this](const std::string& Head, bool Whole) { CheckHiveHead(Head, Whole, FFile->Path()); });
}

std::unique_ptr<HiveKey> RegistryHive::Parse(const std::optional<std::string>& Bytes) {
  try {
    auto Root = std::make_unique<HiveKey>();
    std::vector<std::string> Warnings;
    FFormat = Bytes ? ParseHiveText(*Bytes, FFile->Path(), *Root, &Warnings) : HiveFormat::Regedit4;
    // The file is read again at every open; each warning is told once.
    for (const std::string& W : Warnings)
      if (FWarned.insert(W).second)
        FReport("warning: " + W);
    return Root;
  } catch (const std::bad_alloc&) {
    throw ERegistryException("Not enough memory to load the registry file " + FFile->Path());
  }
}

void RegistryHive::Replay(HiveKey& Root, const void* Skip) const {
  for (const TPending& P : FPending)
    if (P.Owner != Skip)
      ApplyPending(Root, P);
}

std::optional<RegistryHive::TStamp> RegistryHive::StampNow() const {
  struct stat St {};
  TStamp Stamp;
  if (::stat(FFile->Target().c_str(), &St) != 0)
    return errno == ENOENT ? std::optional<TStamp>(Stamp) : std::nullopt;
  Stamp.Exists = true;
  Stamp.Dev = St.st_dev;
  Stamp.Ino = St.st_ino;
  Stamp.Size = St.st_size;
  Stamp.MTime = St.st_mtim.tv_sec * 1000000000LL + St.st_mtim.tv_nsec;
  Stamp.CTime = St.st_ctim.tv_sec * 1000000000LL + St.st_ctim.tv_nsec;
  return Stamp;
}

void RegistryHive::Reload(bool Force) {
  if (InMemory())
    return;
  // Taken before the read: a change made during it shows at the next look.
  const std::optional<TStamp> Now = StampNow();
  if (!Force && Now && FStamp && *Now == *FStamp)
    return;
  FViewExact = false;
  std::optional<std::string> Bytes = ReadFile();
  std::unique_ptr<HiveKey> Root = Parse(Bytes);
  Replay(*Root, nullptr);
  FRoot = std::move(Root);
  FStamp = Now;
  FGeneration = ++LastSerial;
  FViewBytes = std::move(Bytes);
  FViewExact = true;
}

std::string RegistryHive::Text() {
  Reload();
  return FormatHiveText(*FRoot, HiveFormat::Regedit4, false);
}

std::string RegistryHive::DisplayText() {
  return HiveDisplayText(Text());
}

void RegistryHive::SetBeforeRename(std::function<void(const std::string&)> Hook) {
  if (FFile)
    FFile->SetBeforeRename(std::move(Hook));
}

namespace {

// Whether two paths name one file, or, where neither exists yet, the same
// name in the same folder.
bool SameFile(const std::string& A, const std::string& B) {
  struct stat SA {
  }, SB{};
  const bool HasA = ::stat(A.c_str(), &SA) == 0, HasB = ::stat(B.c_str(), &SB) == 0;
  if (HasA || HasB)
    return HasA && HasB && SA.st_dev == SB.st_dev && SA.st_ino == SB.st_ino;
  const std::size_t SlashA = A.rfind('/'), SlashB = B.rfind('/');
  const std::string FolderA = SlashA == std::string::npos ? "." : A.substr(0, SlashA + 1);
  const std::string FolderB = SlashB == std::string::npos ? "." : B.substr(0, SlashB + 1);
  return A.substr(SlashA + 1) == B.substr(SlashB + 1) && ::stat(FolderA.c_str(), &SA) == 0 &&
         ::stat(FolderB.c_str(), &SB) == 0 && SA.st_dev == SB.st_dev && SA.st_ino == SB.st_ino;
}

}  // namespace

void RegistryHive::Export(const std::string& Path, HiveFormat Format) {
  const mode_t Mask = ::umask(0);
  ::umask(Mask);
  // The file refuses the store's own names (see HiveFile); this hive's lock
  // is refused even before the hive's file exists.
  const HiveFile Out(Path, 0666 & ~Mask);
  if (FFile && SameFile(Out.Target(), FFile->LockPath()))
    throw ERegistryException(Path + " is the lock file of the registry file " + FFile->Target() +
                             "; choose another name");
  // Exported over the hive's own file (to change its format), the export
  // is one more writer of it and takes the lock like the others.
  std::optional<HiveFile::TLock> Lock;
  if (FFile && SameFile(Out.Target(), FFile->Target()))
    Lock.emplace(*FFile, FLockWait);
  Reload();
  // What an export killed before its rename left behind. Every writer holds
  // its temporary file from before it has a name, so this takes no other
  // export's or save's.
  Out.RemoveLeftovers();
  Out.Replace(FormatHiveText(*FRoot, Format));
}

void RegistryHive::AddSaveFailure(const std::string& Message) {
  FSaveFailures.push_back(Message);
}

void RegistryHive::FailSave(const void* Owner, const std::string& Message) {
  FSaveFailures.push_back(Message);
  Discard(Owner);
  try {
    Reload(true);
  } catch (const std::exception&) {
    // The file cannot be read now; the next OpenKey reports that.
  }
}

std::vector<std::string> RegistryHive::TakeSaveFailures() {
  return std::exchange(FSaveFailures, {});
}

bool RegistryHive::CanWrite(bool Report) {
  if (InMemory())
    return true;
  try {
    FFile->CheckWritable();
    return true;
  } catch (const ERegistryException& E) {
    if (Report)
      FSaveFailures.push_back(E.Message());
    return false;
  }
}

void RegistryHive::Apply(const void* Owner, HiveOp Op) {
  if (Op.Kind == HiveOp::SetValue) {
    SetValue(Owner, Op.Path, Op.Name, Op.Type, std::move(Op.Data));
    return;
  }
  FLastKey = nullptr;
  ApplyHiveOp(*FRoot, Op);
  FGeneration = ++LastSerial;
  FPending.push_back(
      TPending{Owner, Op.Kind, Recorded(Op.Path), std::move(Op.Name), Op.Type, std::move(Op.Data)});
}

void RegistryHive::SetValue(const void* Owner, const std::vector<std::string>& Path,
                            const std::string& Name, Cardinal Type, std::string Data) {
  // An export sets hundreds of values in one key: the key is found once,
  // and again only after the tree may have changed shape.
  std::shared_ptr<const std::vector<std::string>> Shared = Recorded(Path);
  if (FLastKey == nullptr || FLastKeyGeneration != FGeneration)
    FLastKey = &EnsureHiveKey(*FRoot, Path);
  FLastKey->SetValue(Name, Type, Data);
  FGeneration = ++LastSerial;
  FLastKeyGeneration = FGeneration;
  FPending.push_back(
      TPending{Owner, HiveOp::SetValue, std::move(Shared), Name, Type, std::move(Data)});
}

std::shared_ptr<const std::vector<std::string>> RegistryHive::Recorded(
    const std::vector<std::string>& Path) {
  if (FLastPath == nullptr || *FLastPath != Path) {
    FLastPath = std::make_shared<const std::vector<std::string>>(Path);
    FLastKey = nullptr;
  }
  return FLastPath;
}

void RegistryHive::ApplyPending(HiveKey& Root, const TPending& P) {
  ApplyHiveOp(Root, P.Kind, *P.Path, P.Name, P.Type, P.Data);
}

void RegistryHive::WriteChanges(const void* Owner) {
  HiveFile::TLock Lock(*FFile, FLockWait);
  FFile->RemoveLeftovers();
  std::optional<TStamp> Stamp = StampNow();
  std::optional<std::string> Old = ReadFile();
  // The changes go on top of what the file holds now, under the lock. When
  // it holds, byte for byte, what the view was built from, and every pending
  // change is this writer's, the view is that tree with these changes
  // already: parsing the file again would only build it once more.
  const bool OnlyMine = std::all_of(FPending.begin(), FPending.end(),
                                    [Owner](const TPending& P) { return P.Owner == Owner; });
  std::unique_ptr<HiveKey> Parsed;
  if (!FViewExact || !OnlyMine || Old != FViewBytes) {
    Parsed = Parse(Old);
    for (const TPending& P : FPending)
      if (P.Owner == Owner)
        ApplyPending(*Parsed, P);
  }
  std::string New = FormatHiveText(Parsed ? *Parsed : *FRoot, FFormat);
  // Rewriting identical bytes would only churn the file (and drop the
  // comments of a hand-written one for nothing).
  if (!Old || *Old != New) {
    FFile->Replace(New);
    // Still under the lock: nobody else has changed it since.
    Stamp = StampNow();
    Old = std::move(New);
  }
  // The view becomes what is on disk now plus what other registry objects
  // of this process have not written yet; the file need not be read again
  // until it changes.
  if (Parsed) {
    Replay(*Parsed, Owner);
    FRoot = std::move(Parsed);
  }
  FStamp = Stamp;
  FGeneration = ++LastSerial;
  // Owner's changes are in the file now, so they leave the pending list
  // here, where the view and the bytes it stands for agree again.
  std::erase_if(FPending, [Owner](const TPending& P) { return P.Owner == Owner; });
  FViewBytes = std::move(Old);
  FViewExact = true;
}

void RegistryHive::Commit(const void* Owner) {
  const auto Mine = [Owner](const TPending& P) { return P.Owner == Owner; };
  if (std::none_of(FPending.begin(), FPending.end(), Mine))
    return;
  if (!InMemory()) {
    try {
      try {
        WriteChanges(Owner);
      } catch (const std::bad_alloc&) {
        throw ERegistryException("cannot write " + FFile->Target() + ": not enough memory");
      }
    } catch (const std::exception& E) {
      FSaveFailures.push_back(E.what());
      Discard(Owner);
      try {
        // The dropped changes leave the view too.
        Reload(true);
      } catch (const std::exception&) {
        // The file cannot be read now; the next OpenKey reports that.
      }
      throw;
    }
  }
  Discard(Owner);
}

void RegistryHive::Discard(const void* Owner) {
  // Discarded changes stay in the view (see the header), which then no
  // longer is the file's tree with the pending changes.
  if (std::erase_if(FPending, [Owner](const TPending& P) { return P.Owner == Owner; }) > 0)
    FViewExact = false;
}
