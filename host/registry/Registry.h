#pragma once

// Delphi's Registry unit: TRegistry and TRegIniFile with the VCL's behaviour,
// over the current RegistryHive (see RegistryHive.h). Only HKEY_CURRENT_USER
// is backed by a hive; any other root has no keys and cannot be written.
//
// As in the VCL, a path with a leading backslash starts at the root and any
// other path is relative to the open key (or to the root when no key is
// open). Key and value names compare without regard to case.

#include <cstdint>
#include <string>
#include <vector>

#include "Classes.h"
#include "HiveError.h"
#include "HiveKey.h"

class RegistryHive;

using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

class TRegistry : public TObject {
 public:
  // Root HKEY_CURRENT_USER, no key open.
  TRegistry();
  // Closes the key, which writes this object's changes. A destructor cannot
  // raise: a failure to write is left in the hive's save failures (see
  // RegistryHive::TakeSaveFailures) for the host to report. Call CloseKey
  // first to see it as an ERegistryException.
  ~TRegistry() override;

  HKEY RootKey() const { return FRootKey; }
  // Closes the open key, as the VCL does.
  void SetRootKey(HKEY Value);
  // The open key's path without a leading backslash; empty when none is open.
  const std::string& CurrentPath() const { return FCurrentPath; }

  // Opens Key, creating every missing key on the way when CanCreate is set.
  // False when the key does not exist, the path is not a valid key path
  // (which includes one deeper than HiveMaxDepth), there is no current hive
  // or, with CanCreate, the hive cannot be written.
  // The previously open key is closed (and its changes written) on success.
  // Raises ERegistryException when the hive's file cannot be parsed.
  bool OpenKey(const std::string& Key, bool CanCreate);
  // Creates Key (and what is missing above it); false when it exists already.
  // Raises ERegistryException when it cannot be created.
  bool CreateKey(const std::string& Key);
  // Writes this object's changes to the hive (one atomic replace of the
  // file) and closes the open key. Raises ERegistryException when the write
  // fails; the file is then as it was and the changes are dropped, so that
  // nothing the caller was told had failed is written later.
  void CloseKey();
  // Deletes Key with every key and value below it; false when it does not
  // exist, is the root, or the hive cannot be written. A key that does not
  // exist here is still deleted from the file when this object's changes
  // are written, should another process have made it meanwhile.
  bool DeleteKey(const std::string& Key);
  bool KeyExists(const std::string& Key);
  bool HasSubKeys();

  bool ValueExists(const std::string& Name);
  bool DeleteValue(const std::string& Name);
  // The text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL; "" when
  // the value does not exist. Raises ERegistryException for other types.
  std::string ReadString(const std::string& Name);
  // Writes a REG_SZ. Raises ERegistryException when there is no hive or the
  // name holds CR, LF or NUL (a hive file cannot carry such a name).
  void WriteString(const std::string& Name, const std::string& Value);

  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);

 protected:
  // Key as a path from the root; false when it is not a valid key path.
  bool ResolvePath(const std::string& Key, std::vector<std::string>& Path) const;
  // The same without a copy: the path kept from the last call for the same
  // Key, while the same key is open; nullptr when Key is not a valid path.
  // Valid until the next call or until a key is opened or closed.
  const std::vector<std::string>* ResolvedPath(const std::string& Key);
  // The current hive when it backs the root key; forgets the open key when
  // the hive it was opened in has gone.
  RegistryHive* Hive();
  const HiveKey* FindKey(const std::vector<std::string>& Path);
  const HiveValue* FindValueAt(const std::vector<std::string>& Path, const std::string& Name);
  // The text of V as ReadString gives it ("" for no value).
  static std::string StringOf(const HiveValue* V, const std::string& Name);
  void WriteStringAt(const std::vector<std::string>& Path, const std::string& Name,
                     const std::string& Value);
  bool DeleteKeyAt(const std::vector<std::string>& Path);
  // False, with the save failed and this object's changes dropped, when a
  // name of Path or the value name is longer than Windows allows.
  bool NamesFit(RegistryHive& H, const std::vector<std::string>& Path, const std::string* Value);

 private:
  void ForgetKey();

  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FKeyOpen = false;
  std::string FCurrentPath;
  std::vector<std::string> FCurrentNames;
  std::uint64_t FHiveSerial = 0;
  // The open key as last looked up, and the hive's generation then.
  const HiveKey* FResolvedKey = nullptr;
  std::uint64_t FResolvedGeneration = 0;
  // What ResolvedPath last resolved: an ini file resolves the same section
  // for every value it reads or writes there.
  std::string FLastKey;
  std::vector<std::string> FLastPath;
  bool FLastResolved = false;
  bool FLastValid = false;
  // The key of that path as FindKey last found it (nullptr: none), and the
  // hive's generation then.
  const HiveKey* FSectionKey = nullptr;
  std::uint64_t FSectionGeneration = 0;
  bool FSectionFound = false;
  // Whether that path's names were found short enough to be written.
  bool FSectionFits = false;
};

// The ini-file view of a key: sections are sub-keys of the open key, idents
// are REG_SZ values in them, numbers and flags are stored as text.
class TRegIniFile : public TRegistry {
 public:
  TRegIniFile() = default;
  ~TRegIniFile() override;

  // Default when the section or the value does not exist. Raises
  // ERegistryException for a value that is not a string.
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default);
  // StrToIntDef of the text: an empty, missing or non-numeric value gives
  // Default.
  Integer ReadInteger(const std::string& Section, const std::string& Ident, Integer Default);
  // ReadInteger with Default as 0 or 1, true when not 0.
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);

  // Create the section when missing and write a REG_SZ: the text, the signed
  // decimal number, "1" or "0".
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Ident, Integer Value);
  void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

  // Deletes the section's key with everything below it.
  void EraseSection(const std::string& Section);
};
