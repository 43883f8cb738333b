#include <windows.h>

#include <stdexcept>

#include "Script.h"

namespace {

// The system's message for Code, without the line break it ends with.
std::string SystemReason(DWORD Code) {
  char* Buffer = nullptr;
  const DWORD Length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, Code, 0, reinterpret_cast<char*>(&Buffer), 0, nullptr);
  std::string Text = Length != 0 && Buffer != nullptr ? std::string(Buffer, Length) : std::string();
  if (Buffer != nullptr)
    LocalFree(Buffer);
  while (!Text.empty() &&
         (Text.back() == '\n' || Text.back() == '\r' || Text.back() == ' ' || Text.back() == '.'))
    Text.pop_back();
  return Text.empty() ? "error " + std::to_string(Code) : Text;
}

// Closes the handle on every path out of ReadInputFile.
struct THandle {
  HANDLE Handle;
  ~THandle() {
    if (Handle != INVALID_HANDLE_VALUE)
      CloseHandle(Handle);
  }
};

}  // namespace

std::string ReadInputFile(const std::string& Path) {
  // A folder opens only with backup semantics; it is refused below, as a
  // pipe or a console is: only a disk file is read.
  const THandle F{CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (F.Handle == INVALID_HANDLE_VALUE)
    throw std::runtime_error(SystemReason(GetLastError()));
  BY_HANDLE_FILE_INFORMATION Info{};
  if (GetFileInformationByHandle(F.Handle, &Info) != 0 &&
      (Info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    throw std::runtime_error("Is a directory");
  if (GetFileType(F.Handle) != FILE_TYPE_DISK)
    throw std::runtime_error("is not a regular file");
  std::string Text;
  char Buffer[65536];
  for (;;) {
    DWORD N = 0;
    if (ReadFile(F.Handle, Buffer, sizeof Buffer, &N, nullptr) == 0)
      throw std::runtime_error(SystemReason(GetLastError()));
    if (N == 0)
      return Text;
    Text.append(Buffer, N);
  }
}
