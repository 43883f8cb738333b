#pragma once

// A folder of the test's own in the temporary folder ($TMPDIR, which ctest
// points into the build tree; /tmp when unset), removed with all it holds when the
// test ends, and small helpers for the files in it. Tests that make FIFOs,
// device nodes or read-only files make them here, never on a system path.
// The folder itself is made the same way on every system; the helpers for
// file modes, child processes and alarms are POSIX's.

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "Bytes.h"

class TTempDir {
 public:
  // A name no other folder has, made with create_directory, which fails
  // for one that exists: what mkdtemp does, on every system.
  TTempDir() {
    namespace fs = std::filesystem;
    const fs::path Parent = fs::temp_directory_path();
    std::random_device Random;
    for (int Try = 0; Try < 100 && FPath.empty(); ++Try) {
      const fs::path Candidate = Parent / ("tabulon-test-" + std::to_string(Random()));
      std::error_code E;
      if (fs::create_directory(Candidate, E))
        FPath = Candidate.generic_string();
    }
    if (FPath.empty())
      throw std::runtime_error("no folder could be made in " + Parent.string());
  }
  ~TTempDir() {
    namespace fs = std::filesystem;
    std::error_code E;
    // Folders made read-only by a test must be writable again to be emptied.
    for (const auto& Entry : fs::recursive_directory_iterator(FPath, E))
      if (Entry.is_directory(E) && !Entry.is_symlink(E))
        fs::permissions(Entry.path(), fs::perms::owner_all, fs::perm_options::add, E);
    fs::permissions(FPath, fs::perms::owner_all, E);
    fs::remove_all(FPath, E);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  std::string operator/(const std::string& Name) const { return FPath + "/" + Name; }
  const std::string& Path() const { return FPath; }
  // The names in the folder itself.
  std::set<std::string> Entries() const { return EntriesOf(FPath); }
  static std::set<std::string> EntriesOf(const std::string& Folder) {
    std::set<std::string> R;
    for (const auto& E : std::filesystem::directory_iterator(Folder))
      R.insert(E.path().filename().string());
    return R;
  }

 private:
  std::string FPath;
};

#ifndef _WIN32
inline unsigned ModeOf(const std::string& Path) {
  struct stat St {};
  ::stat(Path.c_str(), &St);
  return St.st_mode & 07777;
}

// Runs Body in a child process and gives its exit code: 0 when every check
// in it held. The child leaves with _exit, so nothing inherited from the
// test process (such as a current hive) is torn down twice.
inline int InChild(const std::function<int()>& Body) {
  std::fflush(nullptr);
  const pid_t Pid = ::fork();
  if (Pid == 0) {
    int Code = 90;
    try {
      Code = Body();
    } catch (const std::exception& E) {
      std::fprintf(stderr, "child: %s\n", E.what());
      Code = 91;
    }
    ::_exit(Code);
  }
  int Status = 0;
  ::waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
}

// Ends the test process if the scope takes longer than Seconds: a test of
// something that must not block fails instead of hanging the suite.
class TWatchdog {
 public:
  explicit TWatchdog(unsigned Seconds) { ::alarm(Seconds); }
  ~TWatchdog() { ::alarm(0); }
  TWatchdog(const TWatchdog&) = delete;
  TWatchdog& operator=(const TWatchdog&) = delete;
};
#endif
