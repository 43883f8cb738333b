#include <windows.h>

#include <filesystem>
#include <vector>

#include "ProgramFolder.h"

std::string ProgramFolder() {
  // A path longer than the buffer comes back cut; the buffer grows until
  // the whole path fits.
  std::vector<char> Buffer(MAX_PATH);
  for (;;) {
    const DWORD N = GetModuleFileNameA(nullptr, Buffer.data(), static_cast<DWORD>(Buffer.size()));
    if (N == 0)
      return std::filesystem::current_path().string();
    if (N < Buffer.size())
      return std::filesystem::path(std::string(Buffer.data(), N)).parent_path().string();
    Buffer.resize(Buffer.size() * 2);
  }
}

std::string ProgramFileName(const std::string& Name) {
  return Name + ".exe";
}

bool IsProgram(const std::string& Path) {
  std::error_code Error;
  return std::filesystem::is_regular_file(Path, Error);
}
