#include "Package.h"

#include <filesystem>

#include "Module.h"
#include "ProgramFolder.h"

std::string DefaultPackagePath() {
  std::error_code Error;
  const std::filesystem::path Dir = ProgramFolder();
  const std::filesystem::path Module =
      std::filesystem::path("host" + std::to_string(HostVersion)) / "Tabulon.bpl";
  // TABULON_INSTALLED_PACKAGES is the package folder relative to the folder
  // of the installed programs, as the build's install layout sets it.
  const std::filesystem::path Installed =
      (Dir / TABULON_INSTALLED_PACKAGES / Module).lexically_normal();
  const std::filesystem::path Built = (Dir.parent_path() / "packages" / Module).lexically_normal();
  if (!std::filesystem::exists(Installed, Error) && std::filesystem::exists(Built, Error))
    return Built.string();
  return Installed.string();
}

std::unique_ptr<TAddinDescription> DescribePackage(TPackageLoader& Loader,
                                                   const TLoadedPackage& Package) {
  auto Entry = reinterpret_cast<TPackageDescribeEntry>(
      ModuleEntry(Package.Module, PackageDescribeEntryName));
  if (Entry == nullptr)
    return nullptr;
  for (TIExpert* Expert : Loader.ExpertsOf(Package))
    if (const char* Text = Entry(Expert))
      return std::make_unique<TAddinDescription>(Text);
  return nullptr;
}
