#include "Registry.h"

#include "HiveKey.h"
#include "SysUtils.h"

// What TRegistry and TRegIniFile do alike over either store, the hive file
// or Windows' own registry: how a key's path is resolved against the open
// key, and the ini file's typed values and sections, which come down to its
// strings and to DeleteKey.

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey)
    return;
  CloseKey();
  FRootKey = Value;
}

bool TRegistry::ResolvePath(const std::string& Key, std::vector<std::string>& Path) const {
  const bool Relative = Key.empty() || Key[0] != '\\';
  std::vector<std::string> Names;
  if (!SplitKeyPath(Relative ? Key : Key.substr(1), Names))
    return false;
  Path = Relative && FKeyOpen ? FCurrentNames : std::vector<std::string>();
  Path.insert(Path.end(), Names.begin(), Names.end());
  return Path.size() <= HiveMaxDepth;
}

const std::vector<std::string>* TRegistry::ResolvedPath(const std::string& Key) {
  if (!FLastResolved || Key != FLastKey) {
    FLastValid = ResolvePath(Key, FLastPath);
    FLastKey = Key;
    FLastResolved = true;
    FSectionFound = false;
    FSectionFits = false;
  }
  return FLastValid ? &FLastPath : nullptr;
}

Integer TRegIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                 Integer Default) {
  return StrToIntDef(ReadString(Section, Ident, std::string()), Default);
}

bool TRegIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteInteger(const std::string& Section, const std::string& Ident,
                               Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

void TRegIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

void TRegIniFile::EraseSection(const std::string& Section) {
  DeleteKey(Section);
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TRegIniFile::~TRegIniFile() = default;
