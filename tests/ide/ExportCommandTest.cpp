#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "ExitStatus.h"
#include "RunIde.h"
#include "System.h"
#include "TempDir.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

// export on either system's store (the hive, or Windows' registry): the
// settings the dialog saved reach the file in both forms, and a line export
// cannot use or a file it cannot write is refused with the reason, leaving
// nothing behind.
TEST(ExportCommand, WritesTheSavedSettingsAndRefusesWhatItCannotWrite) {
  TTempDir Dir;
  const TRun Saved =
      RunIde({"--hive", ":memory:", "-e", "show", "-e", "load", "-e", "dialog", "-e", "ok", "-e",
              "end", "-e", "menu component", "-e", "export " + Dir / "four.reg", "-e",
              "export --unicode \"" + (Dir / "five 5.reg") + "\""});
  ASSERT_EQ(Saved.Status, kExitOk) << Saved.Err;
  const std::string Key = "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\" +
                          std::to_string(HostVersion) + ".0\\ORVExpert";
  const std::string Four = ReadBytes(Dir / "four.reg");
  EXPECT_THAT(Four, StartsWith("REGEDIT4\r\n\r\n"));
  EXPECT_THAT(Four, HasSubstr(Key + "\\Timer]\r\n"));
  EXPECT_THAT(ReadBytes(Dir / "five 5.reg"), StartsWith(std::string("\xff\xfeW\0i\0n\0d\0", 10)));

  const std::pair<std::string, std::string> Refused[] = {
      {"export", "usage: export [--unicode] FILE"},
      {"export --unicode", "usage: export [--unicode] FILE"},
      {"export a b", "usage: export [--unicode] FILE"},
      {"export " + Dir.Path(), "export: " + Dir.Path() + " is a folder, not a regular file"},
      {"export " + Dir / "no/such/folder.reg", "export: cannot write " +
                                                   Dir / "no/such/folder.reg" + ": the folder " +
                                                   Dir / "no/such" + " does not exist"}};
  for (const auto& [Line, Message] : Refused) {
    const TRun R = RunIde({"--hive", ":memory:", "-e", Line});
    EXPECT_EQ(R.Status, kExitError) << Line;
    EXPECT_THAT(R.Err, HasSubstr(Message)) << R.Err;
  }
  EXPECT_EQ(Dir.Entries(), (std::set<std::string>{"four.reg", "five 5.reg"}));
}
