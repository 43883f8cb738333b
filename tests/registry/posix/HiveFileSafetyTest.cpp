#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

#include <fstream>

#include "HiveError.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "TempDir.h"
#include "Utf16File.h"

using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

const std::string Stored = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"old\"\r\n\r\n";

// Writes v=Value under K through a registry object of its own.
void WriteV(const std::string& Value) {
  TRegIniFile Reg;
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("", "v", Value);
  Reg.CloseKey();
}

bool Contains(const std::string& Text, const std::string& Part) {
  return Text.find(Part) != std::string::npos;
}

}  // namespace

TEST(HiveFileSafety, LinksAreWrittenThroughToTheirTarget) {
  TTempDir Dir;
  fs::create_directories(Dir / "dotfiles");
  fs::create_directories(Dir / "config");
  WriteBytes(Dir / "dotfiles/hive.reg", Stored);
  // config/link.reg -> config/step.reg -> ../dotfiles/hive.reg: a chain, the
  // second link relative to its own folder.
  fs::create_symlink("../dotfiles/hive.reg", Dir / "config/step.reg");
  fs::create_symlink(Dir / "config/step.reg", Dir / "config/link.reg");
  // A link whose target does not exist yet: the first save creates it.
  fs::create_symlink("new.reg", Dir / "config/dangling.reg");

  {
    RegistryHive Hive(Dir / "config/link.reg");
    WriteV("new");
  }
  EXPECT_TRUE(fs::is_symlink(Dir / "config/link.reg"));
  EXPECT_TRUE(fs::is_symlink(Dir / "config/step.reg"));
  EXPECT_THAT(ReadBytes(Dir / "dotfiles/hive.reg"), HasSubstr("\"v\"=\"new\""));
  // Lock and temporary files live beside the target, none beside the links.
  EXPECT_EQ(TTempDir::EntriesOf(Dir / "dotfiles"),
            (std::set<std::string>{"hive.reg", "hive.reg.lock"}));
  {
    RegistryHive Hive(Dir / "config/dangling.reg");
    WriteV("fresh");
  }
  EXPECT_TRUE(fs::is_symlink(Dir / "config/dangling.reg"));
  EXPECT_THAT(ReadBytes(Dir / "config/new.reg"), HasSubstr("\"v\"=\"fresh\""));
  EXPECT_EQ(ModeOf(Dir / "config/new.reg"), 0600u);
  EXPECT_EQ(
      TTempDir::EntriesOf(Dir / "config"),
      (std::set<std::string>{"link.reg", "step.reg", "dangling.reg", "new.reg", "new.reg.lock"}));
}

// A save removes what killed writers left, and nothing else: only regular
// files of the writer's own with the store's temporary pattern that no
// living writer holds. An export clears its own leftovers the same way.
TEST(HiveFileSafety, OnlyTheStoresOwnLeftoversAreRemoved) {
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  WriteBytes(Path, Stored);
  std::set<std::string> Kept = {"hive.reg",
                                "hive.reg.lock",
                                ".hive.reg.backup",
                                ".hive.reg.202412",
                                ".hive.reg.tabulon-abc12.tmp",
                                ".hive.reg.tabulon-abc123.tmp.bak",
                                ".other.reg.tabulon-abc123.tmp",
                                ".hive.reg.tabulon-link00.tmp",
                                ".hive.reg.tabulon-fold00.tmp",
                                ".hive.reg.tabulon-held00.tmp"};
  for (const std::string& Name : Kept)
    if (Name.rfind(".", 0) == 0)
      WriteBytes(Dir / Name, "the user's");
  fs::remove(Dir / ".hive.reg.tabulon-link00.tmp");
  fs::create_symlink(Dir / "victim", Dir / ".hive.reg.tabulon-link00.tmp");
  Kept.insert("victim");
  WriteBytes(Dir / "victim", "the user's");
  fs::remove(Dir / ".hive.reg.tabulon-fold00.tmp");
  fs::create_directories(Dir / ".hive.reg.tabulon-fold00.tmp");
  // Another writer is in the middle of its replace.
  const int Held = ::open((Dir / ".hive.reg.tabulon-held00.tmp").c_str(), O_RDWR);
  ASSERT_EQ(::flock(Held, LOCK_EX), 0);
  if (::geteuid() == 0) {
    WriteBytes(Dir / ".hive.reg.tabulon-other0.tmp", "another user's");
    ASSERT_EQ(::chown((Dir / ".hive.reg.tabulon-other0.tmp").c_str(), 12345, 12345), 0);
    Kept.insert(".hive.reg.tabulon-other0.tmp");
  }
  WriteBytes(Dir / ".hive.reg.tabulon-a1B2c3.tmp", "REGEDIT4\r\n[HKEY_CURRENT_USER\\K");
  WriteBytes(Dir / ".out.reg.tabulon-Zz9Zz9.tmp", "REGEDIT4\r\n");
  {
    RegistryHive Hive(Path);
    WriteV("new");
    EXPECT_TRUE(fs::exists(Dir / ".out.reg.tabulon-Zz9Zz9.tmp")) << "not the hive's";
    Hive.Export(Dir / "out.reg", HiveFormat::Regedit4);
  }
  ::close(Held);
  Kept.insert("out.reg");
  EXPECT_EQ(Dir.Entries(), Kept);
  EXPECT_EQ(ReadBytes(Dir / ".hive.reg.backup"), "the user's");
  EXPECT_EQ(ReadBytes(Dir / "victim"), "the user's");
}

// A link in a sticky, world-writable folder is followed only when it
// belongs to the writer or to the folder's owner, for root too and
// whatever fs.protected_symlinks says, at the end of the path or on the
// way; a loop is refused, with a message.
TEST(HiveFileSafety, LinksInSharedFoldersAreFollowedOnlyForTheirOwners) {
  TTempDir Dir;
  // What exporting to Path (or, with AsHive, opening it as the hive) raised;
  // "" when it did not.
  const auto Refusal = [](const std::string& Path, bool AsHive) {
    try {
      if (AsHive) {
        RegistryHive Hive(Path);
      } else {
        RegistryHive Hive(RegistryHive::Memory);
        Hive.Export(Path, HiveFormat::Regedit4);
      }
    } catch (const ERegistryException& E) {
      return E.Message();
    }
    return std::string();
  };
  fs::create_symlink(Dir / "loop.reg", Dir / "loop.reg");
  EXPECT_EQ(Refusal(Dir / "loop.reg", false),
            Dir / "loop.reg" +
                ": the symbolic link cannot be followed: Too many levels of symbolic links");
  if (::geteuid() != 0)
    GTEST_SKIP() << "only root can make a link that belongs to another user";
  const std::string Shared = Dir / "sticky";
  fs::create_directories(Shared);
  fs::permissions(Shared, static_cast<fs::perms>(01777));
  fs::create_directories(Dir / "private");
  WriteBytes(Dir / "private/secret.reg", Stored);
  fs::permissions(Dir / "private/secret.reg", static_cast<fs::perms>(0600));
  const auto Plant = [](const std::string& To, const std::string& Link, uid_t Owner) {
    fs::create_symlink(To, Link);
    EXPECT_EQ(::lchown(Link.c_str(), Owner, Owner), 0);
  };
  Plant(Dir / "private/secret.reg", Shared + "/out.reg", 12345);
  Plant(Dir / "private", Shared + "/folder", 12345);
  Plant(Dir / "private/secret.reg", Shared + "/mine.reg", 0);
  for (const std::string& Path : {Shared + "/out.reg", Shared + "/folder/secret.reg"}) {
    const std::string Link = Path.substr(0, Path.find('/', Shared.size() + 1));
    for (bool AsHive : {false, true})
      EXPECT_EQ(Refusal(Path, AsHive),
                Path + ": the symbolic link " + Link +
                    " belongs to another user (uid 12345) and lies in the sticky, world-writable "
                    "folder " +
                    Shared + "; such a link is followed only for its owner or the folder's owner");
  }
  EXPECT_EQ(ReadBytes(Dir / "private/secret.reg"), Stored);
  // The writer's own link is followed, and so is one of the folder's owner.
  EXPECT_EQ(Refusal(Shared + "/mine.reg", false), "");
  EXPECT_EQ(ReadBytes(Dir / "private/secret.reg"), "REGEDIT4\r\n\r\n");
  ASSERT_EQ(::chown(Shared.c_str(), 12345, 12345), 0);
  WriteBytes(Dir / "private/secret.reg", Stored);
  EXPECT_EQ(Refusal(Shared + "/out.reg", false), "");
  EXPECT_EQ(ReadBytes(Dir / "private/secret.reg"), "REGEDIT4\r\n\r\n");
}

TEST(HiveFileSafety, PathsThatAreNotRegularFilesAreRefusedWithoutBlocking) {
  const TWatchdog Watchdog(30);
  TTempDir Dir;
  ASSERT_EQ(::mkfifo((Dir / "fifo").c_str(), 0600), 0);
  fs::create_directories(Dir / "folder");
  fs::create_symlink(Dir / "fifo", Dir / "link-to-fifo");
  const int Sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un Addr{};
  Addr.sun_family = AF_UNIX;
  std::snprintf(Addr.sun_path, sizeof Addr.sun_path, "%s", (Dir / "socket").c_str());
  ASSERT_EQ(::bind(Sock, reinterpret_cast<sockaddr*>(&Addr), sizeof Addr), 0);
  struct TCase {
    std::string Name;
    std::string Kind;
  };
  std::vector<TCase> Cases = {{"fifo", "is a FIFO"},
                              {"folder", "is a folder"},
                              {"socket", "is a socket"},
                              {"link-to-fifo", "(a link to " + Dir / "fifo" + ") is a FIFO"}};
  // A device node can only be made by root; /dev/null's numbers, but in the
  // test's own folder.
  if (::mknod((Dir / "device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
    Cases.push_back({"device", "is a character device"});
  for (const TCase& C : Cases) {
    try {
      RegistryHive Hive(Dir / C.Name);
      ADD_FAILURE() << C.Name << " was opened as a hive";
    } catch (const ERegistryException& E) {
      EXPECT_EQ(E.Message().rfind(Dir / C.Name, 0), 0u) << E.Message();
      EXPECT_THAT(E.Message(), HasSubstr(C.Kind)) << E.Message();
    }
    EXPECT_EQ(RegistryHive::Current(), nullptr);
  }
  ::close(Sock);

  // A FIFO put in the file's place while the hive is in use is refused
  // when it is read again, not waited on.
  RegistryHive Hive(Dir / "later.reg");
  WriteV("1");
  fs::remove(Dir / "later.reg");
  ASSERT_EQ(::mkfifo((Dir / "later.reg").c_str(), 0600), 0);
  TRegIniFile Reg;
  EXPECT_THROW(Reg.OpenKey("K", false), ERegistryException);
}

// A file without write bits is never replaced, for root too; every other
// file keeps its mode (and a new one is 0600, see HiveFile's first test).
TEST(HiveFileSafety, ReadOnlyFilesStayAndModesAreKept) {
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  for (unsigned Mode : {0644u, 0640u, 0604u}) {
    WriteBytes(Path, Stored);
    fs::permissions(Path, static_cast<fs::perms>(Mode));
    RegistryHive Hive(Path);
    WriteV(std::to_string(Mode));
    EXPECT_THAT(ReadBytes(Path), HasSubstr("\"v\"=\"" + std::to_string(Mode) + "\""));
    EXPECT_EQ(ModeOf(Path), Mode);
  }

  WriteBytes(Path, Stored);
  fs::permissions(Path, static_cast<fs::perms>(0444));
  RegistryHive Hive(Path);
  TRegIniFile Reg;
  EXPECT_FALSE(Reg.OpenKey("K", true));
  EXPECT_FALSE(Reg.OpenKey("New", true));
  EXPECT_EQ(
      Hive.TakeSaveFailures(),
      std::vector<std::string>(2, "cannot write " + Path + ": the file is read-only (mode 0444)"));
  ASSERT_TRUE(Reg.OpenKey("K", false));
  EXPECT_EQ(Reg.ReadString("", "v", ""), "old");
  // Made read-only while a change waits to be written.
  fs::permissions(Path, static_cast<fs::perms>(0644));
  ASSERT_TRUE(Reg.OpenKey("\\K", true));
  Reg.WriteString("", "v", "new");
  fs::permissions(Path, static_cast<fs::perms>(0400));
  EXPECT_THROW(Reg.CloseKey(), ERegistryException);
  EXPECT_EQ(Hive.TakeSaveFailures().size(), 1u);
  EXPECT_EQ(ReadBytes(Path), Stored);
  EXPECT_EQ(ModeOf(Path), 0400u);
}

// A file that is no hive is refused on its first bytes, one larger than any
// hive is refused unread, and one that does not fit in memory is refused
// naming it: a gigabyte of zeros costs neither the time nor the memory to
// read it.
TEST(HiveFileSafety, HugeFilesAreRefusedUnreadNamingTheFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "an address space limit does not mix with AddressSanitizer's shadow memory";
#endif
  TTempDir Dir;
  const auto Sparse = [&Dir](const std::string& Name, const std::string& Head,
                             std::uintmax_t Size) {
    WriteBytes(Dir / Name, Head);
    fs::resize_file(Dir / Name, Size);
    return Dir / Name;
  };
  const std::pair<std::string, std::string> Cases[] = {
      {Sparse("zeros.reg", "", 1u << 30), ":1: the file does not start with the line REGEDIT4"},
      {Sparse("huge.reg", "REGEDIT4\r\n", HiveMaxFileSize + 1),
       " is 268435457 bytes; one larger than 256 MB is refused"},
      {Sparse("big.reg", "REGEDIT4\r\n", 200u << 20),
       "Not enough memory to read the registry file " + Dir / "big.reg"}};
  // In a child whose address space has about 64 MB to spare: reading any of
  // these files whole would exhaust it.
  const int Code = InChild([&Cases] {
    std::ifstream Statm("/proc/self/statm");
    std::uintmax_t Pages = 0;
    Statm >> Pages;
    const rlimit Limit{Pages * ::sysconf(_SC_PAGESIZE) + (64u << 20), RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &Limit) != 0)
      return 2;
    int Failed = 0;
    for (const auto& [Path, Message] : Cases) {
      try {
        RegistryHive Hive(Path);
        std::fprintf(stderr, "%s was loaded\n", Path.c_str());
        ++Failed;
      } catch (const ERegistryException& E) {
        if (!Contains(E.Message(), Message) || !Contains(E.Message(), Path)) {
          std::fprintf(stderr, "%s\n", E.Message().c_str());
          ++Failed;
        }
      }
    }
    return Failed;
  });
  EXPECT_EQ(Code, 0);
}

// Reading holds the file and the tree it becomes and little more: in a
// child whose address space has only so much to spare, 16 MB of blank lines
// read within 160 MB and a 256 MB text of NULs within 1 GB, and a file
// whose tree would pass the reader's budget is refused saying so, rather
// than left to exhaust the memory.
TEST(HiveFileSafety, ReadingTakesMemoryInProportionToTheFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "an address space limit does not mix with AddressSanitizer's shadow memory";
#endif
  TTempDir Dir;
  const std::string Head = "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n";
  WriteBytes(Dir / "blank.reg", Head + std::string(16u << 20, '\n'));
  {
    std::ofstream Out(Dir / "nul.reg", std::ios::binary);
    Out << Head << "\"v\"=\"";
    const std::string Block(1u << 20, '\0');
    for (int i = 0; i < 255; ++i)
      Out << Block;
    Out << "\"\r\n";
  }
  {
    std::ofstream Out(Dir / "values.reg", std::ios::binary);
    Out << Head;
    for (int i = 0; i < 3500000; ++i)
      Out << "\"" << i << "\"=\"\"\n";
  }
  const struct {
    const char* Name;
    std::size_t Spare;
    const char* Refusal;
  } Cases[] = {{"blank.reg", 160u << 20, nullptr},
               {"nul.reg", std::size_t{1} << 30, nullptr},
               {"values.reg", std::size_t{1} << 30,
                "the registry would take more than 640 MB of memory; no registry comes near that"}};
  for (const auto& C : Cases) {
    const std::string Path = Dir / C.Name;
    EXPECT_EQ(InChild([&] {
                std::ifstream Statm("/proc/self/statm");
                std::uintmax_t Pages = 0;
                Statm >> Pages;
                const rlimit Limit{Pages * ::sysconf(_SC_PAGESIZE) + C.Spare, RLIM_INFINITY};
                if (::setrlimit(RLIMIT_AS, &Limit) != 0)
                  return 2;
                try {
                  RegistryHive Hive(Path);
                  return C.Refusal == nullptr ? 0 : 3;
                } catch (const ERegistryException& E) {
                  std::fprintf(stderr, "%s\n", E.Message().c_str());
                  return C.Refusal != nullptr && Contains(E.Message(), C.Refusal) ? 0 : 4;
                }
              }),
              0)
        << C.Name;
  }
}

// The lock file takes the hive's mode without execute bits, so whoever may
// write a shared hive may take its lock; a narrower one of the writer's own
// is widened.
TEST(HiveFileSafety, TheLockFileTakesTheHivesMode) {
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  const std::pair<unsigned, unsigned> Modes[] = {
      {0666, 0666}, {0640, 0640}, {0755, 0644}, {0600, 0600}};
  for (const auto& [Hive, Lock] : Modes) {
    fs::remove(Path + ".lock");
    WriteBytes(Path, Stored);
    fs::permissions(Path, static_cast<fs::perms>(Hive));
    RegistryHive H(Path);
    WriteV(std::to_string(Hive));
    EXPECT_EQ(ModeOf(Path + ".lock"), Lock) << std::oct << Hive;
  }
  fs::permissions(Path, static_cast<fs::perms>(0666));
  {
    RegistryHive H(Path);
    WriteV("shared");
  }
  EXPECT_EQ(ModeOf(Path + ".lock"), 0666u);
  if (::geteuid() != 0)
    return;
  // Another user writes the shared hive beside the lock that root made.
  fs::permissions(Dir.Path(), static_cast<fs::perms>(0777));
  const auto WriteAsNobody = [&Path](const char* Value) {
    return InChild([&Path, Value] {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0)
        return 2;
      RegistryHive Hive(Path);
      TRegIniFile Reg;
      if (!Reg.OpenKey("K", true))
        return 3;
      Reg.WriteString("", "v", Value);
      Reg.CloseKey();
      return 0;
    });
  };
  EXPECT_EQ(WriteAsNobody("another user"), 0);
  EXPECT_THAT(ReadBytes(Path), HasSubstr("\"v\"=\"another user\""));
  // Root, saving a user's private hive, makes its lock the user's, who can
  // still take it afterwards; a lock of a third user's is refused, and its
  // mode stays as it was.
  fs::remove(Path + ".lock");
  fs::permissions(Path, static_cast<fs::perms>(0600));
  ASSERT_EQ(::chown(Path.c_str(), 65534, 65534), 0);
  {
    RegistryHive H(Path);
    WriteV("root");
  }
  struct stat Lock {};
  ASSERT_EQ(::stat((Path + ".lock").c_str(), &Lock), 0);
  EXPECT_EQ(Lock.st_uid, 65534u);
  EXPECT_EQ(WriteAsNobody("the user again"), 0);
  ASSERT_EQ(::chown((Path + ".lock").c_str(), 12345, 12345), 0);
  RegistryHive H(Path);
  TRegIniFile Reg;
  EXPECT_FALSE(Reg.OpenKey("K", true));
  EXPECT_EQ(H.TakeSaveFailures(),
            std::vector<std::string>{"cannot write " + Path + ": the lock file " + Path +
                                     ".lock belongs to another user (uid 12345), neither the "
                                     "registry file's owner nor this writer; remove it"});
  EXPECT_EQ(ModeOf(Path + ".lock"), 0600u);
}

TEST(HiveFileSafety, TheLockFileIsNeverFollowedAndItsWaitIsBounded) {
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  WriteBytes(Path, Stored);
  RegistryHive Hive(Path);
  std::vector<std::string> Notices;
  HiveLockWait Wait;
  Wait.NoticeAfter = std::chrono::milliseconds(20);
  Wait.GiveUpAfter = std::chrono::milliseconds(300);
  Wait.Notice = [&Notices](const std::string& Message) { Notices.push_back(Message); };
  Hive.SetLockWait(Wait);

  WriteBytes(Dir / "victim", "someone else's file");
  fs::create_symlink(Dir / "victim", Path + ".lock");
  TRegIniFile Reg;
  EXPECT_FALSE(Reg.OpenKey("K", true));
  fs::remove(Path + ".lock");
  fs::create_directories(Path + ".lock");
  EXPECT_FALSE(Reg.OpenKey("K", true));
  const std::vector<std::string> Failures = Hive.TakeSaveFailures();
  ASSERT_EQ(Failures.size(), 2u);
  EXPECT_THAT(Failures[0], HasSubstr("the lock file " + Path + ".lock is a symbolic link"))
      << Failures[0];
  EXPECT_THAT(Failures[1], HasSubstr("the lock file " + Path + ".lock is a folder")) << Failures[1];
  EXPECT_EQ(ReadBytes(Dir / "victim"), "someone else's file");
  fs::remove(Path + ".lock");

  // Another process holds the lock (an open file description of its own
  // stands for it) longer than a writer waits.
  const int Held = ::open((Path + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_EQ(::flock(Held, LOCK_EX), 0);
  ASSERT_TRUE(Reg.OpenKey("K", true));
  Reg.WriteString("", "v", "blocked");
  try {
    Reg.CloseKey();
    ADD_FAILURE() << "the write did not wait for the lock";
  } catch (const ERegistryException& E) {
    EXPECT_EQ(E.Message(), "cannot write " + Path + ": the lock file " + Path +
                               ".lock is held by another process; gave up after 300 ms");
  }
  EXPECT_EQ(Notices, std::vector<std::string>{"waiting for the lock file " + Path +
                                              ".lock, held by another process (giving up after "
                                              "300 ms)"});
  ::close(Held);
  WriteV("free");
  EXPECT_THAT(ReadBytes(Path), HasSubstr("\"v\"=\"free\""));
}

// A regedit 5.00 file stays one when saved, and both exports load back as
// the same hive.
TEST(HiveFileSafety, Regedit5FilesStayRegedit5AndExportsLoadBack) {
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  // "Данные"="ADO" followed by 0x1F 0x1F, as regedit exports it.
  const std::u16string Head =
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
      u"\"\u0414\u0430\u043d\u043d\u044b\u0435\"=\"ADO\u001f\u001f\"\r\n";
  WriteBytes(Path, Utf16File(Head + u"\r\n"));
  const std::string Win1251 =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"\xc4\xe0\xed\xed\xfb\xe5\"=\"ADO\x1f\x1f\"\r\n"
      "\"v\"=\"1\"\r\n\r\n";
  {
    RegistryHive Hive(Path);
    EXPECT_EQ(Hive.Format(), HiveFormat::Regedit5);
    TRegIniFile Reg;
    ASSERT_TRUE(Reg.OpenKey("K", false));
    EXPECT_EQ(Reg.ReadString("", "\xc4\xe0\xed\xed\xfb\xe5", ""), "ADO\x1f\x1f");
    Reg.WriteString("", "v", "1");
    Reg.CloseKey();
    EXPECT_EQ(ReadBytes(Path), Utf16File(Head + u"\"v\"=\"1\"\r\n\r\n"));
    Hive.Export(Dir / "four.reg", HiveFormat::Regedit4);
    Hive.Export(Dir / "five.reg", HiveFormat::Regedit5);
    EXPECT_EQ(ReadBytes(Dir / "four.reg"), Win1251);
    EXPECT_EQ(ReadBytes(Dir / "five.reg"), ReadBytes(Path));
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    EXPECT_EQ(ModeOf(Dir / "four.reg"), 0666u & ~Mask);
    // Exported over its own file, the hive changes format for good.
    Hive.Export(Path, HiveFormat::Regedit4);
    WriteV("2");
    EXPECT_EQ(ReadBytes(Path).rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_THROW(Hive.Export(Dir.Path(), HiveFormat::Regedit4), ERegistryException);
  }
  for (const char* Name : {"four.reg", "five.reg"}) {
    RegistryHive Hive(Dir / Name);
    EXPECT_EQ(Hive.Text(), Win1251) << Name;
  }
}
