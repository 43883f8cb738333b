#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <process.h>

#include "NativeRegistry.h"
#include "Registry.h"
#include "RegistryHive.h"

using ::testing::HasSubstr;
using ::testing::Not;

// A run's registry in memory on Windows: what the run writes is there for
// it under HKEY_CURRENT_USER, the user's own keys stay as they were, and
// nothing is left behind; the text the simulator shows is made from it.

namespace {
constexpr std::uintptr_t kCurrentUser = 0x80000001;
const std::string kKey = "Software\\Tabulon\\MemoryRegistryTest";
}  // namespace

TEST(MemoryRegistry, WritesStayInTheRunAndTheUsersKeysStayOutOfIt) {
  ASSERT_TRUE(native_registry::SetString(kCurrentUser, kKey, "Users", "kept"));
  {
    RegistryHive Hive(RegistryHive::Memory);
    EXPECT_TRUE(Hive.InMemory());
    EXPECT_THROW(RegistryHive(RegistryHive::Memory), ERegistryException);
    TRegIniFile Ini;
    // The user's key is not seen from inside, and a key made inside (below
    // a volatile one, so volatile too) takes values.
    EXPECT_FALSE(Ini.OpenKey("\\" + kKey, false));
    ASSERT_TRUE(Ini.OpenKey("\\" + kKey, true));
    Ini.WriteString("Timer", "PagesSort", "A\x1f\x1f");
    EXPECT_EQ(Ini.ReadString("Timer", "PagesSort", ""), "A\x1f\x1f");
    Hive.Apply(
        &Hive,
        HiveOp{HiveOp::SetValue, {"Software", "D"}, "n", REG_DWORD, std::string("\x05\0\0\0", 4)});
    const std::string Text = Hive.Text();
    EXPECT_THAT(Text,
                HasSubstr("[HKEY_CURRENT_USER\\Software\\Tabulon\\MemoryRegistryTest\\Timer]\r\n"
                          "\"PagesSort\"=\"A\x1f\x1f\""))
        << Text;
    EXPECT_THAT(Text, HasSubstr("\"n\"=dword:00000005")) << Text;
    EXPECT_THAT(Text, Not(HasSubstr("Users"))) << Text;
  }
  EXPECT_EQ(RegistryHive::Current(), nullptr);
  std::uint32_t Type = 0;
  std::string Data;
  ASSERT_TRUE(native_registry::QueryValue(kCurrentUser, kKey, "Users", Type, Data));
  EXPECT_EQ(Data, std::string("kept", 5));
  EXPECT_FALSE(native_registry::KeyExists(kCurrentUser, kKey + "\\Timer"));
  EXPECT_FALSE(native_registry::KeyExists(kCurrentUser, "Software\\D"));
  // This process's volatile key went with its run; those of runs side by
  // side in other processes are theirs to remove.
  const std::string Own = "Tabulon Volatile " + std::to_string(_getpid()) + "-";
  for (const std::string& Name : native_registry::KeyNames(kCurrentUser, "Software"))
    EXPECT_NE(Name.rfind(Own, 0), 0u) << Name;
  native_registry::DeleteKeyTree(kCurrentUser, kKey);

  // A file is the hive file's, which Windows does not use.
  EXPECT_THROW(RegistryHive("hive.reg"), ERegistryException);
  RegistryHive Native(RegistryHive::Native);
  EXPECT_FALSE(Native.InMemory());
}
