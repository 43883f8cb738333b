#pragma once

// What a package module needs before any of its code can run: the shared
// libraries it imports (the ELF dynamic section's needed entries, or the PE
// import table's DLL names; the build chooses the reader). Windows resolves a package's imports
// (vcl50.bpl, say) before the package's initialisation runs, and refuses the
// package when one is missing; the loader reads the same list from the file,
// so that a module built against another version's host is refused before
// the dynamic linker brings that second host into the process.

#include <string>
#include <vector>

// The libraries the module at Path imports, in order: the DT_NEEDED names
// of a 64-bit ELF file of this machine's byte order, or the DLL names of a
// PE32+ file's import table. Empty when the file cannot be read or is not
// such a module; every offset is checked against the file, so a damaged file gives
// what can be read of it, never a read outside it.
std::vector<std::string> NeededLibraries(const std::string& Path);

// The version of the host library named Library ("libtabulon_host5.so" is
// 5, as "libtabulon_host5.dll" is on Windows, where file names are compared
// without case), or 0 when it is not a host library.
int HostLibraryVersion(const std::string& Library);
