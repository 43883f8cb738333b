#include "Registry.h"

#include <algorithm>
#include <utility>

#include "CodePage.h"
#include "RegistryHive.h"

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() {
  try {
    CloseKey();
  } catch (const std::exception&) {
    // The hive has recorded the failure and dropped the changes.
  }
}

void TRegistry::ForgetKey() {
  FLastResolved = false;
  FSectionFound = false;
  FSectionFits = false;
  FResolvedKey = nullptr;
  FResolvedGeneration = 0;
  FKeyOpen = false;
  FCurrentPath.clear();
  FCurrentNames.clear();
}

RegistryHive* TRegistry::Hive() {
  if (FRootKey != HKEY_CURRENT_USER)
    return nullptr;
  RegistryHive* H = RegistryHive::Current();
  const std::uint64_t Serial = H != nullptr ? H->Serial() : 0;
  if (Serial != FHiveSerial) {
    // The hive the key was opened in is gone, and its destructor wrote what
    // this object had changed; the key cannot be open in another hive.
    ForgetKey();
    FHiveSerial = Serial;
  }
  return H;
}

const HiveKey* TRegistry::FindKey(const std::vector<std::string>& Path) {
  RegistryHive* H = Hive();
  if (H == nullptr)
    return nullptr;
  // An ini file reads a section's values one after another: the key of the
  // path ResolvedPath keeps is found once while the hive's keys stay as they
  // are.
  const bool Section = &Path == &FLastPath;
  if (Section && FSectionFound && FSectionGeneration == H->Generation())
    return FSectionKey;
  // Paths below the open key (its sections) start from the open key, which
  // is looked up again only when the hive's keys may have changed.
  const HiveKey* Key = nullptr;
  if (FKeyOpen && Path.size() >= FCurrentNames.size() &&
      std::equal(FCurrentNames.begin(), FCurrentNames.end(), Path.begin())) {
    if (FResolvedGeneration != H->Generation()) {
      FResolvedKey = FindHiveKey(H->Root(), FCurrentNames);
      FResolvedGeneration = H->Generation();
    }
    Key = FResolvedKey;
    for (std::size_t i = FCurrentNames.size(); Key != nullptr && i < Path.size(); ++i)
      Key = Key->FindChild(Path[i]);
  } else {
    Key = FindHiveKey(H->Root(), Path);
  }
  if (Section) {
    FSectionKey = Key;
    FSectionGeneration = H->Generation();
    FSectionFound = true;
  }
  return Key;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  RegistryHive* H = Hive();
  if (H == nullptr)
    return false;
  // Another process may have changed the file since this object last looked.
  try {
    H->Reload();
  } catch (const ERegistryException& E) {
    // Opening a key to write it starts a save: a file that cannot be read
    // now (put out of place by a FIFO or a folder, broken by hand) is a save
    // that failed, and is reported as one.
    if (CanCreate)
      H->AddSaveFailure(E.Message());
    throw;
  }
  std::vector<std::string> Path;
  if (!ResolvePath(Key, Path))
    return false;
  if (CanCreate) {
    // Refuse here rather than fail at the write: a caller told that the key
    // is open expects its writes to be kept.
    if (!H->CanWrite() || !NamesFit(*H, Path, nullptr))
      return false;
  } else if (FindHiveKey(H->Root(), Path) == nullptr) {
    return false;
  }
  // The key open before is closed first, which writes its changes; a key
  // created here is then written together with the values set in it, in
  // one replace of the file, so that no crash can leave it empty.
  CloseKey();
  if (CanCreate && FindHiveKey(H->Root(), Path) == nullptr)
    H->Apply(this, HiveOp{HiveOp::CreateKey, Path, {}, REG_NONE, {}});
  FKeyOpen = true;
  FLastResolved = false;
  FSectionFound = false;
  FSectionFits = false;
  FCurrentNames = std::move(Path);
  for (const std::string& Name : FCurrentNames)
    FCurrentPath += (FCurrentPath.empty() ? "" : "\\") + Name;
  return true;
}

bool TRegistry::CreateKey(const std::string& Key) {
  RegistryHive* H = Hive();
  std::vector<std::string> Path;
  if (H == nullptr || !ResolvePath(Key, Path) || !H->CanWrite())
    throw ERegistryException("Failed to create key " + Key);
  if (FindHiveKey(H->Root(), Path) != nullptr)
    return false;
  H->Apply(this, HiveOp{HiveOp::CreateKey, Path, {}, REG_NONE, {}});
  return true;
}

void TRegistry::CloseKey() {
  RegistryHive* H = Hive();
  ForgetKey();
  if (H != nullptr)
    H->Commit(this);
}

bool TRegistry::DeleteKeyAt(const std::vector<std::string>& Path) {
  RegistryHive* H = Hive();
  if (H == nullptr || Path.empty())
    return false;
  const bool Exists = FindHiveKey(H->Root(), Path) != nullptr;
  // Recorded even when this view has no such key: another process may have
  // made it since, and the deletion is applied to what the file holds when
  // this object's changes are written. An erased section so holds only
  // what this object writes into it, whoever wrote there in between.
  if (!H->CanWrite(Exists))
    return false;
  H->Apply(this, HiveOp{HiveOp::DeleteKey, Path, {}, REG_NONE, {}});
  return Exists;
}

bool TRegistry::DeleteKey(const std::string& Key) {
  std::vector<std::string> Path;
  // An empty name would mean the open key itself, which the VCL never
  // deletes through this call.
  if (Key.empty() || !ResolvePath(Key, Path))
    return false;
  return DeleteKeyAt(Path);
}

bool TRegistry::KeyExists(const std::string& Key) {
  std::vector<std::string> Path;
  return ResolvePath(Key, Path) && FindKey(Path) != nullptr;
}

bool TRegistry::HasSubKeys() {
  const HiveKey* K = FindKey(FCurrentNames);
  return K != nullptr && !K->Children().empty();
}

bool TRegistry::ValueExists(const std::string& Name) {
  return FindValueAt(FCurrentNames, Name) != nullptr;
}

bool TRegistry::DeleteValue(const std::string& Name) {
  RegistryHive* H = Hive();
  if (FindValueAt(FCurrentNames, Name) == nullptr)
    return false;
  H->Apply(this, HiveOp{HiveOp::DeleteValue, FCurrentNames, Name, REG_NONE, {}});
  return true;
}

const HiveValue* TRegistry::FindValueAt(const std::vector<std::string>& Path,
                                        const std::string& Name) {
  // No 8-bit name holds a NUL (the API ends it there), and inside the hive
  // a NUL starts a character Windows-1251 has no byte for: such a name
  // would reach a value the add-in can only see as '?'.
  if (Name.find('\0') != std::string::npos)
    return nullptr;
  const HiveKey* K = FindKey(Path);
  return K != nullptr ? K->FindValue(Name) : nullptr;
}

std::string TRegistry::StringOf(const HiveValue* V, const std::string& Name) {
  // The VCL reads an empty value of any type as "" without looking at it.
  if (V == nullptr || V->Data.empty())
    return std::string();
  if (V->Type != REG_SZ && V->Type != REG_EXPAND_SZ)
    throw ERegistryException("Invalid data type for '" + Name + "'");
  return V->Data.substr(0, V->Data.find('\0'));
}

bool TRegistry::NamesFit(RegistryHive& H, const std::vector<std::string>& Path,
                         const std::string* Value) {
  std::string Long;
  // The names of the path ResolvedPath keeps are checked at its first write.
  const bool Section = &Path == &FLastPath;
  if (!Section || !FSectionFits) {
    for (const std::string& Name : Path)
      if (Long.empty())
        Long = HiveNameTooLong(Name, false);
    if (Section)
      FSectionFits = Long.empty();
  }
  if (Long.empty() && Value != nullptr)
    Long = HiveNameTooLong(*Value, true);
  if (Long.empty())
    return true;
  // A save holding such a name fails as a whole, as any failed save: what
  // this object changed so far is dropped with it.
  H.FailSave(this, "cannot write " + H.Location() + ": " + Long);
  return false;
}

void TRegistry::WriteStringAt(const std::vector<std::string>& Path, const std::string& Name,
                              const std::string& Value) {
  RegistryHive* H = Hive();
  if (H == nullptr || !IsStorableValueName(Name))
    throw ERegistryException("Failed to set data for '" + Name + "'");
  if (!NamesFit(*H, Path, &Name))
    throw ERegistryException(H->LastSaveFailure());
  std::string Data;
  Data.reserve(Value.size() + 1);
  Data.append(Value).push_back('\0');
  H->SetValue(this, Path, Name, REG_SZ, std::move(Data));
}

std::string TRegistry::ReadString(const std::string& Name) {
  return StringOf(FindValueAt(FCurrentNames, Name), Name);
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  WriteStringAt(FCurrentNames, Name, Value);
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  if (const HiveKey* K = FindKey(FCurrentNames))
    for (const auto& [Name, Child] : K->Children())
      Strings->Add(HiveTextToAnsi(Child->Name()));
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  if (const HiveKey* K = FindKey(FCurrentNames))
    for (const HiveValue& V : K->Values())
      Strings->Add(HiveTextToAnsi(V.Name));
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) {
  const std::vector<std::string>* Path = ResolvedPath(Section);
  if (Path == nullptr)
    return Default;
  const HiveValue* V = FindValueAt(*Path, Ident);
  return V == nullptr ? Default : StringOf(V, Ident);
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident,
                              const std::string& Value) {
  const std::vector<std::string>* Path = ResolvedPath(Section);
  if (Path == nullptr)
    throw ERegistryException("Failed to create key " + Section);
  // Setting the value creates the section's key with it.
  WriteStringAt(*Path, Ident, Value);
}
