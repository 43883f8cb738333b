#include "HiveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "HiveError.h"

namespace {

[[noreturn]] void FailSys(const std::string& What, const std::string& Path, int Err) {
  throw ERegistryException(What + " " + Path + ": " + std::strerror(Err));
}

std::string FolderOf(const std::string& Path) {
  const std::size_t Slash = Path.rfind('/');
  if (Slash == std::string::npos)
    return ".";
  if (Slash == 0)
    return "/";
  return Path.substr(0, Slash);
}

std::string BaseNameOf(const std::string& Path) {
  const std::size_t Slash = Path.rfind('/');
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
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
  // Closes now and reports the result: a write error may show only here.
  int Close() {
    const int R = ::close(FFd);
    FFd = -1;
    return R;
  }

 private:
  int FFd;
};

int OpenLockFile(const std::string& Path) {
  int Fd;
  do
    Fd = ::open(Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  while (Fd < 0 && errno == EINTR);
  return Fd;
}

int MakeTemp(const std::string& Folder, const std::string& Base, std::string& TempPath) {
  std::string Template = Folder + "/." + Base + ".XXXXXX";
  std::vector<char> Buf(Template.begin(), Template.end());
  Buf.push_back('\0');
  const int Fd = ::mkostemp(Buf.data(), O_CLOEXEC);
  TempPath = Buf.data();
  return Fd;
}

}  // namespace

HiveFile::HiveFile(std::string Path)
    : FPath(std::move(Path)), FLockPath(FPath + ".lock"), FFolder(FolderOf(FPath)) {}

std::optional<std::string> HiveFile::Read() const {
  TFd Fd(::open(FPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (Fd.Get() < 0) {
    // ENOTDIR: a part of the folder path is a file, so the hive cannot exist
    // yet either; it cannot be written, which OpenKey reports.
    if (errno == ENOENT || errno == ENOTDIR)
      return std::nullopt;
    FailSys("Cannot open the registry file", FPath, errno);
  }
  std::string Text;
  char Buf[65536];
  for (;;) {
    const ssize_t N = ::read(Fd.Get(), Buf, sizeof Buf);
    if (N < 0) {
      if (errno == EINTR)
        continue;
      FailSys("Cannot read the registry file", FPath, errno);
    }
    if (N == 0)
      break;
    Text.append(Buf, static_cast<std::size_t>(N));
  }
  return Text;
}

bool HiveFile::CanWrite() const {
  TFd Lock(OpenLockFile(FLockPath));
  if (Lock.Get() < 0)
    return false;
  // The lock file may exist already in a folder that has since become read
  // only, so also try what a replace does first: create a file there.
  std::string Probe;
  TFd Temp(MakeTemp(FFolder, BaseNameOf(FPath), Probe));
  if (Temp.Get() < 0)
    return false;
  ::unlink(Probe.c_str());
  return true;
}

HiveFile::TLock::TLock(const HiveFile& File) : FFd(OpenLockFile(File.LockPath())) {
  if (FFd < 0)
    FailSys("Cannot open the registry lock file", File.LockPath(), errno);
  while (::flock(FFd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      const int Err = errno;
      ::close(FFd);
      FailSys("Cannot lock the registry lock file", File.LockPath(), Err);
    }
  }
}

HiveFile::TLock::~TLock() {
  // Closing the descriptor releases the lock.
  ::close(FFd);
}

void HiveFile::Replace(const std::string& Text) const {
  std::string TempPath;
  TFd Temp(MakeTemp(FFolder, BaseNameOf(FPath), TempPath));
  if (Temp.Get() < 0)
    FailSys("Cannot create a temporary file beside", FPath, errno);
  // From here on any failure must remove the temporary file.
  struct TRemove {
    const std::string& Path;
    bool Armed = true;
    ~TRemove() {
      if (Armed)
        ::unlink(Path.c_str());
    }
  } Remove{TempPath};

  // mkostemp creates the file 0600 already; say it explicitly, since the
  // hive holds the user's settings and the rename carries the mode over.
  if (::fchmod(Temp.Get(), 0600) != 0)
    FailSys("Cannot set the mode of", TempPath, errno);
  std::size_t Done = 0;
  while (Done < Text.size()) {
    const ssize_t N = ::write(Temp.Get(), Text.data() + Done, Text.size() - Done);
    if (N < 0) {
      if (errno == EINTR)
        continue;
      FailSys("Cannot write", TempPath, errno);
    }
    Done += static_cast<std::size_t>(N);
  }
  if (::fsync(Temp.Get()) != 0)
    FailSys("Cannot flush", TempPath, errno);
  if (Temp.Close() != 0)
    FailSys("Cannot close", TempPath, errno);
  if (FBeforeRename)
    FBeforeRename(TempPath);
  if (::rename(TempPath.c_str(), FPath.c_str()) != 0)
    FailSys("Cannot replace the registry file", FPath, errno);
  Remove.Armed = false;

  // The rename is durable only once the folder's entry is on disk. The new
  // file is in place either way, so a failure here is not reported.
  TFd Folder(::open(FFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (Folder.Get() >= 0)
    ::fsync(Folder.Get());
}
