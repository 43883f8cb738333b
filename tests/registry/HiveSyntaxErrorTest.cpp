// Hive texts that do not read, and what their error says.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HiveError.h"
#include "HiveSamples.h"
#include "Registry.h"
#include "Utf16File.h"

using ::testing::HasSubstr;

struct TErrorCase {
  std::string Input;
  int Line;
  const char* Reason;
};

class HiveSyntaxError : public testing::TestWithParam<TErrorCase> {};

TEST_P(HiveSyntaxError, NamesFileLineAndReason) {
  HiveKey Root;
  try {
    ParseHiveText(GetParam().Input, "/tmp/x.reg", Root);
    FAIL() << "parsed without error";
  } catch (const ERegistryException& E) {
    const std::string Prefix = "/tmp/x.reg:" + std::to_string(GetParam().Line) + ": ";
    EXPECT_EQ(E.Message().rfind(Prefix, 0), 0u) << E.Message();
    EXPECT_THAT(E.Message(), HasSubstr(GetParam().Reason)) << E.Message();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HiveSyntaxError,
    testing::Values(
        TErrorCase{"REGEDIT5\r\n", 1, "REGEDIT4"},
        TErrorCase{"Windows Registry Editor Version 5.00\r\n", 1, "must be UTF-16LE"},
        TErrorCase{"REGEDIT4\n\"a\"=\"1\"\n", 2, "before any [key]"},
        TErrorCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\S]\n", 2, "not under HKEY_CURRENT_USER"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USERS]\n", 2, "not under HKEY_CURRENT_USER"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a\n", 2, "end with ]"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a\\\\b]\n", 2, "empty name"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=\"open\n", 3, "no closing"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=\"x\" y\n", 3, "after the value"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"\n", 3, "expected ="},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=text\n", 3, "expected \"text\""},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex:01,zz\n", 3, "\"zz\" is not"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex:01,,02\n", 3, "not a hex"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex:123\n", 3, "not a hex"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex(x):00\n", 3, "hex(type)"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex:01,\\\n\n; c\n", 3,
                   "no line follows"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex:01,\\\n\n\"w\"=\"1\"\n", 5,
                   "continuation"},
        TErrorCase{"REGEDIT4\n[-HKEY_CURRENT_USER\\a]\n\"v\"=\"1\"\n", 3, "key deletion"},
        TErrorCase{"REGEDIT4\r\r\r[HKEY_CURRENT_USER\\a]\rjunk\r", 5, "expected a [key]"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER" + Deep(513) + "]\n", 2, "513 levels deep"},
        // Names longer than Windows allows, which regedit would drop.
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a\\" + std::string(256, 'k') + "\\b]\n", 2,
                   "is 256 characters long; Windows allows 255"},
        TErrorCase{"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"" + std::string(16384, 'v') + "\"=\"\"\n",
                   3, "the value name 'vvvv"},
        TErrorCase{std::string("REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"v") + '\0' + "w\"=\"1\"\n", 3,
                   "the value name holds a NUL character"},
        TErrorCase{
            Utf16File(Header5 + u"[HKEY_CURRENT_USER\\" + std::u16string(256, u'\u20bd') + u"]"), 2,
            "is 256 characters long; Windows allows 255"},
        TErrorCase{Utf16File(Header5 + u"[HKEY_CURRENT_USER\\a]\r\n\"v\"=hex(1):41,00,00\r\n"), 3,
                   "even number of bytes"},
        TErrorCase{Utf16File(Header5 + u"[HKEY_CURRENT_USER\\a]\r\n") + "\x41", 3,
                   "middle of a UTF-16 character"},
        TErrorCase{Utf16File(u"REGEDIT4\r\n"), 1, "must start with the line Windows Registry"}));
