#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <unordered_map>

#include "CodePage.h"
#include "HiveName.h"

// The hive compares key and value names as the registry does: every UTF-16
// unit is given a value of that one-character name in a key of its own, in
// ascending order, so that a value set again under a name the registry
// takes for an earlier one holds the last unit of that name's class. The
// hive's comparison, applied to the same names in the same order, must give
// every unit the same value.
TEST(NameCase, EveryUnitComparesAsTheRegistryComparesIt) {
  // The three hosts' test programs run at once in one prefix: each its own key,
  // or one deletes it under another's feet.
  const std::wstring KeyName =
      L"Software\\Tabulon\\NameCaseTest " + std::to_wstring(GetCurrentProcessId());
  HKEY Key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KeyName.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &Key, nullptr),
            ERROR_SUCCESS);
  std::unordered_map<std::string, DWORD, HiveNameHash, HiveNameEqual> Hive;
  const auto HiveTextOf = [](DWORD Unit) {
    const char Bytes[2] = {static_cast<char>(Unit & 0xFF), static_cast<char>(Unit >> 8)};
    return Utf16LEToHiveText(std::string(Bytes, 2));
  };
  for (DWORD Unit = 1; Unit <= 0xFFFF; ++Unit) {
    const wchar_t Name[2] = {static_cast<wchar_t>(Unit), L'\0'};
    ASSERT_EQ(
        RegSetValueExW(Key, Name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Unit), sizeof Unit),
        ERROR_SUCCESS)
        << Unit;
    Hive[HiveTextOf(Unit)] = Unit;
  }
  int Differences = 0;
  for (DWORD Unit = 1; Unit <= 0xFFFF; ++Unit) {
    const wchar_t Name[2] = {static_cast<wchar_t>(Unit), L'\0'};
    DWORD Data = 0, Size = sizeof Data;
    ASSERT_EQ(RegQueryValueExW(Key, Name, nullptr, nullptr, reinterpret_cast<BYTE*>(&Data), &Size),
              ERROR_SUCCESS);
    if (Data != Hive[HiveTextOf(Unit)] && ++Differences <= 10)
      ADD_FAILURE() << std::hex << "U+" << Unit << ": the registry takes it for U+" << Data
                    << ", the hive for U+" << Hive[HiveTextOf(Unit)];
  }
  EXPECT_EQ(Differences, 0);
  RegCloseKey(Key);
  RegDeleteKeyW(HKEY_CURRENT_USER, KeyName.c_str());
}
