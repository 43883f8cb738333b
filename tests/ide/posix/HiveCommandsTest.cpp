#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <sstream>

#include "Help.h"
#include "Hive.h"
#include "Package.h"
#include "Program.h"
#include "RunIde.h"
#include "Simulator.h"
#include "TempDir.h"
#include "Utf16File.h"

using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

// The user confirms the settings dialog, which stores groups and options.
const std::vector<std::string> SaveSettings = {
    "-e", "show", "-e", "load",           "-e", "dialog",         "-e", "ok",
    "-e", "end",  "-e", "menu component", "-e", "expect /host 0", "-e", "dump"};

const std::string Stored = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Other]\r\n\"v\"=\"1\"\r\n\r\n";

TSimulatorOptions OnHive(const std::string& Path) {
  TSimulatorOptions Options;
  Options.Hive = Path;
  Options.Package = DefaultPackagePath();
  return Options;
}

// Shows the IDE, loads the add-in and confirms the settings dialog once, so
// that the next "menu component" is a save into the hive that is there then.
void ConfirmOnce(TSimulator& Sim, const std::ostringstream& Err) {
  for (const char* Line : {"show", "load", "dialog", "ok", "end"})
    ASSERT_EQ(Sim.RunLine(Line, "t"), TLineResult::Ok) << Err.str();
}

// A folder no file can be made in, for root too: immutable where the file
// system has the flag (root alone may set it), else without write bits.
// Why holds the system's reason, "" when neither could be done.
class TUnwritableFolder {
 public:
  explicit TUnwritableFolder(const std::string& Path) : FPath(Path) {
    fs::create_directories(Path);
    const int Fd = ::open(Path.c_str(), O_RDONLY | O_DIRECTORY);
    int Flags = 0;
    if (::geteuid() == 0 && ::ioctl(Fd, FS_IOC_GETFLAGS, &Flags) == 0) {
      Flags |= FS_IMMUTABLE_FL;
      if (::ioctl(Fd, FS_IOC_SETFLAGS, &Flags) == 0)
        Why = "Operation not permitted";
    } else if (::geteuid() != 0 && ::chmod(Path.c_str(), 0555) == 0) {
      Why = "Permission denied";
    }
    ::close(Fd);
  }
  ~TUnwritableFolder() {
    const int Fd = ::open(FPath.c_str(), O_RDONLY | O_DIRECTORY);
    int Flags = 0;
    if (::ioctl(Fd, FS_IOC_GETFLAGS, &Flags) == 0 && (Flags & FS_IMMUTABLE_FL) != 0) {
      Flags &= ~FS_IMMUTABLE_FL;
      ::ioctl(Fd, FS_IOC_SETFLAGS, &Flags);
    }
    ::close(Fd);
    ::chmod(FPath.c_str(), 0755);
  }
  std::string Why;

 private:
  std::string FPath;
};

}  // namespace

TEST(HiveCommands, AHiveThatIsNotARegularFileOrNotReadableIsRefusedAtStart) {
  const TWatchdog Watchdog(30);
  TTempDir Dir;
  ASSERT_EQ(::mkfifo((Dir / "fifo").c_str(), 0600), 0);
  WriteBytes(Dir / "bad.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\nnonsense\r\n");
  const std::pair<std::string, std::string> Cases[] = {
      {"fifo", "tabulon-ide: " + Dir / "fifo" + " is a FIFO, not a regular file\n"},
      {"", "tabulon-ide: " + Dir.Path() + "/ is a folder, not a regular file\n"},
      {"bad.reg", "tabulon-ide: " + Dir / "bad.reg" + ":3: expected a [key] line"}};
  for (const auto& [Name, Message] : Cases) {
    const TRun R = RunIde({"--hive", Dir / Name, "-e", "show"});
    EXPECT_EQ(R.Status, kExitError) << Name;
    EXPECT_EQ(R.Err.rfind(Message, 0), 0u) << R.Err;
    EXPECT_EQ(R.Out, "");
  }
}

// Settings that cannot be saved are told on stderr with the file and the
// cause; the run goes on, and its status is 3 even when an expect failed.
TEST(HiveCommands, SettingsThatCannotBeSavedEndTheRunWithStatus3) {
  TTempDir Dir;
  WriteBytes(Dir / "readonly.reg", Stored);
  fs::permissions(Dir / "readonly.reg", static_cast<fs::perms>(0444));
  WriteBytes(Dir / "lockdir.reg", Stored);
  fs::create_directories(Dir / "lockdir.reg.lock");
  // A lock file that is a hard link to another file of the writer's.
  WriteBytes(Dir / "linked.reg", Stored);
  WriteBytes(Dir / "private", "");
  fs::permissions(Dir / "private", static_cast<fs::perms>(0600));
  fs::permissions(Dir / "linked.reg", static_cast<fs::perms>(0666));
  fs::create_hard_link(Dir / "private", Dir / "linked.reg.lock");
  std::vector<std::pair<std::string, std::string>> Cases = {
      {Dir / "readonly.reg", ": the file is read-only (mode 0444)"},
      {Dir / "lockdir.reg",
       ": the lock file " + Dir / "lockdir.reg.lock" + " is a folder, not a regular file"},
      {Dir / "missing/h.reg", ": the folder " + Dir / "missing" + " does not exist"},
      {Dir / "linked.reg", ": the lock file " + Dir / "linked.reg.lock" +
                               " has 2 links, so it is another file's name too; remove it"}};
  const TUnwritableFolder Sealed(Dir / "sealed");
  if (!Sealed.Why.empty())
    Cases.push_back({Dir / "sealed/h.reg",
                     ": the folder " + Dir / "sealed" + " cannot be written: " + Sealed.Why});
  for (const auto& [Hive, Reason] : Cases) {
    std::vector<std::string> Args = {"--hive", Hive};
    Args.insert(Args.end(), SaveSettings.begin(), SaveSettings.end());
    const TRun R = RunIde(Args);
    EXPECT_EQ(R.Status, kExitNotSaved) << R.Err;
    EXPECT_THAT(R.Err, HasSubstr("tabulon-ide: -e:6: settings not saved: cannot write " + Hive +
                                 Reason + "\n"))
        << R.Err;
    EXPECT_THAT(R.Err, HasSubstr("-e:7: expect /host 0 failed")) << R.Err;
    EXPECT_THAT(R.Out, HasSubstr("\"time\":")) << "the later lines ran";
  }
  EXPECT_EQ(ReadBytes(Dir / "readonly.reg"), Stored);
  EXPECT_EQ(ModeOf(Dir / "readonly.reg"), 0444u);
  EXPECT_EQ(ReadBytes(Dir / "lockdir.reg"), Stored);
  EXPECT_EQ(ReadBytes(Dir / "linked.reg"), Stored);
  EXPECT_EQ(ModeOf(Dir / "private"), 0600u) << "the other file's mode is never touched";
  EXPECT_FALSE(fs::exists(Dir / "missing"));
  EXPECT_THAT(HelpText(), HasSubstr("  3  settings could not be saved"));
}

// A save that fails only when it is written (here: another process holds
// the lock too long) raises through the add-in; the IDE reports it as a
// failed save and goes on, and the change is never written afterwards.
TEST(HiveCommands, ASaveThatFailsAtTheWriteIsReportedAndNeverMadeLater) {
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  WriteBytes(Path, Stored);
  std::ostringstream Out, Err;
  {
    std::unique_ptr<RegistryHive> Hive = OpenHive(Path);
    HiveLockWait Wait;
    Wait.GiveUpAfter = std::chrono::milliseconds(200);
    Hive->SetLockWait(Wait);
    TSimulator Sim(OnHive(Path), Out, Err);
    ASSERT_NO_FATAL_FAILURE(ConfirmOnce(Sim, Err));
    const int Held = ::open((Path + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(Held, LOCK_EX), 0);
    EXPECT_EQ(Sim.RunLine("menu component", "t:6"), TLineResult::Ok);
    ::close(Held);
    EXPECT_TRUE(Sim.SettingsNotSaved());
    EXPECT_EQ(Err.str(), "tabulon-ide: t:6: settings not saved: cannot write " + Path +
                             ": the lock file " + Path +
                             ".lock is held by another process; gave up after 200 ms\n");
    EXPECT_EQ(Sim.RunLine("expect /expert/groupsActive false", "t"), TLineResult::Ok) << Err.str();
    EXPECT_EQ(Sim.RunLine("unload", "t"), TLineResult::Ok) << Err.str();
  }
  EXPECT_EQ(ReadBytes(Path), Stored);
}

// A hive put out of place by a FIFO or a folder between the start and a
// save is a save that failed (status 3), not an error of the IDE.
TEST(HiveCommands, AHiveReplacedByAnotherKindOfFileFailsTheSave) {
  const TWatchdog Watchdog(30);
  for (const std::string Kind : {"a FIFO", "a folder"}) {
    TTempDir Dir;
    const std::string Path = Dir / "hive.reg";
    WriteBytes(Path, Stored);
    std::ostringstream Out, Err;
    std::unique_ptr<RegistryHive> Hive = OpenHive(Path);
    TSimulator Sim(OnHive(Path), Out, Err);
    ASSERT_NO_FATAL_FAILURE(ConfirmOnce(Sim, Err));
    fs::remove(Path);
    if (Kind == "a FIFO")
      ASSERT_EQ(::mkfifo(Path.c_str(), 0600), 0);
    else
      fs::create_directory(Path);
    EXPECT_EQ(Sim.RunLine("menu component", "t:6"), TLineResult::Ok);
    EXPECT_TRUE(Sim.SettingsNotSaved());
    EXPECT_EQ(Err.str(), "tabulon-ide: t:6: settings not saved: The registry file " + Path +
                             " is " + Kind + ", not a regular file\n");
  }
}

TEST(HiveCommands, ExportWritesFilesThatLoadAsTheSameHive) {
  TTempDir Dir;
  // The group "Данные" holding ADO, with 0x1F line breaks, in Windows-1251,
  // as the hive writes it.
  const std::string Hive = Dir / "hive.reg";
  std::string Key = "[HKEY_CURRENT_USER";
  std::string Text = "REGEDIT4\r\n\r\n";
  for (const char* Name : {"Software", "Borland", "Delphi", "7.0", "ORVExpert"})
    Text += (Key += std::string("\\") + Name) + "]\r\n\r\n";
  WriteBytes(Hive, Text + Key + "\\Pages]\r\n\"\xc4\xe0\xed\xed\xfb\xe5\"=\"ADO\x1f\x1f\"\r\n\r\n");
  const TRun Export = RunIde({"--hive", Hive, "-e", "export " + Dir / "four.reg", "-e",
                              "export --unicode \"" + (Dir / "five.reg") + "\""});
  EXPECT_EQ(Export.Status, kExitOk) << Export.Err;
  EXPECT_EQ(ReadBytes(Dir / "four.reg"), ReadBytes(Hive));
  const std::string Five = ReadBytes(Dir / "five.reg");
  EXPECT_EQ(Five.substr(0, 10), std::string("\xff\xfeW\0i\0n\0d\0", 10));
  EXPECT_THAT(Five, HasSubstr(std::string("\x14\x04\x30\x04\x3d\x04\x3d\x04\x4b\x04\x35\x04", 12)))
      << "Данные in UTF-16LE";
  const TRun View = RunIde({"--hive", Hive, "-e", "registry"});
  EXPECT_THAT(View.Out, HasSubstr("\"Данные\"=\"ADO\\x1f\\x1f\"")) << View.Out;
  for (const char* Name : {"four.reg", "five.reg"})
    EXPECT_EQ(RunIde({"--hive", Dir / Name, "-e", "registry"}).Out, View.Out) << Name;
}

// A REGEDIT4 export cannot carry a character Windows-1251 has no byte for:
// it is refused naming the key and value and pointing to --unicode, which
// writes the file as it came.
TEST(HiveCommands, ExportOfCharactersWindows1251LacksNeedsUnicode) {
  TTempDir Dir;
  const std::string Hive = Dir / "hive.reg";
  const std::string Five = Utf16File(
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Intl]\r\n"
      u"\"sCurrency\"=\"\u20bd\"\r\n\r\n");
  WriteBytes(Hive, Five);
  const TRun Four = RunIde({"--hive", Hive, "-e", "export " + Dir / "four.reg"});
  EXPECT_EQ(Four.Status, kExitError);
  EXPECT_THAT(Four.Err,
              HasSubstr("export: the value 'sCurrency' of the key HKEY_CURRENT_USER\\Intl "
                        "holds a character that Windows-1251 has no byte for, so a "
                        "REGEDIT4 file cannot hold it; export --unicode writes it"))
      << Four.Err;
  EXPECT_FALSE(fs::exists(Dir / "four.reg"));
  const TRun Unicode =
      RunIde({"--hive", Hive, "-e", "export --unicode " + Dir / "five.reg", "-e", "registry"});
  EXPECT_EQ(Unicode.Status, kExitOk) << Unicode.Err;
  EXPECT_EQ(ReadBytes(Dir / "five.reg"), Five);
  EXPECT_THAT(Unicode.Out, HasSubstr("\"sCurrency\"=\"₽\"")) << Unicode.Out;

  // The key's name is host text in the message, and reaches the user as
  // UTF-8, never as Windows-1251 bytes.
  WriteBytes(Hive, Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n"
                             u"[HKEY_CURRENT_USER\\Software\\Группа\\\u4e2d]\r\n\r\n"));
  const TRun Key = RunIde({"--hive", Hive, "-e", "export " + Dir / "four.reg"});
  EXPECT_EQ(Key.Status, kExitError);
  EXPECT_THAT(Key.Err, HasSubstr("export: the key HKEY_CURRENT_USER\\Software\\Группа\\"))
      << Key.Err;
}

// The store's own files are refused as export targets and as the hive,
// whatever link leads to them: the lock file, whether another process holds
// it or it is yet to be made, and any name of a writer's temporary file,
// which the next save beside it would remove.
TEST(HiveCommands, TheStoresOwnFilesAreRefusedAsExportsAndHives) {
  TTempDir Dir;
  const std::string Hive = Dir / "hive.reg";
  WriteBytes(Hive, Stored);
  WriteBytes(Hive + ".lock", "");
  fs::create_symlink(Hive + ".lock", Dir / "to-lock");
  fs::create_symlink(".hive.reg.tabulon-Backup.tmp", Dir / "mybackup.reg");
  fs::create_symlink("new.reg.lock", Dir / "to-new-lock");
  const int Held = ::open((Hive + ".lock").c_str(), O_RDWR);
  ASSERT_EQ(::flock(Held, LOCK_EX), 0);
  const std::string Temporary =
      ", which has the name of a registry writer's temporary file, which "
      "a save beside it removes; choose another name";
  const std::pair<std::vector<std::string>, std::string> Cases[] = {
      {{"--hive", Hive, "-e", "export " + Hive + ".lock"},
       "export: " + Hive + ".lock is the lock file of the registry file " + Hive},
      {{"--hive", Hive, "-e", "export " + Dir / "to-lock"},
       "export: " + Dir / "to-lock" + " leads to " + Hive +
           ".lock, which is the lock file of the registry file " + Hive},
      {{"--hive", Hive, "-e", "export " + Dir / ".hive.reg.tabulon-abc123.tmp"},
       "export: " + Dir / ".hive.reg.tabulon-abc123.tmp" +
           " has the name of a registry writer's temporary file"},
      {{"--hive", Hive, "-e", "export " + Dir / ".x.tabulon-000000.tmp"},
       "export: " + Dir / ".x.tabulon-000000.tmp" + " has the name of a registry"},
      {{"--hive", Hive, "-e", "export " + Dir / "mybackup.reg"},
       "export: " + Dir / "mybackup.reg" + " leads to " + Dir / ".hive.reg.tabulon-Backup.tmp" +
           Temporary},
      // The hive's file is yet to be made, and so is its lock.
      {{"--hive", Dir / "new.reg", "-e", "export " + Dir / "to-new-lock"},
       "export: " + Dir / "to-new-lock" + " is the lock file of the registry file " +
           Dir / "new.reg"},
      {{"--hive", Dir / ".hive.reg.tabulon-ZZZZZZ.tmp", "-e", "show"},
       "tabulon-ide: " + Dir / ".hive.reg.tabulon-ZZZZZZ.tmp" +
           " has the name of a registry writer's temporary file"},
      {{"--hive", Dir / "mybackup.reg", "-e", "show"},
       "tabulon-ide: " + Dir / "mybackup.reg" + " leads to " +
           Dir / ".hive.reg.tabulon-Backup.tmp" + Temporary},
      {{"--hive", Dir / "to-lock", "-e", "show"},
       "tabulon-ide: " + Dir / "to-lock" + " leads to " + Hive +
           ".lock, which is the lock file of the registry file " + Hive}};
  for (const auto& [Args, Message] : Cases) {
    const TRun R = RunIde(Args);
    EXPECT_EQ(R.Status, kExitError) << Args.back();
    EXPECT_THAT(R.Err, HasSubstr(Message)) << R.Err;
  }
  ::close(Held);
  EXPECT_EQ(ReadBytes(Hive + ".lock"), "");
  EXPECT_EQ(Dir.Entries(), (std::set<std::string>{"hive.reg", "hive.reg.lock", "to-lock",
                                                  "mybackup.reg", "to-new-lock"}));
}
