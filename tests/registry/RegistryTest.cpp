#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Classes.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "TestText.h"

using ::testing::HasSubstr;

TEST(Registry, OneHiveAtATime) {
  {
    RegistryHive First(RegistryHive::Memory);
    EXPECT_EQ(RegistryHive::Current(), &First);
    EXPECT_THROW(RegistryHive Second(RegistryHive::Memory), ERegistryException);
    EXPECT_EQ(RegistryHive::Current(), &First);
  }
  EXPECT_EQ(RegistryHive::Current(), nullptr);
  RegistryHive Third(RegistryHive::Memory);
  EXPECT_EQ(RegistryHive::Current(), &Third);
}

TEST(Registry, OpenKeyRelativeAbsoluteAndCreate) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegistry Reg;
  EXPECT_EQ(Reg.CurrentPath(), "");
  EXPECT_FALSE(Reg.OpenKey("Software\\Borland", false));
  ASSERT_TRUE(Reg.OpenKey("Software\\Borland", true));
  EXPECT_EQ(Reg.CurrentPath(), "Software\\Borland");
  // Relative to the open key, creating every missing key on the way.
  ASSERT_TRUE(Reg.OpenKey("Delphi\\7.0\\", true));
  EXPECT_EQ(Reg.CurrentPath(), "Software\\Borland\\Delphi\\7.0");
  EXPECT_TRUE(Reg.KeyExists("\\software\\BORLAND\\delphi"));
  EXPECT_FALSE(Reg.KeyExists("Delphi"));  // relative: ...\7.0\Delphi
  // A failed open leaves the open key as it was.
  EXPECT_FALSE(Reg.OpenKey("Missing", false));
  EXPECT_FALSE(Reg.OpenKey("a\\\\b", true));
  EXPECT_FALSE(Reg.OpenKey(std::string("bad\nname"), true));
  EXPECT_EQ(Reg.CurrentPath(), "Software\\Borland\\Delphi\\7.0");
  // A leading backslash starts at the root; names match in any case and
  // keep the case they were created with.
  ASSERT_TRUE(Reg.OpenKey("\\SOFTWARE", false));
  EXPECT_EQ(Reg.CurrentPath(), "SOFTWARE");
  EXPECT_TRUE(Reg.HasSubKeys());
  TStringList Keys;
  Reg.GetKeyNames(&Keys);
  EXPECT_EQ(Lines(&Keys), std::vector<std::string>{"Borland"});
  Reg.CloseKey();
  EXPECT_EQ(Reg.CurrentPath(), "");
  // With no key open, a relative path starts at the root, as in the VCL.
  EXPECT_TRUE(Reg.KeyExists("Software\\Borland\\Delphi\\7.0"));
  EXPECT_FALSE(Reg.CreateKey("software"));
  EXPECT_TRUE(Reg.CreateKey("Other\\Deep"));
  EXPECT_TRUE(Reg.KeyExists("other\\deep"));
}

TEST(Registry, IniReadsGiveDefaultsAndConvertAsTheVclDoes) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("Software\\T", true));
  EXPECT_EQ(Reg.ReadString("NoSection", "v", "d"), "d");
  Reg.WriteString("S", "text", "abc");
  Reg.WriteString("S", "empty", "");
  Reg.WriteString("S", "num", "-16777190");
  Reg.WriteString("S", "hex", "$1A");
  Reg.WriteString("S", "junk", "12x");
  Reg.WriteString("S", "two", "2");
  EXPECT_EQ(Reg.ReadString("S", "missing", "d"), "d");
  EXPECT_EQ(Reg.ReadString("s", "TEXT", "d"), "abc");
  // An existing empty value is "", not the default.
  EXPECT_EQ(Reg.ReadString("S", "empty", "d"), "");

  EXPECT_EQ(Reg.ReadInteger("S", "num", 7), -16777190);
  EXPECT_EQ(Reg.ReadInteger("S", "hex", 7), 26);  // StrToIntDef's Delphi syntax
  EXPECT_EQ(Reg.ReadInteger("S", "empty", 7), 7);
  EXPECT_EQ(Reg.ReadInteger("S", "junk", 7), 7);
  EXPECT_EQ(Reg.ReadInteger("S", "text", 7), 7);
  EXPECT_EQ(Reg.ReadInteger("S", "missing", 7), 7);
  EXPECT_EQ(Reg.ReadInteger("NoSection", "num", 7), 7);

  EXPECT_TRUE(Reg.ReadBool("S", "two", false));
  EXPECT_TRUE(Reg.ReadBool("S", "empty", true));
  EXPECT_FALSE(Reg.ReadBool("S", "empty", false));
  EXPECT_TRUE(Reg.ReadBool("S", "missing", true));

  Reg.WriteInteger("S", "num", -5);
  Reg.WriteInteger("S", "big", 2147483647);
  Reg.WriteBool("S", "on", true);
  Reg.WriteBool("S", "off", false);
  EXPECT_EQ(Reg.ReadString("S", "num", ""), "-5");
  EXPECT_EQ(Reg.ReadString("S", "big", ""), "2147483647");
  EXPECT_EQ(Reg.ReadString("S", "on", ""), "1");
  EXPECT_EQ(Reg.ReadString("S", "off", ""), "0");
  EXPECT_FALSE(Reg.ReadBool("S", "off", true));

  // The section "" is the open key itself.
  Reg.WriteString("", "here", "x");
  EXPECT_TRUE(Reg.ValueExists("here"));
}

TEST(Registry, ValuesMatchInAnyCaseAndKeepOrderAndCase) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("Beta", "1");
  Reg.WriteString("alpha", "2");
  Reg.WriteString("BETA", "3");
  Reg.WriteString("", "unnamed");
  TStringList Values;
  Reg.GetValueNames(&Values);
  // Windows lists values in its registry's order (Wine's by name); the hive
  // in the order they were first set.
#ifdef _WIN32
  EXPECT_THAT(Lines(&Values), ::testing::UnorderedElementsAre("Beta", "alpha", ""));
#else
  EXPECT_EQ(Lines(&Values), (std::vector<std::string>{"Beta", "alpha", ""}));
#endif
  EXPECT_EQ(Reg.ReadString("beta"), "3");
  EXPECT_EQ(Reg.ReadString(""), "unnamed");
  EXPECT_EQ(Reg.ReadString("missing"), "");
  EXPECT_TRUE(Reg.DeleteValue("ALPHA"));
  EXPECT_FALSE(Reg.DeleteValue("alpha"));
  EXPECT_FALSE(Reg.ValueExists("alpha"));
  // A name that no hive file could hold is refused rather than corrupting it.
  EXPECT_THROW(Reg.WriteString("a\r\nb", "x"), ERegistryException);
  EXPECT_THROW(Reg.WriteString(std::string("a\0b", 3), "x"), ERegistryException);
  Reg.GetValueNames(&Values);
  EXPECT_EQ(Values.Count(), 2);
}

TEST(Registry, ReadStringOfAnotherTypeRaises) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Hive.Apply(&Hive, HiveOp{HiveOp::SetValue, {"K", "S"}, "d", REG_DWORD, std::string(4, '\1')});
  Hive.Apply(&Hive, HiveOp{HiveOp::SetValue, {"K", "S"}, "x", REG_EXPAND_SZ, "%P%\0"});
  Hive.Apply(&Hive, HiveOp{HiveOp::SetValue, {"K", "S"}, "z", REG_BINARY, ""});
  EXPECT_THROW(Reg.ReadString("S", "d", "dflt"), ERegistryException);
  EXPECT_THROW(Reg.ReadInteger("S", "d", 1), ERegistryException);
  EXPECT_THROW(Reg.ReadBool("S", "d", true), ERegistryException);
  EXPECT_EQ(Reg.ReadString("S", "x", ""), "%P%");
  EXPECT_EQ(Reg.ReadString("S", "z", "dflt"), "");  // the VCL reads empty data as ""
}

// A section is a path below whatever key is open at that moment, also when
// the same section name was just used under another key or with none open.
TEST(Registry, IniSectionsFollowTheOpenKey) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("A", true));
  Reg.WriteString("S", "v", "in A");
  ASSERT_TRUE(Reg.OpenKey("\\B", true));
  EXPECT_EQ(Reg.ReadString("S", "v", "none"), "none");
  Reg.WriteString("S", "v", "in B");
  Reg.CloseKey();
  EXPECT_EQ(Reg.ReadString("S", "v", "none"), "none");
  Reg.WriteString("S", "v", "at the root");
  EXPECT_EQ(Reg.ReadString("a\\\\b", "v", "bad path"), "bad path");
  EXPECT_THROW(Reg.WriteString("a\\\\b", "v", "x"), ERegistryException);
  ASSERT_TRUE(Reg.OpenKey("A", false));
  EXPECT_EQ(Reg.ReadString("S", "v", ""), "in A");
  EXPECT_EQ(Reg.ReadString("\\B\\S", "v", ""), "in B");
  EXPECT_EQ(Reg.ReadString("\\S", "v", ""), "at the root");
  // A section read as missing, or read before it changed, is read anew
  // once another object has written it.
  TRegIniFile Other;
  ASSERT_TRUE(Other.OpenKey("\\A", false));
  EXPECT_EQ(Reg.ReadString("T", "w", "none"), "none");
  Other.WriteString("T", "w", "by the other");
  EXPECT_EQ(Reg.ReadString("T", "w", "none"), "by the other");
  Other.EraseSection("T");
  EXPECT_EQ(Reg.ReadString("T", "w", "none"), "none");
}

TEST(Registry, EraseSectionAndDeleteKeyTakeEverythingBelow) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("Software\\X", true));
  Reg.WriteString("Pages", "a", "1");
  Reg.WriteString("Pages\\Sub\\Deeper", "b", "2");
  Reg.WriteString("Timer", "c", "3");
  Reg.EraseSection("pages");
  EXPECT_FALSE(Reg.KeyExists("Pages"));
  EXPECT_FALSE(Reg.KeyExists("Pages\\Sub\\Deeper"));
  EXPECT_EQ(Reg.ReadString("Pages\\Sub\\Deeper", "b", "gone"), "gone");
  EXPECT_EQ(Reg.ReadString("Timer", "c", ""), "3");
  // Writing to the erased section brings it back empty but for the value.
  Reg.WriteString("Pages", "new", "4");
  EXPECT_EQ(Reg.ReadString("Pages", "a", "gone"), "gone");
  Reg.EraseSection("NoSuchSection");

  EXPECT_FALSE(Reg.DeleteKey("NoSuchKey"));
  EXPECT_FALSE(Reg.DeleteKey(""));
  EXPECT_FALSE(Reg.DeleteKey("\\"));
  EXPECT_TRUE(Reg.DeleteKey("\\Software\\X\\Timer"));
  EXPECT_FALSE(Reg.KeyExists("Timer"));
  EXPECT_TRUE(Reg.KeyExists("Pages"));
}

TEST(Registry, ObjectsShareTheHiveAndOutliveIt) {
  auto Hive = std::make_unique<RegistryHive>(RegistryHive::Memory);
  TRegIniFile Writer, Reader;
  ASSERT_TRUE(Writer.OpenKey("K", true));
  Writer.WriteString("S", "v", "1");
  // Before the writer closes its key, as the Windows registry does.
  ASSERT_TRUE(Reader.OpenKey("K", false));
  EXPECT_EQ(Reader.ReadString("S", "v", ""), "1");
  Writer.CloseKey();
  EXPECT_THAT(Hive->Text(), HasSubstr("\"v\"=\"1\""));

  // The hive goes first: the objects lose their key instead of touching
  // freed memory, and work with the next hive. Windows' registry outlives
  // any hive.
#ifndef _WIN32
  Hive.reset();
  EXPECT_FALSE(Reader.KeyExists("K"));
  EXPECT_FALSE(Reader.OpenKey("K", false));
  RegistryHive Next(RegistryHive::Memory);
  EXPECT_EQ(Reader.CurrentPath(), "");
  EXPECT_EQ(Reader.ReadString("K\\S", "v", "new hive"), "new hive");
  EXPECT_TRUE(Reader.OpenKey("K", true));
#endif
}
