#pragma once

// Windows' registry (advapi32) as the win32 registry calls it. Only
// NativeRegistry.cpp includes <windows.h>: its HKEY is a handle type, where
// Registry.h's is the number of a root key. Paths are backslash-separated
// key names below the root, in the program's 8-bit text.

#include <cstdint>
#include <string>
#include <vector>

namespace native_registry {

// Creates the key and what is missing above it; false when it cannot.
// Created tells whether it was missing.
bool CreateKey(std::uintptr_t Root, const std::string& Path, bool& Created);
bool KeyExists(std::uintptr_t Root, const std::string& Path);
// Deletes the key with every key below it; false when it does not exist or
// cannot be deleted.
bool DeleteKeyTree(std::uintptr_t Root, const std::string& Path);
std::vector<std::string> KeyNames(std::uintptr_t Root, const std::string& Path);
std::vector<std::string> ValueNames(std::uintptr_t Root, const std::string& Path);

constexpr std::uint32_t kString = 1;        // REG_SZ
constexpr std::uint32_t kExpandString = 2;  // REG_EXPAND_SZ
// The value's type and bytes; false when the key or the value is missing.
bool QueryValue(std::uintptr_t Root, const std::string& Path, const std::string& Name,
                std::uint32_t& Type, std::string& Data);
// Writes a REG_SZ of Text and its NUL into the key, creating it when
// missing.
bool SetString(std::uintptr_t Root, const std::string& Path, const std::string& Name,
               const std::string& Text);
bool DeleteValue(std::uintptr_t Root, const std::string& Path, const std::string& Name);
// Writes a value of any type, its bytes as given, creating the key when
// missing.
bool SetValue(std::uintptr_t Root, const std::string& Path, const std::string& Name,
              std::uint32_t Type, const std::string& Data);

}  // namespace native_registry

namespace native_registry {

// Points this process's HKEY_CURRENT_USER at a new volatile key (one that
// Windows never writes to disk) below the real one, "Tabulon Volatile Name"
// below Software, so that a run can keep its settings in memory; false when it
// cannot. RestoreCurrentUser points it back and deletes the key with all it
// holds.
bool OverrideCurrentUser(const std::string& Name);
void RestoreCurrentUser(const std::string& Name);

}  // namespace native_registry
