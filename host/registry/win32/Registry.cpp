#include "Registry.h"

#include "NativeRegistry.h"

// TRegistry and TRegIniFile over Windows' own registry: every change is made
// in the registry at once, so closing a key writes nothing and no save can
// fail later. Paths resolve as in the VCL, against the open key.

namespace {

std::string Joined(const std::vector<std::string>& Names) {
  std::string Path;
  for (const std::string& Name : Names)
    Path += (Path.empty() ? "" : "\\") + Name;
  return Path;
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() {
  CloseKey();
}

void TRegistry::ForgetKey() {
  FLastResolved = false;
  FKeyOpen = false;
  FCurrentPath.clear();
  FCurrentNames.clear();
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  std::vector<std::string> Path;
  if (!ResolvePath(Key, Path))
    return false;
  const std::string Joint = Joined(Path);
  bool Created = false;
  if (CanCreate ? !native_registry::CreateKey(FRootKey, Joint, Created)
                : !native_registry::KeyExists(FRootKey, Joint))
    return false;
  CloseKey();
  FKeyOpen = true;
  FCurrentNames = std::move(Path);
  FCurrentPath = Joint;
  return true;
}

bool TRegistry::CreateKey(const std::string& Key) {
  std::vector<std::string> Path;
  bool Created = false;
  if (!ResolvePath(Key, Path) || !native_registry::CreateKey(FRootKey, Joined(Path), Created))
    throw ERegistryException("Failed to create key " + Key);
  return Created;
}

void TRegistry::CloseKey() {
  ForgetKey();
}

bool TRegistry::DeleteKey(const std::string& Key) {
  std::vector<std::string> Path;
  // An empty name would mean the open key itself, which the VCL never
  // deletes through this call.
  if (Key.empty() || !ResolvePath(Key, Path) || Path.empty())
    return false;
  return native_registry::DeleteKeyTree(FRootKey, Joined(Path));
}

bool TRegistry::KeyExists(const std::string& Key) {
  std::vector<std::string> Path;
  return ResolvePath(Key, Path) && native_registry::KeyExists(FRootKey, Joined(Path));
}

bool TRegistry::HasSubKeys() {
  return !native_registry::KeyNames(FRootKey, FCurrentPath).empty();
}

namespace {

// No 8-bit name holds a NUL: the API would end the name there and reach
// another value.
bool Query(HKEY Root, const std::string& Path, const std::string& Name, std::uint32_t& Type,
           std::string& Data) {
  return Name.find('\0') == std::string::npos &&
         native_registry::QueryValue(Root, Path, Name, Type, Data);
}

// The text of a value as ReadString gives it ("" for no value).
std::string StringOfValue(bool Found, std::uint32_t Type, const std::string& Data,
                          const std::string& Name) {
  // The VCL reads an empty value of any type as "" without looking at it.
  if (!Found || Data.empty())
    return std::string();
  if (Type != native_registry::kString && Type != native_registry::kExpandString)
    throw ERegistryException("Invalid data type for '" + Name + "'");
  return Data.substr(0, Data.find('\0'));
}

void SetString(HKEY Root, const std::string& Path, const std::string& Name,
               const std::string& Value) {
  if (!IsStorableValueName(Name) || !native_registry::SetString(Root, Path, Name, Value))
    throw ERegistryException("Failed to set data for '" + Name + "'");
}

}  // namespace

bool TRegistry::ValueExists(const std::string& Name) {
  std::uint32_t Type = 0;
  std::string Data;
  return Query(FRootKey, FCurrentPath, Name, Type, Data);
}

bool TRegistry::DeleteValue(const std::string& Name) {
  return Name.find('\0') == std::string::npos &&
         native_registry::DeleteValue(FRootKey, FCurrentPath, Name);
}

std::string TRegistry::ReadString(const std::string& Name) {
  std::uint32_t Type = 0;
  std::string Data;
  const bool Found = Query(FRootKey, FCurrentPath, Name, Type, Data);
  return StringOfValue(Found, Type, Data, Name);
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  SetString(FRootKey, FCurrentPath, Name, Value);
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  for (const std::string& Name : native_registry::KeyNames(FRootKey, FCurrentPath))
    Strings->Add(Name);
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  for (const std::string& Name : native_registry::ValueNames(FRootKey, FCurrentPath))
    Strings->Add(Name);
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) {
  const std::vector<std::string>* Path = ResolvedPath(Section);
  std::uint32_t Type = 0;
  std::string Data;
  if (Path == nullptr || !Query(RootKey(), Joined(*Path), Ident, Type, Data))
    return Default;
  return StringOfValue(true, Type, Data, Ident);
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident,
                              const std::string& Value) {
  const std::vector<std::string>* Path = ResolvedPath(Section);
  if (Path == nullptr)
    throw ERegistryException("Failed to create key " + Section);
  // Setting the value creates the section's key with it.
  SetString(RootKey(), Joined(*Path), Ident, Value);
}
