#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pthread.h>

#include <sstream>

#include "CodePage.h"
#include "HiveError.h"
#include "HiveSamples.h"
#include "HiveText.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "TempDir.h"
#include "Utf16File.h"

// What the add-in writes must come back byte for byte: Windows-1251 names,
// the 0x1F line-break encoding, CR/LF texts, quotes, backslashes and the
// unnamed value, with keys in their documented order.
TEST(HiveText, RoundTripIsByteExact) {
  RegistryHive Hive(RegistryHive::Memory);
  {
    TRegIniFile Reg;
    ASSERT_TRUE(Reg.OpenKey("Software\\Borland\\Delphi\\7.0\\Expert", true));
    // "\xc0\xe1\xe2" is the group name "Абв".
    // Values are set in name order, the order in which Wine's registry
    // lists them too; their own order is RegistryTest's.
    Reg.WriteString("Pages", "", "unnamed");
    Reg.WriteString("Pages", "\xc0\xe1\xe2", "Standard\x1f\x1f\xc4\xee\xef\x1f\x1f");
    Reg.WriteString("Timer", "Lines", "a\r\nb");
    Reg.WriteString("Timer", "Nul", std::string("x\0y", 3));
    Reg.WriteInteger("Timer", "PagesGroupColorFont", -16777190);
    Reg.WriteString("Timer", "Quote", "say \"hi\" C:\\dir\\");
    // Siblings sort without regard to case, Latin before Cyrillic, and a
    // parent comes before its children.
    Reg.WriteBool("b", "v", true);
    Reg.WriteBool("A\\z", "v", false);
    Reg.WriteString("\xe0", "v", "");
  }
  const std::string Key = "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\7.0\\Expert";
  const std::string Expected =
      Header + "[HKEY_CURRENT_USER\\Software]\r\n\r\n" +
      "[HKEY_CURRENT_USER\\Software\\Borland]\r\n\r\n" +
      "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi]\r\n\r\n" +
      "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\7.0]\r\n\r\n" + Key + "]\r\n\r\n" + Key +
      "\\A]\r\n\r\n" + Key + "\\A\\z]\r\n\"v\"=\"0\"\r\n\r\n" + Key +
      "\\b]\r\n\"v\"=\"1\"\r\n\r\n" + Key + "\\Pages]\r\n@=\"unnamed\"\r\n" +
      "\"\xc0\xe1\xe2\"=\"Standard\x1f\x1f\xc4\xee\xef\x1f\x1f\"\r\n\r\n" + Key + "\\Timer]\r\n" +
      "\"Lines\"=hex(1):61,0d,0a,62,00\r\n" + "\"Nul\"=hex(1):78,00,79,00\r\n" +
      "\"PagesGroupColorFont\"=\"-16777190\"\r\n" +
      "\"Quote\"=\"say \\\"hi\\\" C:\\\\dir\\\\\"\r\n\r\n" + Key + "\\\xe0]\r\n\"v\"=\"\"\r\n\r\n";
  const std::string Text = Hive.Text();
  EXPECT_EQ(Text, Expected);
  EXPECT_EQ(Reformat(Text), Text);

  HiveKey Root;
  ParseHiveText(Text, "test.reg", Root);
  const HiveKey* Timer =
      FindHiveKey(Root, {"software", "BORLAND", "Delphi", "7.0", "Expert", "Timer"});
  ASSERT_NE(Timer, nullptr);
  EXPECT_EQ(Timer->FindValue("lines")->Data, std::string("a\r\nb\0", 5));
  EXPECT_EQ(Timer->FindValue("Quote")->Data, std::string("say \"hi\" C:\\dir\\\0", 17));
}

TEST(HiveText, LongHexWrapsBeforeColumn80AndReadsBack) {
  HiveKey Root;
  Root.AddChild("K").AddChild("L").SetValue("blob", REG_BINARY, std::string(200, '\xab'));
  const std::string Text = FormatHiveText(Root);
  std::istringstream Lines(Text);
  std::string Line;
  int Count = 0;
  while (std::getline(Lines, Line)) {
    EXPECT_LE(Line.size(), 81u) << Line;  // 80 columns plus the CR
    ++Count;
  }
  EXPECT_GT(Count, 8);
  HiveKey Back;
  ParseHiveText(Text, "t.reg", Back);
  EXPECT_EQ(FindHiveKey(Back, {"K", "L"})->FindValue("blob")->Data, std::string(200, '\xab'));
}

// A version 5.00 file reads into the same Windows-1251 hive as its REGEDIT4
// twin and writes back byte for byte: Cyrillic names, 0x1F raw in text, and
// the string types held as hex in UTF-16LE there and in Windows-1251 here.
TEST(HiveText, Regedit5AndRegedit4AreTheSameHive) {
  const std::u16string Five =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\\u0414\u0430]\r\n"
      u"\"PagesSort\"=\"\u041e\u0441\u001f\u001f\u0414\u0430\u001f\u001f\"\r\n"
      u"\"\u0451\"=\"\\r\\n\"\r\n"
      u"\"x\"=hex(2):25,00,1f,04,25,00,00,00\r\n"
      u"\"n\"=dword:0000002a\r\n"
      u"\"b\"=hex:d0,9f\r\n\r\n";
  const std::string Four =
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\\xc4\xe0]\r\n"
      "\"PagesSort\"=\"\xce\xf1\x1f\x1f\xc4\xe0\x1f\x1f\"\r\n"
      "\"\xb8\"=hex(1):0d,0a,00\r\n"
      "\"x\"=hex(2):25,cf,25,00\r\n"
      "\"n\"=dword:0000002a\r\n"
      "\"b\"=hex:d0,9f\r\n\r\n";
  HiveKey FromFive, FromFour;
  EXPECT_EQ(ParseHiveText(Utf16File(Five), "five.reg", FromFive), HiveFormat::Regedit5);
  EXPECT_EQ(ParseHiveText(Four, "four.reg", FromFour), HiveFormat::Regedit4);
  for (const HiveKey* Root : {&FromFive, &FromFour}) {
    EXPECT_EQ(FormatHiveText(*Root, HiveFormat::Regedit5), Utf16File(Five));
    EXPECT_EQ(FormatHiveText(*Root, HiveFormat::Regedit4), Four);
  }
  EXPECT_EQ(FindHiveKey(FromFive, {"\xe4\xc0"})->FindValue("\xa8")->Data, std::string("\r\n\0", 3));
}

// A user's own 5.00 export holds characters Windows-1251 has no byte for (the
// rouble sign of a Russian locale's currency, CJK, an emoji as a surrogate
// pair, in names, text and hex string data). It loads; the add-in's 8-bit
// calls see '?' for them, as Windows' ANSI registry calls do, and cannot
// reach them by that '?'; every value the add-in does not write goes back
// byte for byte, and one it writes holds what it wrote.
TEST(HiveText, CharactersWindows1251LacksLoadAndGoBackUnchanged) {
  const std::u16string Intl = u"[HKEY_CURRENT_USER\\Control Panel\\International]\r\n";
  const std::u16string Five =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Control Panel]\r\n\r\n" +
      Intl +
      u"\"sCurrency\"=\"\u20bd\"\r\n"
      u"\"s\u4e2d\"=\"a\U0001F600\\r\\nb\\\\\"\r\n"
      u"\"x\"=hex(2):bd,20,00,00\r\n"
      u"\"n\"=\"plain\"\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Control Panel\\International\\\u20bd" +
      std::u16string(254, u'\u4e2d') + u"]\r\n\"v\"=\"1\"\r\n\r\n";
  HiveKey Root;
  ParseHiveText(Utf16File(Five), "five.reg", Root);
  EXPECT_EQ(FormatHiveText(Root, HiveFormat::Regedit5), Utf16File(Five));
  try {
    FormatHiveText(Root, HiveFormat::Regedit4);
    ADD_FAILURE() << "a REGEDIT4 text cannot hold U+20BD";
  } catch (const EHiveNeedsUnicode& E) {
    EXPECT_EQ(E.Message(),
              "the value 'sCurrency' of the key HKEY_CURRENT_USER\\Control Panel\\International "
              "holds a character that Windows-1251 has no byte for, so a REGEDIT4 file cannot "
              "hold it");
  }

  // What the add-in's calls see of such a file is the hive file's: the real
  // registry has no file to load.
#ifndef _WIN32
  TTempDir Dir;
  const std::string Path = Dir / "five.reg";
  WriteBytes(Path, Utf16File(Five));
  RegistryHive Hive(Path);
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("Control Panel\\International", false));
    EXPECT_EQ(Reg.ReadString("sCurrency"), "?");
    EXPECT_EQ(Reg.ReadString("x"), "?");
    TStringList Names;
    Reg.GetValueNames(&Names);
    EXPECT_EQ(Names.Text(), "sCurrency\r\ns?\r\nx\r\nn\r\n");
    Reg.GetKeyNames(&Names);
    EXPECT_EQ(Names.Text(), "?" + std::string(254, '?') + "\r\n");
    EXPECT_FALSE(Reg.ValueExists("s?"));
    EXPECT_FALSE(Reg.KeyExists(Names.Strings(0)));
    EXPECT_FALSE(
        Reg.ValueExists(std::string("s\0"
                                    "4E2D",
                                    6)));
    Reg.WriteString("n", "\xf0\xf3\xe1");  // рубль
  }
  std::u16string Expected = Five;
  Expected.replace(Expected.find(u"plain"), 5, u"\u0440\u0443\u0431");
  EXPECT_EQ(ReadBytes(Path), Utf16File(Expected)) << "only the value the add-in wrote changed";
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("Control Panel\\International", false));
    Reg.WriteString("sCurrency", Reg.ReadString("sCurrency"));
  }
  Expected[Expected.find(u"\u20bd\"")] = u'?';
  EXPECT_EQ(ReadBytes(Path), Utf16File(Expected)) << "a value the add-in wrote holds what it wrote";
#endif
}

TEST(HiveText, DepthIsLimitedAndDeepTreesGoWithoutRecursion) {
  HiveKey Root;
  ParseHiveText("REGEDIT4\r\n[HKEY_CURRENT_USER" + Deep(512) + "]\r\n\"v\"=\"1\"\r\n", "t.reg",
                Root);
  const std::string Text = FormatHiveText(Root);
  HiveKey Again;
  ParseHiveText(Text, "t.reg", Again);
  EXPECT_EQ(FormatHiveText(Again), Text);

  // Windows' own registry keeps its own limit.
#ifndef _WIN32
  RegistryHive Hive(RegistryHive::Memory);
  TRegistry Reg;
  EXPECT_TRUE(Reg.OpenKey(Deep(512), true));
  EXPECT_FALSE(Reg.OpenKey(Deep(513), true));
  EXPECT_FALSE(Reg.OpenKey("a", true)) << "513 levels below the root, relative to the open key";
#endif

  // On a thread with a stack of 128 KB, which code that recursed once per
  // level would overflow: a tree 100,000 levels deep is freed, and one 5,000
  // levels deep (built directly; a file cannot hold it) is written.
  pthread_attr_t Attr;
  pthread_attr_init(&Attr);
  pthread_attr_setstacksize(&Attr, 128 * 1024);
  pthread_t Thread;
  ASSERT_EQ(pthread_create(
                &Thread, &Attr,
                [](void*) -> void* {
                  auto Chain = std::make_unique<HiveKey>();
                  HiveKey* Key = Chain.get();
                  for (int i = 0; i < 100000; ++i)
                    Key = &Key->AddChild("a");
                  Chain.reset();
                  HiveKey Tree;
                  Key = &Tree;
                  for (int i = 0; i < 5000; ++i)
                    Key = &Key->AddChild("a");
                  Key->SetValue("v", REG_SZ, std::string("1\0", 2));
                  return new std::size_t(FormatHiveText(Tree).size());
                },
                nullptr),
            0);
  void* Written = nullptr;
  pthread_join(Thread, &Written);
  pthread_attr_destroy(&Attr);
  std::unique_ptr<std::size_t> Size(static_cast<std::size_t*>(Written));
  // Each key line holds its whole path: 5,000 of them, 21 to 10,019 bytes.
  EXPECT_GT(*Size, 5000u * 5000u);
}

// Values are found by name through an index; deleting one must keep every
// other findable and in its place.
TEST(HiveText, ValuesStayFindableAndInOrderAcrossDeletes) {
  HiveKey Key;
  for (const char* Name : {"a", "B", "c", "\xc4", "e"})
    Key.SetValue(Name, REG_SZ, std::string(Name) + '\0');
  EXPECT_TRUE(Key.DeleteValue("b"));
  EXPECT_TRUE(Key.DeleteValue("A"));
  Key.SetValue("\xe4", REG_SZ, std::string("new\0", 4));
  Key.SetValue("b", REG_SZ, std::string("again\0", 6));
  std::vector<std::string> Names;
  for (const HiveValue& V : Key.Values())
    Names.push_back(V.Name + "=" + V.Data.substr(0, V.Data.size() - 1));
  EXPECT_EQ(Names, (std::vector<std::string>{"c=c", "\xc4=new", "e=e", "b=again"}));
  const std::pair<const char*, const char*> Lookups[] = {
      {"C", "c"}, {"\xe4", "\xc4"}, {"E", "e"}, {"B", "b"}};
  for (const auto& [Asked, Found] : Lookups) {
    const HiveValue* V = Key.FindValue(Asked);
    ASSERT_NE(V, nullptr) << Asked;
    EXPECT_EQ(V->Name, Found);
  }
  EXPECT_EQ(Key.FindValue("a"), nullptr);
}

// A file that deletes most of what it set ("name"=- lines) loads in steps
// proportional to its lines, not to their square.
TEST(HiveText, DeletingValuesWhileLoadingIsLinear) {
  for (int N : {1000, 16000}) {
    std::string Text = "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n";
    for (int i = 0; i < N; ++i)
      Text += "\"v" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\r\n";
    for (int i = 0; i < N; ++i)
      if (i % 4 != 0)
        Text += "\"V" + std::to_string(i) + "\"=-\r\n";
    HiveKey Root;
    ParseHiveText(Text, "t.reg", Root);
    const HiveKey* Key = Root.FindChild("k");
    ASSERT_EQ(Key->Values().size(), static_cast<std::size_t>(N / 4));
    EXPECT_EQ(Key->Values().back().Name, std::string("v").append(std::to_string(N - 4)));
    EXPECT_EQ(Key->FindValue("v8")->Data, std::string("8\0", 2));
    EXPECT_LE(Key->CompactSteps(), 3u * static_cast<std::size_t>(N)) << N;
  }
}

// What regedit reads with a message is read the same way, with a warning
// naming the file and the line and showing the character it is about;
// where regedit reads \0 otherwise (it skips the value of such a name and
// stops reading the file at such a text), the warning says so. A 5.00 file
// carries line breaks as regedit writes them there, \r and \n.
TEST(HiveText, RegeditsWarningsAndLineBreaksInBothFormats) {
  std::vector<std::string> Warnings;
  HiveKey Root;
  ParseHiveText(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"p\"=\"C:\\dir\"\r\n\"d\"=dword:\r\n"
      "[HKEY_CURRENT_USER\\K] x\r\n\"\\0\"=\"a\\0\"\r\n\"h\"=hex:01,\\\r\n# x\r\n",
      "w.reg", Root, &Warnings);
  EXPECT_EQ(Warnings,
            (std::vector<std::string>{
                "w.reg:3: \\d is not an escape; read as d, as regedit reads it",
                "w.reg:4: dword: needs 1 to 8 hexadecimal digits; the value is skipped, "
                "as regedit skips it",
                "w.reg:5: the text after the key's ] is ignored, as regedit ignores it",
                "w.reg:6: \\0 is not an escape; read as 0, where regedit skips the value",
                "w.reg:6: \\0 is not an escape; read as 0, where regedit stops reading the file",
                "w.reg:8: a # line inside a hex value ends it for regedit, which skips the value; "
                "so is it skipped here"}));
  EXPECT_EQ(Root.FindChild("K")->FindValue("0")->Data, std::string("a0\0", 3));
  Warnings.clear();
  HiveKey Wide;
  ParseHiveText(Utf16File(Header5 + u"[HKEY_CURRENT_USER\\K]\r\n\"s\"=\"\\\u20bd\"\r\n"),
                "five.reg", Wide, &Warnings);
  ASSERT_EQ(Warnings.size(), 1u);
  EXPECT_EQ(HiveTextToUtf8(Warnings[0]),
            "five.reg:3: \\₽ is not an escape; read as ₽, as regedit reads it");
  Root.FindChild("K")->DeleteValue("0");
  Root.FindChild("K")->SetValue("t", REG_SZ, std::string("a\r\nb\\\0", 6));
  const std::string Five = FormatHiveText(Root, HiveFormat::Regedit5);
  EXPECT_EQ(Five,
            Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
                      u"\"p\"=\"C:dir\"\r\n\"t\"=\"a\\r\\nb\\\\\"\r\n\r\n"));
  HiveKey Back;
  ParseHiveText(Five, "five.reg", Back);
  EXPECT_EQ(Back.FindChild("K")->FindValue("t")->Data, std::string("a\r\nb\\\0", 6));
}

// Names compare as Windows' registry compares them, for every letter it
// pairs: Σ and σ, Ω and ω are one name, which keeps its first spelling,
// while the micro sign and Μ, or ǅ and ǆ, stay apart, as they do there.
TEST(HiveText, NamesCompareAsTheRegistryComparesThem) {
  HiveKey Root;
  ParseHiveText(
      Utf16File(Header5 +
                u"[HKEY_CURRENT_USER\\\u03a9]\r\n\"\u03a3\"=\"1\"\r\n\"\u03c3\"=\"2\"\r\n"
                u"\"\u00b5\"=\"3\"\r\n\"\u039c\"=\"4\"\r\n\"\u01c5\"=\"5\"\r\n\"\u01c6\"=\"6\"\r\n"
                u"\"\u0434\"=\"7\"\r\n[HKEY_CURRENT_USER\\\u03c9]\r\n\"\u0414\"=-\r\n"
                u"\"\u03c3\"=-\r\n\"x\"=\"8\"\r\n"),
      "five.reg", Root);
  EXPECT_EQ(FormatHiveText(Root, HiveFormat::Regedit5),
            Utf16File(Header5 + u"\r\n[HKEY_CURRENT_USER\\\u03a9]\r\n\"\u00b5\"=\"3\"\r\n"
                                u"\"\u039c\"=\"4\"\r\n\"\u01c5\"=\"5\"\r\n\"\u01c6\"=\"6\"\r\n"
                                u"\"x\"=\"8\"\r\n\r\n"));
  // Names that compare equal sort and hash alike, in hive text too.
  const std::string Sigma = std::string(1, '\0') + "03A3", Small = std::string(1, '\0') + "03C3";
  EXPECT_TRUE(HiveNameEqual()(Sigma + "\xc4", Small + "\xe4"));
  EXPECT_EQ(HiveNameHash()(Sigma + "\xc4"), HiveNameHash()(Small + "\xe4"));
  EXPECT_FALSE(HiveNameLess()(Sigma, Small) || HiveNameLess()(Small, Sigma));
  EXPECT_TRUE(HiveNameLess()(Sigma, "a")) << "before every Windows-1251 character";
  EXPECT_EQ(HiveUpcase(u'\u03c2'), u'\u03c2') << "final sigma keeps its case, as in the registry";
}

// A report carries the path as the system gave it (UTF-8) beside names in
// hive text: each part reaches the user as UTF-8, neither converted twice.
TEST(HiveText, AReportsPathAndNamesBothReadAsUtf8) {
  // "/tmp/Путь/h.reg", the key "Ключ" in Windows-1251 and U+4E2D as a unit.
  const std::string Message =
      "warning: /tmp/\xD0\x9F\xD1\x83\xD1\x82\xD1\x8C/h.reg:3: key \xCA\xEB\xFE\xF7" +
      std::string("\0", 1) + "4E2D";
  EXPECT_EQ(HiveReportToUtf8(Message),
            "warning: /tmp/\xD0\x9F\xD1\x83\xD1\x82\xD1\x8C/h.reg:3: key "
            "\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87\xE4\xB8\xAD");
}
