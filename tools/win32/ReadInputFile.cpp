#include <windows.h>

#include <stdexcept>

#include "ScopeExit.h"
#include "Script.h"
#include "win32/SystemReason.h"

std::string ReadInputFile(const std::string& Path) {
  // A folder opens only with backup semantics; it is refused below, as a
  // pipe or a console is: only a disk file is read.
  const HANDLE File = CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (File == INVALID_HANDLE_VALUE)
    throw std::runtime_error(SystemReason(GetLastError()));
  ScopeExit Close([File] { CloseHandle(File); });
  BY_HANDLE_FILE_INFORMATION Info{};
  if (GetFileInformationByHandle(File, &Info) != 0 &&
      (Info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    throw std::runtime_error("Is a directory");
  if (GetFileType(File) != FILE_TYPE_DISK)
    throw std::runtime_error("is not a regular file");
  std::string Text;
  char Buffer[65536];
  for (;;) {
    DWORD N = 0;
    if (ReadFile(File, Buffer, sizeof Buffer, &N, nullptr) == 0)
      throw std::runtime_error(SystemReason(GetLastError()));
    if (N == 0)
      return Text;
    Text.append(Buffer, N);
  }
}
