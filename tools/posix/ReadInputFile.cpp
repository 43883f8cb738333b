#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "ScopeExit.h"
#include "Script.h"

namespace {

std::string SystemReason(int Error) {
  return std::strerror(Error);
}

// What a path is when it is not a regular file, as the hive names it too.
std::string NotRegular(mode_t Mode) {
  const char* Kind = S_ISFIFO(Mode)   ? "a FIFO"
                     : S_ISCHR(Mode)  ? "a character device"
                     : S_ISBLK(Mode)  ? "a block device"
                     : S_ISSOCK(Mode) ? "a socket"
                                      : "not a file";
  return std::string("is ") + Kind + ", not a regular file";
}
}  // namespace

std::string ReadInputFile(const std::string& Path) {
  // Non-blocking, so that opening a FIFO nobody writes to returns at once;
  // it is refused below like anything else that is not a regular file.
  const int Fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (Fd < 0)
    throw std::runtime_error(SystemReason(errno));
  ScopeExit Close([Fd] { ::close(Fd); });
  struct stat St {};
  if (::fstat(Fd, &St) != 0)
    throw std::runtime_error(SystemReason(errno));
  if (S_ISDIR(St.st_mode))
    throw std::runtime_error(SystemReason(EISDIR));
  if (!S_ISREG(St.st_mode))
    throw std::runtime_error(NotRegular(St.st_mode));
  std::string Text;
  char Buffer[65536];
  for (;;) {
    const ssize_t N = ::read(Fd, Buffer, sizeof Buffer);
    if (N == 0)
      return Text;
    if (N < 0 && errno == EINTR)
      continue;
    if (N < 0)
      throw std::runtime_error(SystemReason(errno));
    Text.append(Buffer, static_cast<std::size_t>(N));
  }
}
