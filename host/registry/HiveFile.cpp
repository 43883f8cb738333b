#include "HiveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

#include "HiveError.h"
#include "HivePath.h"
#include "ScopeExit.h"

namespace {

const char* KindOf(mode_t Mode) {
  if (S_ISFIFO(Mode))
    return "a FIFO";
  if (S_ISCHR(Mode))
    return "a character device";
  if (S_ISBLK(Mode))
    return "a block device";
  if (S_ISSOCK(Mode))
    return "a socket";
  if (S_ISDIR(Mode))
    return "a folder";
  if (S_ISLNK(Mode))
    return "a symbolic link";
  return "not a regular file";
}

std::string ModeText(mode_t Mode) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "%04o", static_cast<unsigned>(Mode & 07777));
  return Buf;
}

std::string DurationText(std::chrono::milliseconds D) {
  if (D.count() % 1000 == 0)
    return std::to_string(D.count() / 1000) + " s";
  return std::to_string(D.count()) + " ms";
}

// Closes a descriptor on every path out of a scope.
class TFd {
 public:
  explicit TFd(int Fd) : FFd(Fd) {}
  ~TFd() {
    if (FFd >= 0)
      ::close(FFd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return FFd; }
  void Reset(int Fd) {
    if (FFd >= 0)
      ::close(FFd);
    FFd = Fd;
  }
  int Release() {
    const int Fd = FFd;
    FFd = -1;
    return Fd;
  }

 private:
  int FFd;
};

int OpenNoIntr(const std::string& Path, int Flags, mode_t Mode = 0) {
  int Fd;
  do
    Fd = ::open(Path.c_str(), Flags, Mode);
  while (Fd < 0 && errno == EINTR);
  return Fd;
}

// A temporary file is named ".NAME.tabulon-XXXXXX.tmp": a name that no user
// would give a file of his own, so that removing a killed writer's leftovers
// can never take one.
const char* const TempMark = "tabulon-";
const char* const TempSuffix = ".tmp";
constexpr std::size_t TempRandom = 6;

// Six random letters and digits for a temporary file's name.
std::string RandomPart() {
  static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char Bytes[TempRandom];
  if (::getrandom(Bytes, sizeof Bytes, 0) != static_cast<ssize_t>(sizeof Bytes))
    for (unsigned char& B : Bytes)
      B = static_cast<unsigned char>(std::rand());
  std::string Part;
  for (unsigned char B : Bytes)
    Part += Alphabet[B % (sizeof Alphabet - 1)];
  return Part;
}

bool EndsWith(const std::string& S, const std::string& Tail) {
  return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

}  // namespace

HiveFile::HiveFile(std::string Path, mode_t NewFileMode)
    : FPath(std::move(Path)), FNewFileMode(NewFileMode) {
  const THivePath Where = ResolveHivePath(FPath);
  FTarget = Where.Target;
  FFolder = Where.Folder;
  FLockPath = FTarget + ".lock";
  FTempPrefix = std::string(".").append(Where.Name).append(".").append(TempMark);
  const std::string Subject =
      Where.ThroughLink ? FPath + " leads to " + FTarget + ", which" : FPath;
  struct stat St {};
  if (::lstat(FTarget.c_str(), &St) == 0 && !S_ISREG(St.st_mode))
    throw ERegistryException(FPath + (Where.ThroughLink ? " (a link to " + FTarget + ")" : "") +
                             " is " + KindOf(St.st_mode) + ", not a regular file");
  // The store's own files are not anyone's to read or write as a hive or
  // an export: a writer's temporary file is removed by the next save
  // beside it, and a lock file replaced while another process holds it
  // would let the next writer in beside that one.
  if (IsTempName(Where.Name))
    throw ERegistryException(Subject +
                             " has the name of a registry writer's temporary file, which a save "
                             "beside it removes; choose another name");
  const std::string Locked = FTarget.substr(0, FTarget.size() - 5);
  if (EndsWith(Where.Name, ".lock") && Where.Name.size() > 5 && ::lstat(Locked.c_str(), &St) == 0 &&
      S_ISREG(St.st_mode))
    throw ERegistryException(Subject + " is the lock file of the registry file " + Locked +
                             "; choose another name");
}

void HiveFile::FailWrite(const std::string& Why, int Err) const {
  throw ERegistryException("cannot write " + FTarget + ": " + Why +
                           (Err != 0 ? std::string(": ") + std::strerror(Err) : std::string()));
}

std::optional<std::string> HiveFile::Read(const THeadCheck& CheckHead) const {
  // Non-blocking, so that a FIFO put in the file's place since the start
  // cannot hang the reader; fstat below refuses it. The path holds no link
  // (see HivePath.h): one put there since is refused, not followed.
  TFd Fd(OpenNoIntr(FTarget, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
  if (Fd.Get() < 0) {
    // ENOTDIR: a part of the folder path is a file, so the hive cannot exist
    // yet either; it cannot be written, which OpenKey reports.
    if (errno == ENOENT || errno == ENOTDIR)
      return std::nullopt;
    throw ERegistryException("Cannot open the registry file " + FTarget + ": " +
                             std::strerror(errno));
  }
  struct stat St {};
  if (::fstat(Fd.Get(), &St) != 0 || !S_ISREG(St.st_mode))
    throw ERegistryException("The registry file " + FTarget + " is " + KindOf(St.st_mode) +
                             ", not a regular file");
  const auto TooLarge = [this](std::uintmax_t Size) {
    return ERegistryException("The registry file " + FTarget + " is " + std::to_string(Size) +
                              " bytes; one larger than " + std::to_string(HiveMaxFileSize >> 20) +
                              " MB is refused, since no registry comes near that size");
  };
  std::string Text;
  try {
    const auto ReadSome = [&](std::size_t Want) {
      std::size_t Got = 0;
      char Buf[65536];
      while (Got < Want) {
        const ssize_t N = ::read(Fd.Get(), Buf, std::min(sizeof Buf, Want - Got));
        if (N < 0) {
          if (errno == EINTR)
            continue;
          throw ERegistryException("Cannot read the registry file " + FTarget + ": " +
                                   std::strerror(errno));
        }
        if (N == 0)
          return false;
        if (Text.size() + static_cast<std::size_t>(N) > HiveMaxFileSize)
          throw TooLarge(Text.size() + static_cast<std::size_t>(N));
        Text.append(Buf, static_cast<std::size_t>(N));
        Got += static_cast<std::size_t>(N);
      }
      return true;
    };
    // The first bytes tell whether this is a hive at all; a file that is not
    // (a gigabyte of zeros, say) is refused without reading it whole.
    const bool More = ReadSome(HiveHeadSize);
    if (CheckHead)
      CheckHead(Text, !More);
    if (More) {
      if (static_cast<std::uintmax_t>(St.st_size) > HiveMaxFileSize)
        throw TooLarge(static_cast<std::uintmax_t>(St.st_size));
      Text.reserve(static_cast<std::size_t>(St.st_size) + 1);
      ReadSome(HiveMaxFileSize + 1);
    }
  } catch (const std::bad_alloc&) {
    throw ERegistryException("Not enough memory to read the registry file " + FTarget + " (" +
                             std::to_string(St.st_size) + " bytes)");
  }
  return Text;
}

namespace {

// What stands in the way of replacing Target, or "" when nothing does.
std::string TargetRefusal(const std::string& Target, struct stat& St, bool& Exists) {
  Exists = ::lstat(Target.c_str(), &St) == 0;
  if (!Exists)
    return std::string();
  if (!S_ISREG(St.st_mode))
    return std::string("it is ") + KindOf(St.st_mode) + ", not a regular file";
  if ((St.st_mode & 0222) == 0)
    return "the file is read-only (mode " + ModeText(St.st_mode) + ")";
  return std::string();
}

}  // namespace

std::string HiveFile::FolderProblem(int Err) const {
  struct stat St {};
  if ((Err == ENOENT || Err == ENOTDIR) && ::stat(FFolder.c_str(), &St) != 0)
    return "the folder " + FFolder + " does not exist";
  if (Err == EACCES || Err == EPERM || Err == EROFS)
    return "the folder " + FFolder + " cannot be written: " + std::strerror(Err);
  return "no file can be made in the folder " + FFolder + ": " + std::strerror(Err);
}

void HiveFile::CheckWritable() const {
  struct stat St {};
  bool Exists = false;
  if (const std::string Refusal = TargetRefusal(FTarget, St, Exists); !Refusal.empty())
    FailWrite(Refusal);
  // Opening the lock file is what a writer does first.
  TFd Lock(OpenLock());
  // The lock file may exist already in a folder that has since become read
  // only, so also try what a replace does next: make a file there.
  std::string Probe;
  TFd Temp(MakeTemp(Probe));
  if (Temp.Get() < 0)
    FailWrite(FolderProblem(errno));
  if (!Probe.empty())
    ::unlink(Probe.c_str());
}

int HiveFile::OpenLock() const {
  struct stat St {};
  // Looked at before it is opened, so that opening never touches a device
  // or blocks on a FIFO someone put there; O_NOFOLLOW and fstat close the
  // gap between the two.
  const bool Existed = ::lstat(FLockPath.c_str(), &St) == 0;
  if (Existed && !S_ISREG(St.st_mode))
    FailWrite("the lock file " + FLockPath + " is " + KindOf(St.st_mode) + ", not a regular file");
  // Whoever may write the hive must be able to take its lock: the lock file
  // has the hive's mode (less execute bits), owner and group, not just the
  // writer's own access.
  struct stat Hive {};
  const bool HiveExists = ::stat(FTarget.c_str(), &Hive) == 0 && S_ISREG(Hive.st_mode);
  const mode_t Mode = HiveExists ? Hive.st_mode & 0666 : FNewFileMode & 0666;
  const int Flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  TFd Fd(OpenNoIntr(FLockPath, Flags | O_CREAT | O_EXCL, Mode));
  const bool Created = Fd.Get() >= 0;
  if (!Created && errno == EEXIST)
    Fd.Reset(OpenNoIntr(FLockPath, Flags));
  if (Fd.Get() < 0) {
    const int Err = errno;
    if (!Existed && ::lstat(FLockPath.c_str(), &St) != 0)
      FailWrite(FolderProblem(Err));
    FailWrite("the lock file " + FLockPath + " cannot be opened", Err);
  }
  if (::fstat(Fd.Get(), &St) != 0 || !S_ISREG(St.st_mode))
    FailWrite("the lock file " + FLockPath + " is " + KindOf(St.st_mode) + ", not a regular file");
  // A lock file that is another file's name too (a hard link someone made)
  // or that belongs to a stranger is not used, and above all its mode is
  // not touched: that would change the other file's.
  if (St.st_nlink != 1)
    FailWrite("the lock file " + FLockPath + " has " + std::to_string(St.st_nlink) +
              " links, so it is another file's name too; remove it");
  if (St.st_uid != ::geteuid() && (!HiveExists || St.st_uid != Hive.st_uid))
    FailWrite("the lock file " + FLockPath + " belongs to another user (uid " +
              std::to_string(St.st_uid) +
              "), neither the registry file's owner nor this writer; remove it");
  if (Created) {
    // The umask may have narrowed it; root, making the lock of a user's
    // hive, gives it to the user, who must still be able to take it.
    ::fchmod(Fd.Get(), Mode);
    if (HiveExists && (Hive.st_uid != St.st_uid || Hive.st_gid != St.st_gid) &&
        ::fchown(Fd.Get(), Hive.st_uid, Hive.st_gid) != 0 && Hive.st_gid != St.st_gid &&
        ::fchown(Fd.Get(), static_cast<uid_t>(-1), Hive.st_gid) != 0) {
      // Not a member of the hive's group: the group bits then cannot help.
    }
  } else if (St.st_uid == ::geteuid()) {
    // Only the owner can change it, and access is only ever widened: an
    // earlier writer may have left it narrower than the hive.
    if (HiveExists && St.st_gid != Hive.st_gid && (Mode & 0060) != 0 &&
        ::fchown(Fd.Get(), static_cast<uid_t>(-1), Hive.st_gid) != 0) {
      // Not a member of the hive's group: the group bits then cannot help.
    }
    if ((St.st_mode & Mode) != Mode)
      ::fchmod(Fd.Get(), (St.st_mode & 07777) | Mode);
  }
  return Fd.Release();
}

HiveFile::TLock::TLock(const HiveFile& File, const HiveLockWait& Wait) : FFd(-1) {
  const std::string& Lock = File.LockPath();
  TFd Fd(File.OpenLock());
  const auto Start = std::chrono::steady_clock::now();
  bool Told = false;
  while (::flock(Fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR)
      continue;
    if (errno != EWOULDBLOCK)
      File.FailWrite("the lock file " + Lock + " cannot be locked", errno);
    const auto Waited = std::chrono::steady_clock::now() - Start;
    if (Waited >= Wait.GiveUpAfter)
      File.FailWrite("the lock file " + Lock + " is held by another process; gave up after " +
                     DurationText(Wait.GiveUpAfter));
    if (!Told && Waited >= Wait.NoticeAfter && Wait.Notice) {
      Told = true;
      Wait.Notice("waiting for the lock file " + Lock +
                  ", held by another process (giving up after " + DurationText(Wait.GiveUpAfter) +
                  ")");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  FFd = Fd.Release();
}

HiveFile::TLock::~TLock() {
  // Closing the descriptor releases the lock.
  ::close(FFd);
}

bool HiveFile::IsTempName(const std::string& Name) {
  // "." NAME ".tabulon-" six letters or digits ".tmp", NAME not empty.
  const std::string Mark = std::string(".") + TempMark;
  const std::size_t Suffix = std::strlen(TempSuffix);
  const std::size_t Tail = Mark.size() + TempRandom + Suffix;
  if (Name.size() < Tail + 2 || Name[0] != '.' ||
      Name.compare(Name.size() - Suffix, Suffix, TempSuffix) != 0 ||
      Name.compare(Name.size() - Tail, Mark.size(), Mark) != 0)
    return false;
  for (std::size_t i = Name.size() - Suffix - TempRandom; i < Name.size() - Suffix; ++i)
    if (!std::isalnum(static_cast<unsigned char>(Name[i])))
      return false;
  return true;
}

void HiveFile::RemoveLeftovers() const {
  DIR* Folder = ::opendir(FFolder.c_str());
  if (Folder == nullptr)
    return;
  std::vector<std::string> Candidates;
  while (const dirent* Entry = ::readdir(Folder)) {
    const std::string Name = Entry->d_name;
    if (Name.compare(0, FTempPrefix.size(), FTempPrefix) == 0 && IsTempName(Name))
      Candidates.push_back(Name);
  }
  const int Dir = ::dirfd(Folder);
  for (const std::string& Name : Candidates) {
    // Only a regular file of the writer's own, never a link, and only when
    // no living writer holds it: every writer keeps its temporary file
    // locked until it is renamed, and a killed one's lock is gone with it.
    TFd Fd(::openat(Dir, Name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat Open {
    }, Now{};
    if (Fd.Get() < 0 || ::fstat(Fd.Get(), &Open) != 0 || !S_ISREG(Open.st_mode) ||
        Open.st_uid != ::geteuid() || ::flock(Fd.Get(), LOCK_EX | LOCK_NB) != 0)
      continue;
    // The name must still be that file when it goes.
    if (::fstatat(Dir, Name.c_str(), &Now, AT_SYMLINK_NOFOLLOW) == 0 && Now.st_dev == Open.st_dev &&
        Now.st_ino == Open.st_ino)
      ::unlinkat(Dir, Name.c_str(), 0);
  }
  ::closedir(Folder);
}

int HiveFile::MakeTemp(std::string& TempPath) const {
  TempPath.clear();
  // Made without a name and locked before it gets one, so that no remover
  // of leftovers ever sees a living writer's file unlocked.
  int Fd = OpenNoIntr(FFolder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (Fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    // A file system without unnamed files: the name comes first, and the
    // lock at once after it.
    const std::string Template =
        FFolder + "/" + FTempPrefix + std::string(TempRandom, 'X') + TempSuffix;
    std::vector<char> Buf(Template.begin(), Template.end());
    Buf.push_back('\0');
    Fd = ::mkostemps(Buf.data(), static_cast<int>(std::strlen(TempSuffix)), O_CLOEXEC);
    if (Fd >= 0)
      TempPath = Buf.data();
  }
  if (Fd >= 0)
    ::flock(Fd, LOCK_EX | LOCK_NB);
  return Fd;
}

void HiveFile::NameTemp(int Fd, std::string& TempPath) const {
  const std::string Self = "/proc/self/fd/" + std::to_string(Fd);
  for (int Try = 0; Try < 100; ++Try) {
    const std::string Name = FFolder + "/" + FTempPrefix + RandomPart() + TempSuffix;
    int Done = ::linkat(AT_FDCWD, Self.c_str(), AT_FDCWD, Name.c_str(), AT_SYMLINK_FOLLOW);
    if (Done != 0 && errno == ENOENT)
      // No /proc: root may link the descriptor itself.
      Done = ::linkat(Fd, "", AT_FDCWD, Name.c_str(), AT_EMPTY_PATH);
    if (Done == 0) {
      TempPath = Name;
      return;
    }
    if (errno != EEXIST)
      FailWrite("the temporary file cannot be named in the folder " + FFolder, errno);
  }
  FailWrite("no free name for a temporary file in the folder " + FFolder);
}

void HiveFile::Replace(const std::string& Bytes) const {
  struct stat Old {};
  bool Exists = false;
  if (const std::string Refusal = TargetRefusal(FTarget, Old, Exists); !Refusal.empty())
    FailWrite(Refusal);

  std::string TempPath;
  TFd Temp(MakeTemp(TempPath));
  if (Temp.Get() < 0)
    FailWrite(FolderProblem(errno));
  // From here on any failure must remove the temporary file, once it has a
  // name.
  ScopeExit Remove([&TempPath] {
    if (!TempPath.empty())
      ::unlink(TempPath.c_str());
  });

  // The new file takes the old one's owner where the system lets it (root
  // editing a user's hive must not take it over) and its mode; the owner
  // first, since changing the owner clears the set-id bits.
  if (Exists && (Old.st_uid != ::geteuid() || Old.st_gid != ::getegid())) {
    if (::fchown(Temp.Get(), Old.st_uid, Old.st_gid) != 0) {
      // Not permitted for an ordinary user; the file is then the writer's,
      // as any editor's copy would be.
    }
  }
  if (::fchmod(Temp.Get(), Exists ? Old.st_mode & 07777 : FNewFileMode) != 0)
    FailWrite("cannot set the mode of the temporary file", errno);
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t N = ::write(Temp.Get(), Bytes.data() + Done, Bytes.size() - Done);
    if (N < 0) {
      if (errno == EINTR)
        continue;
      FailWrite("writing the temporary file failed", errno);
    }
    Done += static_cast<std::size_t>(N);
  }
  if (::fsync(Temp.Get()) != 0)
    FailWrite("flushing the temporary file failed", errno);
  if (TempPath.empty())
    NameTemp(Temp.Get(), TempPath);
  if (FBeforeRename)
    FBeforeRename(TempPath);
  if (::rename(TempPath.c_str(), FTarget.c_str()) != 0)
    FailWrite("the temporary file " + TempPath + " cannot be renamed over it", errno);
  Remove.Release();

  // The rename is durable only once the folder's entry is on disk. The new
  // file is in place either way, so a failure here is not reported.
  TFd Folder(OpenNoIntr(FFolder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (Folder.Get() >= 0)
    ::fsync(Folder.Get());
}
