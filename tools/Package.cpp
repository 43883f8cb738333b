#include "Package.h"

#include <dlfcn.h>

#include <filesystem>

std::string DefaultPackagePath() {
  std::error_code Error;
  const std::filesystem::path Self = std::filesystem::read_symlink("/proc/self/exe", Error);
  const std::filesystem::path Dir = Error ? std::filesystem::current_path() : Self.parent_path();
  return (Dir.parent_path() / "packages" / ("host" + std::to_string(HostVersion)) / "Tabulon.bpl")
      .lexically_normal()
      .string();
}

std::optional<TJson> DescribePackage(TPackageLoader& Loader, const TLoadedPackage& Package) {
  auto Entry =
      reinterpret_cast<TPackageDescribeEntry>(dlsym(Package.Module, PackageDescribeEntryName));
  if (Entry == nullptr)
    return std::nullopt;
  for (TIExpert* Expert : Loader.ExpertsOf(Package))
    if (const char* Text = Entry(Expert))
      return ParseJson(Text);
  return std::nullopt;
}
