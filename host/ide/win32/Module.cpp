#include "Module.h"

#include <windows.h>

namespace {

// The system's message for Code, without the line break it ends with.
std::string SystemMessage(DWORD Code) {
  char* Buffer = nullptr;
  const DWORD Length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, Code, 0, reinterpret_cast<char*>(&Buffer), 0, nullptr);
  std::string Text = Length != 0 && Buffer != nullptr ? std::string(Buffer, Length) : std::string();
  if (Buffer != nullptr)
    LocalFree(Buffer);
  while (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r' || Text.back() == ' '))
    Text.pop_back();
  return Text.empty() ? "error " + std::to_string(Code) : Text;
}

}  // namespace

void* OpenModule(const std::string& Path, std::string& Error) {
  // A module that cannot be found must not bring up the system's error box:
  // the caller reports it.
  const UINT Before = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE Module = LoadLibraryA(Path.c_str());
  const DWORD Code = GetLastError();
  SetErrorMode(Before);
  if (Module == nullptr)
    Error = SystemMessage(Code);
  return reinterpret_cast<void*>(Module);
}

void* ModuleEntry(void* Module, const char* Name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(Module), Name));
}

void CloseModule(void* Module) {
  FreeLibrary(static_cast<HMODULE>(Module));
}

bool ModuleLoaded(const std::string& Path) {
  HMODULE Module = nullptr;
  // The look-up takes no reference, so there is none to give back.
  return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, Path.c_str(), &Module) !=
         0;
}

const char* SharedLibrarySuffix() {
  return ".dll";
}
