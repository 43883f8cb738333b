#pragma once

// The in-memory form of a registry hive: a tree of keys, each holding values.
// Key and value names compare as Windows compares them (see HiveName.h) and
// keep the case they were created with.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "HiveName.h"
#include "System.h"

// Registry data types, numbered as Win32 numbers them.
constexpr Cardinal REG_NONE = 0;
constexpr Cardinal REG_SZ = 1;
constexpr Cardinal REG_EXPAND_SZ = 2;
constexpr Cardinal REG_BINARY = 3;
constexpr Cardinal REG_DWORD = 4;
constexpr Cardinal REG_MULTI_SZ = 7;

// The types whose data is text, UTF-16LE in the registry of a Unicode Windows.
inline bool IsRegStringType(Cardinal Type) {
  return Type == REG_SZ || Type == REG_EXPAND_SZ || Type == REG_MULTI_SZ;
}

// One value. Data holds the bytes exactly as the registry stores them, so a
// REG_SZ written from text carries its terminating NUL, and values of types
// nobody here interprets survive a read and write unchanged.
// Names are hive text (see CodePage.h). Data holds what the add-in's 8-bit
// calls read; a string value read from a version 5.00 file with a character
// Windows-1251 has no byte for also keeps its UTF-16LE bytes in Wide, which
// are written back as they came until the value is set again.
struct HiveValue {
  std::string Name;
  Cardinal Type = REG_NONE;
  std::string Data;
  std::string Wide;
};

// Windows' limit on the depth of a key below its root.
constexpr std::size_t HiveMaxDepth = 512;
// Windows' limits on names, in characters: regedit drops longer ones on
// import without a word, so they are refused instead.
constexpr std::size_t HiveMaxKeyName = 255;
constexpr std::size_t HiveMaxValueName = 16383;

// Why a key name (Value false) or a value name is longer than Windows
// allows, naming it; "" when it is not.
std::string HiveNameTooLong(const std::string& Name, bool Value);
// The same for a name of Length characters that starts with Start (hive
// text, its first 40 characters at least where it has them), for a reader
// that need not hold the whole name to refuse it.
std::string HiveNameLengthError(const std::string& Start, std::size_t Length, bool Value);

class HiveKey {
 public:
  explicit HiveKey(std::string Name = std::string()) : FName(std::move(Name)) {}
  // Frees the keys below without recursion, so that no depth of tree can
  // exhaust the stack.
  ~HiveKey();
  HiveKey(const HiveKey&) = delete;
  HiveKey& operator=(const HiveKey&) = delete;

  const std::string& Name() const { return FName; }

  HiveKey* FindChild(const std::string& Name);
  const HiveKey* FindChild(const std::string& Name) const;
  // The existing child of that name, or a new one named as given.
  HiveKey& AddChild(const std::string& Name);
  bool RemoveChild(const std::string& Name);
  // Children in case-insensitive name order, which is also the order in
  // which they are written to a file.
  using TChildren = std::map<std::string, std::unique_ptr<HiveKey>, HiveNameLess>;
  const TChildren& Children() const { return FChildren; }

  const HiveValue* FindValue(const std::string& Name) const;
  // Replaces the data of an existing value in place (keeping its position
  // and the case of its name) or appends a new value.
  void SetValue(const std::string& Name, Cardinal Type, std::string Data,
                std::string Wide = std::string());
  bool DeleteValue(const std::string& Name);
  // Values in the order they were first set. Deleting leaves the values in
  // place until they are next listed, so that deleting many costs time in
  // proportion to their number.
  const std::vector<HiveValue>& Values() const;
  // How many value slots compacting the values has visited so far; tests
  // read it to see that deleting stays linear.
  std::size_t CompactSteps() const { return FCompactSteps; }

  void Clear();

 private:
  // Drops the slots of deleted values and renumbers the index.
  void Compact() const;

  std::string FName;
  // The values, and slots of deleted ones that no index entry leads to.
  mutable std::vector<HiveValue> FValues;
  // Position of each value in FValues by its name, so that a key with many
  // values loads and reads in time proportional to their number.
  mutable std::unordered_map<std::string, std::size_t, HiveNameHash, HiveNameEqual> FValueIndex;
  mutable std::size_t FCompactSteps = 0;
  TChildren FChildren;
};

// A key path as its names from the root down. Returns false for a path that
// no key can have: an empty name between two backslashes, a name holding
// CR, LF or NUL (bytes the hive file cannot carry in a key line), or more
// than HiveMaxDepth names. A single trailing backslash is accepted, as
// Windows accepts it.
bool SplitKeyPath(const std::string& Path, std::vector<std::string>& Names);

// Whether a value name can be written to a hive file: CR, LF and NUL have no
// escape inside quotes.
bool IsStorableValueName(const std::string& Name);

// One recorded change. A registry object records what it changed so that the
// change can be applied again on top of whatever another process has written
// to the file in the meantime.
struct HiveOp {
  enum TKind { CreateKey, SetValue, DeleteValue, DeleteKey };
  TKind Kind = CreateKey;
  std::vector<std::string> Path;  // the key, from the root down
  std::string Name;               // the value, for SetValue and DeleteValue
  Cardinal Type = REG_NONE;
  std::string Data;
};

// Applies Op to the tree under Root. Setting a value creates its key when
// another writer deleted it meanwhile: the change this object made wins
// rather than disappearing. Deleting the root path empties the hive.
void ApplyHiveOp(HiveKey& Root, const HiveOp& Op);
// The same for a change given by its parts.
void ApplyHiveOp(HiveKey& Root, HiveOp::TKind Kind, const std::vector<std::string>& Path,
                 const std::string& Name, Cardinal Type, const std::string& Data);

HiveKey* FindHiveKey(HiveKey& Root, const std::vector<std::string>& Path);
// The key at Path, created with every missing key above it.
HiveKey& EnsureHiveKey(HiveKey& Root, const std::vector<std::string>& Path);
const HiveKey* FindHiveKey(const HiveKey& Root, const std::vector<std::string>& Path);
