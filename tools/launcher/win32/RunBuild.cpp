#include <windows.h>

#include "RunBuild.h"
#include "win32/SystemReason.h"

namespace {

// One argument quoted so that the C run-time of the started program splits
// the command line back into the same words: blanks and quotes inside are
// quoted, and backslashes are doubled only where a quote follows them.
std::string Quoted(const std::string& Arg) {
  if (!Arg.empty() && Arg.find_first_of(" \t\n\v\"") == std::string::npos)
    return Arg;
  std::string Out = "\"";
  std::size_t Backslashes = 0;
  for (const char C : Arg) {
    if (C == '\\') {
      ++Backslashes;
      continue;
    }
    Out.append(C == '"' ? Backslashes * 2 + 1 : Backslashes, '\\');
    Backslashes = 0;
    Out += C;
  }
  Out.append(Backslashes * 2, '\\');
  return Out + "\"";
}

// Ctrl-C reaches every process of the console: the build cancels its
// prompt's line with it, and the launcher, which only waits, ignores it.
BOOL WINAPI LeaveToTheBuild(DWORD Event) {
  return Event == CTRL_C_EVENT || Event == CTRL_BREAK_EVENT;
}

}  // namespace

std::optional<int> RunBuild(const std::string& Program, const std::vector<std::string>& Args,
                            TRunFailure& Failure) {
  std::string CommandLine;
  for (const std::string& A : Args)
    CommandLine += (CommandLine.empty() ? "" : " ") + Quoted(A);
  STARTUPINFOA Startup{};
  Startup.cb = sizeof Startup;
  PROCESS_INFORMATION Process{};
  // The build inherits the launcher's console and standard streams.
  if (CreateProcessA(Program.c_str(), CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     nullptr, &Startup, &Process) == 0) {
    const DWORD Error = GetLastError();
    Failure.Missing = Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND;
    Failure.Reason = SystemReason(Error);
    return std::nullopt;
  }
  SetConsoleCtrlHandler(&LeaveToTheBuild, TRUE);
  WaitForSingleObject(Process.hProcess, INFINITE);
  DWORD Status = 1;
  GetExitCodeProcess(Process.hProcess, &Status);
  CloseHandle(Process.hThread);
  CloseHandle(Process.hProcess);
  return static_cast<int>(Status);
}
