// Hive texts that read and are written back in their canonical form.

#include <gtest/gtest.h>

#include "HiveSamples.h"

struct TSyntaxCase {
  const char* Name;
  std::string Input;
  std::string Written;
};

class HiveSyntax : public testing::TestWithParam<TSyntaxCase> {};

TEST_P(HiveSyntax, ReadsAndWritesCanonically) {
  EXPECT_EQ(Reformat(GetParam().Input), GetParam().Written);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HiveSyntax,
    testing::Values(
        TSyntaxCase{"EmptyTextIsEmptyHive", "", Header},
        TSyntaxCase{"CommentsBlanksAndAnyLineEnd",
                    "REGEDIT4\r; comment\n\n  \t\r\n[HKEY_CURRENT_USER\\K]\r\"a\"=\"1\" ; note\n"
                    "  ; indented comment\r\n\"b\"=\"2\"",
                    Header + "[HKEY_CURRENT_USER\\K]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\r\n"},
        TSyntaxCase{"DeletedKeyTakesItsChildren",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"x\"=\"1\"\n[HKEY_CURRENT_USER\\C]\n"
                    "[-HKEY_CURRENT_USER\\a]\n[HKEY_CURRENT_USER\\C]\n\"y\"=\"2\"\n",
                    Header + "[HKEY_CURRENT_USER\\C]\r\n\"y\"=\"2\"\r\n\r\n"},
        TSyntaxCase{"DeletedValueAndDuplicates",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\Key]\n\"a\"=\"1\"\n\"b\"=\"2\"\n\"c\"=\"3\"\n"
                    "\"B\"=-\n[hkey_current_user\\KEY]\n\"A\"=\"4\"\n",
                    Header + "[HKEY_CURRENT_USER\\Key]\r\n\"a\"=\"4\"\r\n\"c\"=\"3\"\r\n\r\n"},
        // Key lines that share leading names with the line before, byte for
        // byte, in another case, or only up to the middle of a name; and a
        // path made again after its key was deleted.
        TSyntaxCase{"KeysSharingLeadingNames",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"x\"=\"1\"\n[HKEY_CURRENT_USER\\A\\BC]\n"
                    "\"y\"=\"2\"\n[HKEY_CURRENT_USER\\a\\b\\c]\n\"z\"=\"3\"\n"
                    "[HKEY_CURRENT_USER\\A]\n\"w\"=\"4\"\n[HKEY_CURRENT_USER\\D\\E]\n"
                    "[-HKEY_CURRENT_USER\\D]\n[HKEY_CURRENT_USER\\D\\E]\n\"v\"=\"5\"\n",
                    Header + "[HKEY_CURRENT_USER\\A]\r\n\"w\"=\"4\"\r\n\r\n"
                             "[HKEY_CURRENT_USER\\A\\B]\r\n\"x\"=\"1\"\r\n\r\n"
                             "[HKEY_CURRENT_USER\\A\\B\\c]\r\n\"z\"=\"3\"\r\n\r\n"
                             "[HKEY_CURRENT_USER\\A\\BC]\r\n\"y\"=\"2\"\r\n\r\n"
                             "[HKEY_CURRENT_USER\\D]\r\n\r\n"
                             "[HKEY_CURRENT_USER\\D\\E]\r\n\"v\"=\"5\"\r\n\r\n"},
        TSyntaxCase{"Dword", "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=dword:1A\n@=dword:ffffffff\n",
                    Header + "[HKEY_CURRENT_USER\\K]\r\n\"a\"=dword:0000001a\r\n"
                             "@=dword:ffffffff\r\n\r\n"},
        TSyntaxCase{"HexContinuationSkipsBlankAndCommentLines",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"b\"=hex:01,02,\\\n\n; between\n"
                    "  03,04,\\ ; trailing\n 5\n\"e\"=hex:\n",
                    Header + "[HKEY_CURRENT_USER\\K]\r\n\"b\"=hex:01,02,03,04,05\r\n\"e\"=hex:\r\n"
                             "\r\n"},
        TSyntaxCase{"OtherTypesKeptAsTheyAre",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"x\"=hex(2):25,00\n"
                    "\"m\"=hex(7):61,00,00,00\n\"q\"=hex(b):01,00,00,00,00,00,00,00\n"
                    "\"s\"=hex(1):41,42,00\n\"d\"=hex(4):01,02\n",
                    Header + "[HKEY_CURRENT_USER\\K]\r\n\"x\"=hex(2):25,00\r\n"
                             "\"m\"=hex(7):61,00,00,00\r\n"
                             "\"q\"=hex(b):01,00,00,00,00,00,00,00\r\n\"s\"=\"AB\"\r\n"
                             "\"d\"=hex(4):01,02\r\n\r\n"},
        // regedit's escapes; a backslash before another character is
        // dropped, as regedit drops it.
        TSyntaxCase{"EscapesAndRawBytes",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"q\\\"\\\\\"=\"C:\\dir;\x1f\xff\"\n"
                    "\"n\"=\"a\\nb\\r\"\n",
                    Header + "[HKEY_CURRENT_USER\\K]\r\n\"q\\\"\\\\\"=\"C:dir;\x1f\xff\"\r\n"
                             "\"n\"=hex(1):61,0a,62,0d,00\r\n\r\n"},
        // Comments as regedit takes them, and the dword forms it reads; the
        // ones it cannot read are skipped and the rest of the file loads.
        TSyntaxCase{"CommentsAndDwordForms",
                    "REGEDIT4\n# hash comment\n[HKEY_CURRENT_USER\\K]\n  # indented\n"
                    "\"a\"=dword: 1\n\"b\"=dword:\n\"c\"=dword:123456789\n\"d\"=dword:\t2a ; x\n"
                    "\"e\"=dword:1 2\n\"f\"=\"kept\"\n",
                    Header + "[HKEY_CURRENT_USER\\K]\r\n\"a\"=dword:00000001\r\n"
                             "\"d\"=dword:0000002a\r\n\"f\"=\"kept\"\r\n\r\n"},
        // regedit reads a key up to the line's last ] and ignores the rest;
        // it drops a hex value that a # line interrupts and ignores the
        // bytes after it, while a ; comment line there is only skipped.
        TSyntaxCase{"KeyLinesAndHexValuesAsRegeditReadsThem",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\A] trailing text\n\"v\"=\"1\"\n"
                    "[HKEY_CURRENT_USER\\B]] ; a comment\n\"h\"=hex:01,\\\n# note\n  02,\\\n 03\n"
                    "\"g\"=hex:04,\\\n; note\n  05\n\"i\"=hex:06,\\\n#\n\"after\"=\"2\"\n",
                    Header +
                        "[HKEY_CURRENT_USER\\A]\r\n\"v\"=\"1\"\r\n\r\n"
                        "[HKEY_CURRENT_USER\\B]]\r\n\"g\"=hex:04,05\r\n\"after\"=\"2\"\r\n\r\n"},
        TSyntaxCase{"RootValuesAndBlanksAroundEquals",
                    "REGEDIT4\n[HKEY_CURRENT_USER]\n\"r\" = \"1\"\n[HKEY_CURRENT_USER\\] ",
                    Header + "[HKEY_CURRENT_USER]\r\n\"r\"=\"1\"\r\n\r\n"}),
    [](const testing::TestParamInfo<TSyntaxCase>& Info) { return std::string(Info.param.Name); });
