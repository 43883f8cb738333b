#include "NativeRegistry.h"

#include <windows.h>

namespace native_registry {

namespace {

// The root keys are numbers such as 0x80000001; Windows' headers make them
// handles by way of a signed 32-bit LONG, so a 64-bit program's
// HKEY_CURRENT_USER is 0xFFFFFFFF80000001, which is what the API expects.
HKEY RootOf(std::uintptr_t Root) {
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(Root)));
}

// An open key, closed on every path out.
class TKey {
 public:
  TKey(std::uintptr_t Root, const std::string& Path, REGSAM Access) {
    if (RegOpenKeyExA(RootOf(Root), Path.c_str(), 0, Access, &FKey) != ERROR_SUCCESS)
      FKey = nullptr;
  }
  ~TKey() {
    if (FKey != nullptr)
      RegCloseKey(FKey);
  }
  TKey(const TKey&) = delete;
  TKey& operator=(const TKey&) = delete;
  HKEY Get() const { return FKey; }
  explicit operator bool() const { return FKey != nullptr; }

 private:
  HKEY FKey = nullptr;
};

std::vector<std::string> Names(std::uintptr_t Root, const std::string& Path, bool Values) {
  std::vector<std::string> Result;
  const TKey Key(Root, Path, KEY_READ);
  if (!Key)
    return Result;
  // Names are at most 255 characters for keys and 16383 for values.
  std::string Buffer(16384, '\0');
  for (DWORD i = 0;; ++i) {
    auto Size = static_cast<DWORD>(Buffer.size());
    const LONG Status =
        Values
            ? RegEnumValueA(Key.Get(), i, Buffer.data(), &Size, nullptr, nullptr, nullptr, nullptr)
            : RegEnumKeyExA(Key.Get(), i, Buffer.data(), &Size, nullptr, nullptr, nullptr, nullptr);
    if (Status != ERROR_SUCCESS)
      break;
    Result.emplace_back(Buffer.data(), Size);
  }
  return Result;
}

// Creates or opens the key for writing. Below a volatile key (a run's
// registry in memory) Windows allows only volatile keys.
LONG CreateNative(std::uintptr_t Root, const std::string& Path, HKEY& Key, DWORD* Disposition) {
  LONG Status = RegCreateKeyExA(RootOf(Root), Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_WRITE, nullptr, &Key, Disposition);
  if (Status == ERROR_CHILD_MUST_BE_VOLATILE)
    Status = RegCreateKeyExA(RootOf(Root), Path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
                             nullptr, &Key, Disposition);
  return Status;
}

}  // namespace

bool CreateKey(std::uintptr_t Root, const std::string& Path, bool& Created) {
  HKEY Key = nullptr;
  DWORD Disposition = 0;
  if (CreateNative(Root, Path, Key, &Disposition) != ERROR_SUCCESS)
    return false;
  RegCloseKey(Key);
  Created = Disposition == REG_CREATED_NEW_KEY;
  return true;
}

bool KeyExists(std::uintptr_t Root, const std::string& Path) {
  return static_cast<bool>(TKey(Root, Path, KEY_READ));
}

bool DeleteKeyTree(std::uintptr_t Root, const std::string& Path) {
  if (Path.empty())
    return false;
  // RegDeleteKeyA deletes only a key without sub-keys: those go first.
  for (const std::string& Child : Names(Root, Path, false))
    if (!DeleteKeyTree(Root, Path + "\\" + Child))
      return false;
  return RegDeleteKeyA(RootOf(Root), Path.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> KeyNames(std::uintptr_t Root, const std::string& Path) {
  return Names(Root, Path, false);
}

std::vector<std::string> ValueNames(std::uintptr_t Root, const std::string& Path) {
  return Names(Root, Path, true);
}

bool QueryValue(std::uintptr_t Root, const std::string& Path, const std::string& Name,
                std::uint32_t& Type, std::string& Data) {
  const TKey Key(Root, Path, KEY_READ);
  if (!Key)
    return false;
  DWORD NativeType = 0, Size = 0;
  if (RegQueryValueExA(Key.Get(), Name.c_str(), nullptr, &NativeType, nullptr, &Size) !=
      ERROR_SUCCESS)
    return false;
  Data.assign(Size, '\0');
  if (Size > 0 && RegQueryValueExA(Key.Get(), Name.c_str(), nullptr, &NativeType,
                                   reinterpret_cast<BYTE*>(Data.data()), &Size) != ERROR_SUCCESS)
    return false;
  Data.resize(Size);
  Type = NativeType;
  return true;
}

bool SetString(std::uintptr_t Root, const std::string& Path, const std::string& Name,
               const std::string& Text) {
  return SetValue(Root, Path, Name, REG_SZ, std::string(Text.c_str(), Text.size() + 1));
}

bool SetValue(std::uintptr_t Root, const std::string& Path, const std::string& Name,
              std::uint32_t Type, const std::string& Data) {
  HKEY Key = nullptr;
  if (CreateNative(Root, Path, Key, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG Status =
      RegSetValueExA(Key, Name.c_str(), 0, Type, reinterpret_cast<const BYTE*>(Data.data()),
                     static_cast<DWORD>(Data.size()));
  RegCloseKey(Key);
  return Status == ERROR_SUCCESS;
}

bool DeleteValue(std::uintptr_t Root, const std::string& Path, const std::string& Name) {
  const TKey Key(Root, Path, KEY_SET_VALUE);
  return Key && RegDeleteValueA(Key.Get(), Name.c_str()) == ERROR_SUCCESS;
}

}  // namespace native_registry

namespace native_registry {

namespace {
const std::uintptr_t CurrentUser = 0x80000001;
// Each run's key is its own, right below Software: a parent shared by runs
// side by side could be deleted by one run's end, as empty, while another
// made its key below it, which would then be gone before it was used.
std::string VolatileKey(const std::string& Name) {
  return "Software\\Tabulon Volatile " + Name;
}
}  // namespace

bool OverrideCurrentUser(const std::string& Name) {
  HKEY Key = nullptr;
  if (RegCreateKeyExA(RootOf(CurrentUser), VolatileKey(Name).c_str(), 0, nullptr,
                      REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &Key, nullptr) != ERROR_SUCCESS)
    return false;
  // The override holds its own reference to the key.
  const LONG Overridden = RegOverridePredefKey(RootOf(CurrentUser), Key);
  RegCloseKey(Key);
  if (Overridden != ERROR_SUCCESS) {
    DeleteKeyTree(CurrentUser, VolatileKey(Name));
    return false;
  }
  return true;
}

void RestoreCurrentUser(const std::string& Name) {
  RegOverridePredefKey(RootOf(CurrentUser), nullptr);
  DeleteKeyTree(CurrentUser, VolatileKey(Name));
}

}  // namespace native_registry
