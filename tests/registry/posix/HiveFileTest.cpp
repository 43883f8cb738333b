#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Registry.h"
#include "RegistryHive.h"
#include "TempDir.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

namespace {

const std::string HiveName = "HKEY_CURRENT_USER.reg";
const std::string LockName = "HKEY_CURRENT_USER.reg.lock";

}  // namespace

TEST(HiveFile, MissingFileIsEmptyAndChangesArriveWhenTheKeyCloses) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  RegistryHive Hive(Path);
  EXPECT_EQ(Hive.Text(), "REGEDIT4\r\n\r\n");
  {
    TRegIniFile Reader;
    EXPECT_FALSE(Reader.OpenKey("K", false));
    EXPECT_EQ(Reader.ReadString("S", "v", "d"), "d");
  }
  EXPECT_FALSE(fs::exists(Path)) << "reading must not write";

  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("S", "v", "1");
  EXPECT_FALSE(fs::exists(Path)) << "a new key is written with its values, in one replace";
  Reg.CloseKey();
  EXPECT_EQ(ReadBytes(Path), Hive.Text());
  EXPECT_THAT(ReadBytes(Path), HasSubstr("[HKEY_CURRENT_USER\\K\\S]\r\n\"v\"=\"1\"\r\n"));
  EXPECT_EQ(ModeOf(Path), 0600u);
  EXPECT_EQ(ModeOf(Dir / LockName), 0600u);
  EXPECT_EQ(Dir.Entries(), (std::set<std::string>{HiveName, LockName}));

  // Opening and reading again leaves the file alone: same inode.
  struct stat Before {
  }, After{};
  ::stat(Path.c_str(), &Before);
  ASSERT_TRUE(Reg.OpenKey("K", false));
  EXPECT_EQ(Reg.ReadString("S", "v", ""), "1");
  Reg.CloseKey();
  ::stat(Path.c_str(), &After);
  EXPECT_EQ(Before.st_ino, After.st_ino);

  // Freeing the object writes what it changed, like closing its key.
  {
    TRegIniFile Other;
    ASSERT_TRUE(Other.OpenKey("K", false));
    Other.WriteBool("S", "w", true);
  }
  EXPECT_THAT(ReadBytes(Path), HasSubstr("\"w\"=\"1\""));
}

TEST(HiveFile, HandWrittenFileLoadsAndKeepsEveryValue) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  WriteBytes(Path,
             "REGEDIT4\n\n; Exported by hand\r\n"
             "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\7.0\\Expert\\Timer]\n"
             "\"PagesSort\"=\"\xc0\xe1\x1f\x1f\"   ; one group\n"
             "\"PageTimerRefreshMSec\"=\"10000\"\r\n"
             "\"Count\"=dword:2a\n"
             "\"Blob\"=hex:00,01,02,\\\n"
             "  ; a comment between continuation lines\n"
             "  03,04\n\n"
             "[HKEY_CURRENT_USER\\Software\\Old]\n\"x\"=\"1\"\n\n"
             "[-HKEY_CURRENT_USER\\Software\\Old]\n\n"
             "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\7.0\\Expert\\Pages]\n"
             "@=\"unnamed\"\n\"\xc0\xe1\"=\"Standard\x1f\x1f\"\n");
  RegistryHive Hive(Path);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("Software\\Borland\\Delphi\\7.0\\Expert", false));
  EXPECT_EQ(Reg.ReadString("Timer", "PagesSort", ""), "\xc0\xe1\x1f\x1f");
  EXPECT_EQ(Reg.ReadInteger("Timer", "PageTimerRefreshMSec", 0), 10000);
  EXPECT_EQ(Reg.ReadString("Pages", "", ""), "unnamed");
  EXPECT_THROW(Reg.ReadString("Timer", "Count", ""), ERegistryException);
  EXPECT_FALSE(Reg.KeyExists("\\Software\\Old"));
  Reg.WriteBool("Timer", "PagesDraw", true);
  Reg.CloseKey();

  const std::string Key = "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\7.0";
  EXPECT_EQ(ReadBytes(Path),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Borland]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi]\r\n\r\n" +
                Key + "]\r\n\r\n" + Key + "\\Expert]\r\n\r\n" + Key +
                "\\Expert\\Pages]\r\n@=\"unnamed\"\r\n\"\xc0\xe1\"=\"Standard\x1f\x1f\"\r\n\r\n" +
                Key +
                "\\Expert\\Timer]\r\n\"PagesSort\"=\"\xc0\xe1\x1f\x1f\"\r\n"
                "\"PageTimerRefreshMSec\"=\"10000\"\r\n\"Count\"=dword:0000002a\r\n"
                "\"Blob\"=hex:00,01,02,03,04\r\n\"PagesDraw\"=\"1\"\r\n\r\n");
}

TEST(HiveFile, UnparseableFileIsReportedAndNeverOverwritten) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  const std::string Bad = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\nnot a value\r\n";
  {
    RegistryHive Hive(Path);
    TRegIniFile Reg;
    ASSERT_TRUE(Reg.OpenKey("K", true));
    Reg.WriteString("S", "v", "pending");
    // Someone breaks the file while this object still has a change to write.
    WriteBytes(Path, Bad);
    try {
      Reg.OpenKey("K", false);
      FAIL() << "OpenKey read a broken file";
    } catch (const ERegistryException& E) {
      EXPECT_THAT(E.Message(), HasSubstr(Path + ":4: ")) << E.Message();
    }
    EXPECT_THROW(Reg.CloseKey(), ERegistryException);
    EXPECT_EQ(ReadBytes(Path), Bad);
  }
  EXPECT_EQ(ReadBytes(Path), Bad) << "destructors must not overwrite it either";
  try {
    RegistryHive Again(Path);
    FAIL() << "a broken file was loaded";
  } catch (const ERegistryException& E) {
    EXPECT_THAT(E.Message(), HasSubstr(Path + ":4: ")) << E.Message();
  }
  EXPECT_EQ(RegistryHive::Current(), nullptr);
  EXPECT_EQ(ReadBytes(Path), Bad);
}

TEST(HiveFile, WriteInterruptedBeforeTheRenameLeavesTheOldFile) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  RegistryHive Hive(Path);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("S", "v", "old");
  Reg.CloseKey();
  const std::string Old = ReadBytes(Path);

  std::string Seen;
  Hive.SetBeforeRename([&Seen](const std::string& Temp) {
    Seen = ReadBytes(Temp);
    throw std::runtime_error("power cut");
  });
  ASSERT_TRUE(Reg.OpenKey("K", false));
  Reg.WriteString("S", "v", "new");
  EXPECT_THROW(Reg.CloseKey(), std::runtime_error);
  EXPECT_THAT(Seen, HasSubstr("\"v\"=\"new\"")) << "the temporary file was complete";
  EXPECT_EQ(ReadBytes(Path), Old);
  EXPECT_EQ(Dir.Entries(), (std::set<std::string>{HiveName, LockName}));
  EXPECT_EQ(Hive.TakeSaveFailures(), std::vector<std::string>{"power cut"});

  // The user was told that the change failed: it is gone from the view, and
  // neither a later close nor the object's end writes it behind his back.
  Hive.SetBeforeRename(nullptr);
  ASSERT_TRUE(Reg.OpenKey("K", false));
  EXPECT_EQ(Reg.ReadString("S", "v", ""), "old");
  Reg.CloseKey();
  {
    TRegIniFile Other;
    ASSERT_TRUE(Other.OpenKey("K", false));
    Other.WriteString("S", "w", "other");
  }
  EXPECT_THAT(ReadBytes(Path), Not(HasSubstr("new")));
  EXPECT_THAT(ReadBytes(Path), HasSubstr("other"));
}

TEST(HiveFile, FailedWriteRaisesAndLeavesTheOldFile) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  const std::string Old = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"old\"\r\n\r\n";
  WriteBytes(Path, Old);
  // A file size limit makes the write fail as a full disk would; it is set
  // in a child so that the test process keeps writing normally.
  const int Code = InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    RegistryHive Hive(Path);
    TRegIniFile Reg;
    if (!Reg.OpenKey("K", false))
      return 2;
    rlimit Limit{};
    ::getrlimit(RLIMIT_FSIZE, &Limit);
    Limit.rlim_cur = 1000;
    if (::setrlimit(RLIMIT_FSIZE, &Limit) != 0)
      return 3;
    Reg.WriteString("S", "big", std::string(100000, 'x'));
    try {
      Reg.CloseKey();
      return 4;
    } catch (const ERegistryException& E) {
      if (std::string(E.what()).find("File too large") == std::string::npos)
        return 5;
    }
    return 0;
  });
  EXPECT_EQ(Code, 0);
  EXPECT_EQ(ReadBytes(Path), Old);
  EXPECT_EQ(Dir.Entries(), (std::set<std::string>{HiveName, LockName}));
}

TEST(HiveFile, TwoProcessesWritingAtOnceBothKeepTheirValues) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  const int Rounds = 30;
  auto Writer = [&](const std::string& Who) {
    return [&, Who] {
      RegistryHive Hive(Path);
      for (int i = 0; i < Rounds; ++i) {
        TRegIniFile Reg;
        if (!Reg.OpenKey("Software\\Shared", true))
          return 2;
        Reg.WriteString("S", Who + std::to_string(i), std::to_string(i));
      }
      return 0;
    };
  };
  std::fflush(nullptr);
  const pid_t A = ::fork();
  if (A == 0)
    ::_exit(Writer("a")());
  const int CodeB = InChild(Writer("b"));
  int StatusA = 0;
  ::waitpid(A, &StatusA, 0);
  ASSERT_TRUE(WIFEXITED(StatusA));
  EXPECT_EQ(WEXITSTATUS(StatusA), 0);
  EXPECT_EQ(CodeB, 0);

  RegistryHive Hive(Path);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("Software\\Shared", false));
  for (const char* Who : {"a", "b"})
    for (int i = 0; i < Rounds; ++i)
      EXPECT_EQ(Reg.ReadString("S", Who + std::to_string(i), "lost"), std::to_string(i))
          << Who << i;
}

TEST(HiveFile, OpenKeySeesOtherProcessesAndKeepsOwnPendingChanges) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  RegistryHive Hive(Path);
  TRegIniFile Mine;
  ASSERT_TRUE(Mine.OpenKey("K", true));
  Mine.WriteString("S", "mine", "1");
  Mine.WriteString("S", "both", "mine");
  // The child inherits this process's hive, but its own registry object
  // writes only its own change.
  ASSERT_EQ(InChild([] {
              TRegIniFile Theirs;
              if (!Theirs.OpenKey("K", false))
                return 2;
              Theirs.WriteString("S", "theirs", "2");
              Theirs.WriteString("S", "both", "theirs");
              Theirs.CloseKey();
              return 0;
            }),
            0);
  EXPECT_THAT(ReadBytes(Path), Not(HasSubstr("mine")));

  TRegIniFile Reader;
  ASSERT_TRUE(Reader.OpenKey("K", false));
  EXPECT_EQ(Reader.ReadString("S", "theirs", ""), "2");
  EXPECT_EQ(Reader.ReadString("S", "mine", ""), "1");
  EXPECT_EQ(Reader.ReadString("S", "both", ""), "mine");
  Mine.CloseKey();
  const std::string File = ReadBytes(Path);
  EXPECT_THAT(File, HasSubstr("\"theirs\"=\"2\""));
  EXPECT_THAT(File, HasSubstr("\"mine\"=\"1\""));
  EXPECT_THAT(File, HasSubstr("\"both\"=\"mine\""));
}

// A save stores exactly what its writer put in an erased section, whatever
// another process stored there since this one looked, even when the section
// did not exist then; and a first save into a new key is one replace.
TEST(HiveFile, AnErasedSectionHoldsOnlyTheSaversValuesAndANewKeyIsOneWrite) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  RegistryHive Hive(Path);
  int Renames = 0;
  Hive.SetBeforeRename([&Renames](const std::string&) { ++Renames; });
  const auto Confirm = [](const std::string& Who) {
    TRegIniFile Reg;
    if (!Reg.OpenKey("Software\\Expert", true))
      return 2;
    Reg.EraseSection("Pages");
    Reg.WriteString("Pages", Who, "page");
    Reg.WriteString("Timer", "PagesSort", Who);
    Reg.CloseKey();
    return 0;
  };
  TRegIniFile Mine;
  ASSERT_TRUE(Mine.OpenKey("Software\\Expert", true));
  // Another IDE confirms its dialog after this one read the file.
  ASSERT_EQ(InChild([&Confirm] { return Confirm("theirs"); }), 0);
  Mine.EraseSection("Pages");
  Mine.WriteString("Pages", "mine", "page");
  Mine.WriteString("Timer", "PagesSort", "mine");
  Mine.CloseKey();
  EXPECT_EQ(Renames, 1);
  const std::string File = ReadBytes(Path);
  EXPECT_THAT(
      File, HasSubstr("[HKEY_CURRENT_USER\\Software\\Expert\\Pages]\r\n\"mine\"=\"page\"\r\n\r\n"))
      << File;
  EXPECT_THAT(File, Not(HasSubstr("theirs"))) << File;
}

// Names as long as Windows allows are kept; a longer one fails the save
// that holds it, naming it, and nothing of that save is written.
TEST(HiveFile, NamesLongerThanWindowsAllowsFailTheSave) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  RegistryHive Hive(Path);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey(std::string(255, 'k'), true));
  Reg.WriteString("S", std::string(16383, 'v'), "1");
  Reg.CloseKey();
  const std::string Saved = ReadBytes(Path);
  ASSERT_THAT(Saved, HasSubstr(std::string(16383, 'v')));

  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("S", "first", "1");
  EXPECT_THROW(Reg.WriteString("S", std::string(16384, 'v'), "1"), ERegistryException);
  Reg.CloseKey();
  EXPECT_FALSE(Reg.OpenKey(std::string(256, 'k'), true));
  EXPECT_EQ(ReadBytes(Path), Saved);
  EXPECT_EQ(Hive.TakeSaveFailures(),
            (std::vector<std::string>{
                "cannot write " + Path + ": the value name '" + std::string(40, 'v') +
                    "...' is 16384 characters long; Windows allows 16383",
                "cannot write " + Path + ": the key name '" + std::string(40, 'k') +
                    "...' is 256 characters long; Windows allows 255"}));
}

// Opening a key reads the file again only when it changed since it was
// last read; a save of this process's own leaves nothing to read again.
TEST(HiveFile, TheFileIsReadAgainOnlyWhenItChanged) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  WriteBytes(Path, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"old\"\r\n\r\n");
  RegistryHive Hive(Path);
  const std::size_t Reads = Hive.FileReads();
  TRegIniFile Reg;
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(Reg.OpenKey("\\K", false));
    EXPECT_EQ(Reg.ReadString("", "v", ""), "old");
  }
  EXPECT_EQ(Hive.FileReads(), Reads);
  ASSERT_EQ(InChild([] {
              TRegIniFile Theirs;
              if (!Theirs.OpenKey("K", false))
                return 2;
              Theirs.WriteString("", "v", "theirs");
              Theirs.CloseKey();
              return 0;
            }),
            0);
  ASSERT_TRUE(Reg.OpenKey("\\K", false));
  EXPECT_EQ(Reg.ReadString("", "v", ""), "theirs");
  ASSERT_TRUE(Reg.OpenKey("\\K", false));
  EXPECT_EQ(Hive.FileReads(), Reads + 1);
  Reg.WriteString("", "v", "mine");
  Reg.CloseKey();
  EXPECT_EQ(Hive.FileReads(), Reads + 2) << "the save reads the file under the lock";
  ASSERT_TRUE(Reg.OpenKey("\\K", false));
  EXPECT_EQ(Reg.ReadString("", "v", ""), "mine");
  EXPECT_EQ(Hive.FileReads(), Reads + 2);
}

// A save merges its writer's changes alone into the file as it is now: not
// another registry object's pending ones, and not over a change made in
// place that kept the file's size and modification time.
TEST(HiveFile, ASaveMergesIntoTheFileAsItIsNow) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  WriteBytes(Path, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=\"1\"\r\n\"b\"=\"1\"\r\n\r\n");
  RegistryHive Hive(Path);
  TRegIniFile Mine, Other;
  ASSERT_TRUE(Mine.OpenKey("\\K", false));
  ASSERT_TRUE(Other.OpenKey("\\K", false));
  Mine.WriteString("", "a", "2");
  Other.WriteString("", "c", "3");
  Mine.CloseKey();
  EXPECT_THAT(ReadBytes(Path), Not(HasSubstr("\"c\"")));
  Other.CloseKey();
  EXPECT_THAT(ReadBytes(Path), HasSubstr("\"a\"=\"2\"\r\n\"b\"=\"1\"\r\n\"c\"=\"3\""));

  ASSERT_TRUE(Mine.OpenKey("\\K", false));
  Mine.WriteString("", "a", "4");
  const std::string Before = ReadBytes(Path);
  struct stat St {};
  ASSERT_EQ(::stat(Path.c_str(), &St), 0);
  const int Fd = ::open(Path.c_str(), O_WRONLY);
  ASSERT_GE(Fd, 0);
  const off_t At = static_cast<off_t>(Before.find("\"b\"=\"1\"") + 5);
  ASSERT_EQ(::pwrite(Fd, "9", 1, At), 1);
  const struct timespec Times[2] = {St.st_atim, St.st_mtim};
  ASSERT_EQ(::futimens(Fd, Times), 0);
  ::close(Fd);
  Mine.CloseKey();
  EXPECT_THAT(ReadBytes(Path), HasSubstr("\"a\"=\"4\"\r\n\"b\"=\"9\"\r\n\"c\"=\"3\""));
}

TEST(HiveFile, FolderThatIsAFileRefusesCreate) {
  TTempDir Dir;
  WriteBytes(Dir / "plain", "not a folder");
  RegistryHive Hive(Dir / "plain/" + HiveName);
  TRegIniFile Reg;
  EXPECT_FALSE(Reg.OpenKey("K", true));
  EXPECT_FALSE(Reg.OpenKey("", true));
  EXPECT_FALSE(Reg.KeyExists("K"));
  EXPECT_EQ(Dir.Entries(), std::set<std::string>{"plain"});
  EXPECT_EQ(ReadBytes(Dir / "plain"), "not a folder");
}

TEST(HiveFile, ReadOnlyFolderRefusesCreateButStillReads) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "running as root, where permission bits do not stop writes; "
                    "FolderThatIsAFileRefusesCreate covers the refusal";
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  RegistryHive Hive(Path);
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("S", "v", "1");
  Reg.CloseKey();
  const std::string Before = ReadBytes(Path);
  fs::permissions(Dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Reg.OpenKey("K", true));
  EXPECT_FALSE(Reg.OpenKey("New", true));
  ASSERT_TRUE(Reg.OpenKey("K", false));
  EXPECT_EQ(Reg.ReadString("S", "v", ""), "1");
  Reg.WriteString("S", "v", "2");
  EXPECT_THROW(Reg.CloseKey(), ERegistryException);
  fs::permissions(Dir.Path(), fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(Path), Before);
}

TEST(HiveFile, DefaultPathFollowsXdgConfigHome) {
  TTempDir Dir;
  const char* OldXdg = std::getenv("XDG_CONFIG_HOME");
  const char* OldHome = std::getenv("HOME");
  const std::string SavedXdg = OldXdg ? OldXdg : "", SavedHome = OldHome ? OldHome : "";

  ::setenv("XDG_CONFIG_HOME", (Dir / "cfg").c_str(), 1);
  EXPECT_EQ(RegistryHive::DefaultPath(), Dir / "cfg/tabulon/HKEY_CURRENT_USER.reg");
  EXPECT_TRUE(fs::is_directory(Dir / "cfg/tabulon"));

  ::setenv("HOME", (Dir / "home").c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(RegistryHive::DefaultPath(), Dir / "home/.config/tabulon/HKEY_CURRENT_USER.reg");
  // A relative XDG_CONFIG_HOME is not valid and is ignored.
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(RegistryHive::DefaultPath(), Dir / "home/.config/tabulon/HKEY_CURRENT_USER.reg");
  EXPECT_TRUE(fs::is_directory(Dir / "home/.config/tabulon"));

  WriteBytes(Dir / "file", "");
  ::setenv("XDG_CONFIG_HOME", (Dir / "file").c_str(), 1);
  EXPECT_THROW(RegistryHive::DefaultPath(), ERegistryException);

  OldXdg ? ::setenv("XDG_CONFIG_HOME", SavedXdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  OldHome ? ::setenv("HOME", SavedHome.c_str(), 1) : ::unsetenv("HOME");
}

TEST(HiveFile, DisplayTextIsUtf8WithVisibleControlBytes) {
  RegistryHive Hive(RegistryHive::Memory);
  TRegIniFile Reg;
  // Key "А", value "Б" followed by two 0x1F and a tab.
  Reg.WriteString("\xc0", "v", "\xc1\x1f\x1f\t");
  Reg.WriteString("\xc0", "nl", "a\r\n");
  EXPECT_EQ(Hive.DisplayText(),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\\xd0\x90]\n\"v\"=\"\xd0\x91\\x1f\\x1f\\x09\"\n"
            "\"nl\"=hex(1):61,0d,0a,00\n\n");
}

// What the hive says of its own accord goes to the report the program
// gives: a warning about a line of the file, told once however often the
// file is read, and changes that the hive's end could not write.
TEST(HiveFile, TheHiveReportsThroughTheProgramsHook) {
  TTempDir Dir;
  const std::string Path = Dir / HiveName;
  WriteBytes(Path, "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"p\"=\"C:\\dir\"\r\n");
  std::vector<std::string> Told;
  {
    RegistryHive Hive(Path, [&Told](const std::string& Message) { Told.push_back(Message); });
    Hive.Reload(true);
    // A change of an owner that never wrote it, as of a registry object
    // that outlives the hive.
    Hive.Apply(&Told, HiveOp{HiveOp::SetValue, {"K"}, "v", REG_SZ, std::string("1\0", 2)});
    fs::permissions(Path, static_cast<fs::perms>(0444));
  }
  ASSERT_EQ(Told.size(), 2u);
  EXPECT_EQ(Told[0],
            "warning: " + Path + ":3: \\d is not an escape; read as d, as regedit reads it");
  EXPECT_EQ(Told[1], "Registry changes were not saved: cannot write " + Path +
                         ": the file is read-only (mode 0444)");
}
