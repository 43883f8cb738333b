#include "Module.h"
#include "ModuleDependencies.h"
#include "SysUtils.h"

int HostLibraryVersion(const std::string& Library) {
  static const std::string Prefix = "libtabulon_host";
  const std::string Suffix = SharedLibrarySuffix();
  // Windows compares file names without case (a DLL's import may name the
  // library in capitals); POSIX systems compare them byte for byte.
  const bool FoldCase = Suffix == ".dll";
  const auto Same = [&](const std::string& A, const std::string& B) {
    return FoldCase ? AnsiSameText(A, B) : A == B;
  };
  if (Library.size() != Prefix.size() + 1 + Suffix.size() ||
      !Same(Library.substr(0, Prefix.size()), Prefix) ||
      !Same(Library.substr(Prefix.size() + 1), Suffix))
    return 0;
  const char Digit = Library[Prefix.size()];
  return Digit >= '1' && Digit <= '9' ? Digit - '0' : 0;
}
