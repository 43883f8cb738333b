#pragma once

#include <windows.h>

#include <string>

// The system's message for Code, without the line break and full stop it
// ends with, so that it reads inside a sentence of ours; "error N" where the
// system has none. (The host's package loader keeps its own: the host links
// nothing of the simulator.)
inline std::string SystemReason(DWORD Code) {
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
