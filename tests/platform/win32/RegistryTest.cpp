#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "Classes.h"
#include "NativeRegistry.h"
#include "Registry.h"

using ::testing::HasSubstr;

// TRegistry and TRegIniFile over Windows' own registry (Wine's, in the
// build tree's prefix): what one object writes under HKEY_CURRENT_USER is
// there for another, as REG_SZ values of real keys, and erasing and deleting
// take whole trees.

namespace {

const std::string kKey = "Software\\Tabulon\\RegistryTest";
// "Стандарт" in Windows-1251.
const std::string kCyrillic = "\xD1\xF2\xE0\xED\xE4\xE0\xF0\xF2";

bool Contains(TStrings& List, const std::string& S) {
  return List.IndexOf(S) >= 0;
}

TEST(Registry, IniFileRoundTripThroughTheRealRegistry) {
  {
    TRegistry Clean;
    Clean.DeleteKey("\\" + kKey);
  }
  TRegIniFile Ini;
  ASSERT_TRUE(Ini.OpenKey("\\" + kKey, true));
  EXPECT_EQ(Ini.CurrentPath(), kKey);
  Ini.WriteString("Groups", "Name", kCyrillic);
  Ini.WriteInteger("Groups", "Count", -42);
  Ini.WriteBool("Groups", "Shown", true);
  EXPECT_THROW(Ini.WriteString("Groups", "Two\nLines", "x"), ERegistryException);
  Ini.CloseKey();

  // The value is a REG_SZ with its NUL in the registry itself.
  std::uint32_t Type = 0;
  std::string Data;
  ASSERT_TRUE(
      native_registry::QueryValue(HKEY_CURRENT_USER, kKey + "\\Groups", "Name", Type, Data));
  EXPECT_EQ(Type, native_registry::kString);
  EXPECT_EQ(Data, kCyrillic + '\0');

  TRegIniFile Other;
  EXPECT_FALSE(Other.OpenKey("\\" + kKey + "\\Missing", false));
  ASSERT_TRUE(Other.OpenKey("\\" + kKey, false));
  EXPECT_EQ(Other.ReadString("Groups", "Name", "none"), kCyrillic);
  EXPECT_EQ(Other.ReadInteger("Groups", "Count", 0), -42);
  EXPECT_TRUE(Other.ReadBool("Groups", "Shown", false));
  EXPECT_EQ(Other.ReadString("Groups", "Absent", "none"), "none");
  EXPECT_EQ(Other.ReadString("Nowhere", "Name", "none"), "none");
  EXPECT_TRUE(Other.HasSubKeys());
  auto Names = std::make_unique<TStringList>();
  Other.GetKeyNames(Names.get());
  EXPECT_TRUE(Contains(*Names, "Groups"));

  // A relative path opens below the open key.
  ASSERT_TRUE(Other.OpenKey("Groups", false));
  EXPECT_EQ(Other.CurrentPath(), kKey + "\\Groups");
  Other.GetValueNames(Names.get());
  EXPECT_EQ(Names->Count(), 3);
  EXPECT_TRUE(Other.ValueExists("COUNT")) << "names compare without case";
  EXPECT_TRUE(Other.DeleteValue("Count"));
  EXPECT_FALSE(Other.ValueExists("Count"));
  EXPECT_FALSE(Other.DeleteValue("Count"));
  EXPECT_EQ(Other.TRegistry::ReadString("Absent"), "");

  // Creating says whether the key was new; erasing a section and deleting a
  // key take everything below them.
  EXPECT_TRUE(Other.CreateKey("Deeper\\Still"));
  EXPECT_FALSE(Other.CreateKey("Deeper\\Still"));
  ASSERT_TRUE(Other.OpenKey("\\" + kKey, false));
  Other.EraseSection("Groups");
  EXPECT_FALSE(Other.KeyExists("Groups"));
  EXPECT_TRUE(Other.DeleteKey("\\" + kKey));
  EXPECT_FALSE(Other.KeyExists("\\" + kKey));
  EXPECT_FALSE(Other.DeleteKey("\\" + kKey));
}

// What Wine's own registry editor imports is what TRegIniFile reads, and
// what TRegIniFile writes is what the editor exports: the store is the
// registry, not a copy of it.
TEST(Registry, WineRegeditSeedsAndReadsBack) {
  const std::filesystem::path Dir = std::filesystem::temp_directory_path() / "tabulon-regedit";
  std::filesystem::create_directories(Dir);
  const std::string Seed = (Dir / "seed.reg").string(), Out = (Dir / "out.reg").string();
  {
    std::ofstream File(Seed, std::ios::binary);
    File << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" << kKey << "\\Seeded]\r\n"
         << "\"Caption\"=\"Data Access\"\r\n\"Rows\"=dword:00000003\r\n";
  }
  ASSERT_EQ(std::system(("regedit /S \"" + Seed + "\"").c_str()), 0);
  TRegIniFile Ini;
  ASSERT_TRUE(Ini.OpenKey("\\" + kKey, false));
  EXPECT_EQ(Ini.ReadString("Seeded", "Caption", "none"), "Data Access");
  EXPECT_THROW(Ini.ReadString("Seeded", "Rows", "none"), ERegistryException)
      << "a DWORD is not a string";

  Ini.WriteString("Written", "Page", "Win32");
  ASSERT_EQ(std::system(("regedit /E \"" + Out + "\" \"HKEY_CURRENT_USER\\" + kKey + "\"").c_str()),
            0);
  std::string Bytes;
  {
    // Closed before the folder goes: Windows removes no open file.
    std::ifstream File(Out, std::ios::binary);
    Bytes.assign(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
  }
  // The editor writes UTF-16; the ASCII text is every other byte.
  std::string Text;
  for (std::size_t i = 0; i < Bytes.size(); i += 2)
    Text += Bytes[i];
  EXPECT_THAT(Text, HasSubstr("\\Written]")) << Text;
  EXPECT_THAT(Text, HasSubstr("\"Page\"=\"Win32\"")) << Text;
  EXPECT_THAT(Text, HasSubstr("\"Rows\"=dword:00000003")) << Text;
  EXPECT_TRUE(Ini.DeleteKey("\\" + kKey));
  std::filesystem::remove_all(Dir);
}

}  // namespace
