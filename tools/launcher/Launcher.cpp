// tabulon-ide: picks the simulator build of the IDE version that --host asks
// for (7 when not given) and runs it, with the same arguments. Each version is
// its own program (tabulon-ide-5, -6, -7, next to this one), since the host
// libraries of the three versions cannot share one process.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Options whose value is the next argument; their values are skipped, so
// that "-e --host" is not taken for the --host option.
bool TakesValue(const std::string& Arg) {
  return Arg == "--host" || Arg == "--hive" || Arg == "--palette" || Arg == "--layout" ||
         Arg == "--package" || Arg == "-e";
}

std::string OwnDirectory(const char* Argv0) {
  std::vector<char> Buf(4096);
  const ssize_t N = readlink("/proc/self/exe", Buf.data(), Buf.size() - 1);
  std::string Self = N > 0 ? std::string(Buf.data(), static_cast<std::size_t>(N)) : Argv0;
  const std::size_t Slash = Self.rfind('/');
  return Slash == std::string::npos ? "." : Self.substr(0, Slash);
}

}  // namespace

int main(int argc, char** argv) {
  std::string Host = "7";
  for (int i = 1; i < argc; ++i) {
    const std::string Arg = argv[i];
    if (Arg == "--")
      break;
    if (Arg.compare(0, 7, "--host=") == 0) {
      Host = Arg.substr(7);
    } else if (Arg == "--host") {
      if (i + 1 >= argc) {
        std::cerr << "tabulon-ide: option --host needs a value\nTry 'tabulon-ide --help'.\n";
        return 2;
      }
      Host = argv[++i];
    } else if (TakesValue(Arg)) {
      ++i;
    }
  }
  if (Host != "5" && Host != "6" && Host != "7") {
    std::cerr << "tabulon-ide: --host must be 5, 6 or 7, not '" << Host
              << "'\nTry 'tabulon-ide --help'.\n";
    return 2;
  }
  const std::string Program = OwnDirectory(argv[0]) + "/tabulon-ide-" + Host;
  std::vector<char*> Args(argv, argv + argc);
  Args[0] = const_cast<char*>(Program.c_str());
  Args.push_back(nullptr);
  execv(Program.c_str(), Args.data());
  std::cerr << "tabulon-ide: cannot run " << Program << ": " << std::strerror(errno) << "\n";
  return 2;
}
