#include "Module.h"

#include <dlfcn.h>

void* OpenModule(const std::string& Path, std::string& Error) {
  void* Module = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (Module == nullptr) {
    const char* Reason = dlerror();
    Error = Reason != nullptr ? Reason : "unknown error";
  }
  return Module;
}

void* ModuleEntry(void* Module, const char* Name) {
  return dlsym(Module, Name);
}

void CloseModule(void* Module) {
  dlclose(Module);
}

bool ModuleLoaded(const std::string& Path) {
  void* Module = dlopen(Path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (Module == nullptr)
    return false;
  // NOLOAD gave one more reference to a module that is loaded: give it back.
  dlclose(Module);
  return true;
}

const char* SharedLibrarySuffix() {
  return ".so";
}
