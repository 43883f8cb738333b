#pragma once

// Loadable modules as the operating system gives them: dlopen on POSIX,
// LoadLibraryA on Windows. The package loader and the simulator open,
// look into and close modules through these alone; the build chooses the
// source that implements them.

#include <string>

// Opens the module at Path and resolves its imports now. Null when it
// cannot be opened; Error then holds the system's reason.
void* OpenModule(const std::string& Path, std::string& Error);

// The address of the entry named Name, or null when the module has none.
void* ModuleEntry(void* Module, const char* Name);

// Releases one reference to the module; the system unloads it with the last.
void CloseModule(void* Module);

// True when the module at Path is loaded in this process already.
bool ModuleLoaded(const std::string& Path);

// How a shared library's file name ends on this system: ".so" or ".dll".
const char* SharedLibrarySuffix();
