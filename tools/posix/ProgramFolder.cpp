#include <unistd.h>

#include <filesystem>

#include "ProgramFolder.h"

std::string ProgramFolder() {
  std::error_code Error;
  const std::filesystem::path Self = std::filesystem::read_symlink("/proc/self/exe", Error);
  return (Error ? std::filesystem::current_path() : Self.parent_path()).string();
}

std::string ProgramFileName(const std::string& Name) {
  return Name;
}

bool IsProgram(const std::string& Path) {
  return ::access(Path.c_str(), X_OK) == 0;
}
