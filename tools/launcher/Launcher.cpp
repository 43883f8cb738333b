// tabulon-ide: picks the simulator build of the IDE version that --host asks
// for (7 when not given) and runs it, with the same arguments. Each version is
// its own program (tabulon-ide-5, -6, -7, next to this one), since the host
// libraries of the three versions cannot share one process. The launcher
// reads --host through the simulators' own option table, so it can never
// take the value of another option for it; a --host it cannot use goes to
// the default build, which reports it as it reports any other bad option.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "OptionTable.h"

namespace {

std::string OwnDirectory(const char* Argv0) {
  std::vector<char> Buf(4096);
  const ssize_t N = readlink("/proc/self/exe", Buf.data(), Buf.size() - 1);
  std::string Self = N > 0 ? std::string(Buf.data(), static_cast<std::size_t>(N)) : Argv0;
  const std::size_t Slash = Self.rfind('/');
  return Slash == std::string::npos ? "." : Self.substr(0, Slash);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Host =
      HostArgument(std::vector<std::string>(argv + 1, argv + argc)).value_or("7");
  std::string Program = OwnDirectory(argv[0]);
  Program += "/tabulon-ide-";
  Program += Host == "5" || Host == "6" ? Host : "7";
  std::vector<char*> Args(argv, argv + argc);
  Args[0] = const_cast<char*>(Program.c_str());
  Args.push_back(nullptr);
  execv(Program.c_str(), Args.data());
  const int Error = errno;
  if (Error == ENOENT) {
    // The run preset builds the Delphi 7 simulator only.
    const std::string Version = Host == "5" || Host == "6" ? Host : "7";
    std::cerr << "tabulon-ide: the Delphi " << Version << " simulator is not built (" << Program
              << " is missing); build it with\n"
              << "  cmake --build build --target tabulon-ide-" << Version << "\n";
    return 2;
  }
  std::cerr << "tabulon-ide: cannot run " << Program << ": " << std::strerror(Error) << "\n";
  return 2;
}
