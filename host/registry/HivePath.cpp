#include "HivePath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>
#include <vector>

#include "HiveError.h"

namespace {

// The kernel's own limit on the links of one path.
constexpr int MaxLinks = 40;

void Split(const std::string& Path, std::deque<std::string>& Out, bool Front) {
  std::vector<std::string> Names;
  for (std::size_t Start = 0; Start <= Path.size();) {
    std::size_t End = Path.find('/', Start);
    if (End == std::string::npos)
      End = Path.size();
    if (End > Start)
      Names.push_back(Path.substr(Start, End - Start));
    Start = End + 1;
  }
  if (Front)
    Out.insert(Out.begin(), Names.begin(), Names.end());
  else
    Out.insert(Out.end(), Names.begin(), Names.end());
}

std::string Join(const std::vector<std::string>& Names) {
  std::string Path;
  for (const std::string& Name : Names)
    Path += "/" + Name;
  return Path.empty() ? "/" : Path;
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

}  // namespace

THivePath ResolveHivePath(const std::string& Path) {
  std::vector<std::string> Done;
  std::deque<std::string> Todo;
  if (!Path.empty() && Path[0] != '/') {
    char Cwd[PATH_MAX];
    if (::getcwd(Cwd, sizeof Cwd) != nullptr)
      Split(Cwd, Todo, false);
  }
  Split(Path, Todo, false);
  THivePath Result;
  int Links = 0;
  // Past a folder that is missing, or that cannot be looked into, nothing
  // more can be found: the rest is taken as it is written.
  bool Blind = false;
  while (!Todo.empty()) {
    const std::string Name = Todo.front();
    Todo.pop_front();
    if (Name == ".")
      continue;
    if (Name == "..") {
      if (!Done.empty())
        Done.pop_back();
      continue;
    }
    const std::string Folder = Join(Done);
    const std::string Here = Folder == "/" ? "/" + Name : Folder + "/" + Name;
    struct stat St {};
    if (!Blind && ::lstat(Here.c_str(), &St) != 0)
      Blind = true;
    if (Blind || !S_ISLNK(St.st_mode)) {
      Done.push_back(Name);
      continue;
    }
    if (++Links > MaxLinks)
      throw ERegistryException(Path +
                               ": the symbolic link cannot be followed: " + std::strerror(ELOOP));
    struct stat In {};
    if (::stat(Folder.c_str(), &In) == 0 && (In.st_mode & S_ISVTX) != 0 &&
        (In.st_mode & S_IWOTH) != 0 && St.st_uid != ::geteuid() && St.st_uid != In.st_uid)
      throw ERegistryException(
          Path + ": the symbolic link " + Here + " belongs to another user (uid " +
          std::to_string(St.st_uid) + ") and lies in the sticky, world-writable folder " + Folder +
          "; such a link is followed only for its owner or the folder's owner");
    std::vector<char> Buf(static_cast<std::size_t>(St.st_size > 0 ? St.st_size : PATH_MAX) + 1);
    const ssize_t N = ::readlink(Here.c_str(), Buf.data(), Buf.size());
    if (N <= 0 || static_cast<std::size_t>(N) >= Buf.size())
      throw ERegistryException(Path + ": cannot tell where the symbolic link " + Here +
                               " leads: " + std::strerror(N < 0 ? errno : ENAMETOOLONG));
    const std::string To(Buf.data(), static_cast<std::size_t>(N));
    if (To[0] == '/')
      Done.clear();
    Split(To, Todo, true);
    Result.ThroughLink = true;
  }
  if (Result.ThroughLink) {
    Result.Target = Join(Done);
    Result.Folder = FolderOf(Result.Target);
    Result.Name = BaseNameOf(Result.Target);
  } else {
    Result.Target = Path;
    Result.Folder = FolderOf(Path);
    Result.Name = BaseNameOf(Path);
  }
  return Result;
}
