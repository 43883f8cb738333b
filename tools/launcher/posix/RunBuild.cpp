#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "RunBuild.h"

std::optional<int> RunBuild(const std::string& Program, const std::vector<std::string>& Args,
                            TRunFailure& Failure) {
  std::vector<char*> Argv;
  for (const std::string& A : Args)
    Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  execv(Program.c_str(), Argv.data());
  const int Error = errno;
  Failure.Missing = Error == ENOENT;
  Failure.Reason = std::strerror(Error);
  return std::nullopt;
}
