#include <gtest/gtest.h>

#include "Registry.h"
#include "RegistryHive.h"

// The hive store is all there is of the registry on POSIX: without it
// nothing opens, and it holds HKEY_CURRENT_USER alone. Windows' registry is
// always there, with all its roots.

TEST(HiveRoots, WithoutAHiveNothingOpensAndWritesRaise) {
  ASSERT_EQ(RegistryHive::Current(), nullptr);
  TRegIniFile Reg;
  EXPECT_EQ(Reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(Reg.OpenKey("Software", true));
  EXPECT_FALSE(Reg.KeyExists("Software"));
  EXPECT_EQ(Reg.ReadString("S", "v", "dflt"), "dflt");
  EXPECT_THROW(Reg.WriteString("S", "v", "x"), ERegistryException);
}

TEST(HiveRoots, OtherRootsHaveNoHive) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKey("Software", true));
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(Reg.CurrentPath(), "");
  EXPECT_FALSE(Reg.OpenKey("Software", false));
  EXPECT_THROW(Reg.WriteString("v", "x"), ERegistryException);
  Reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_TRUE(Reg.OpenKey("Software", false));
}
