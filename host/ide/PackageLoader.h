#pragma once

// The IDE's package loader. A package is a loadable module that exports its
// package information and its Register entry (PackageInfo.h). Loading checks
// the information against this IDE before anything of the package runs, then
// calls Register; unloading destroys the experts the package registered and
// unloads the module. A refused or failed load leaves the IDE as it was.

#include <memory>
#include <string>
#include <vector>

#include "ExpertRegistry.h"
#include "PackageInfo.h"
#include "SysUtils.h"

class EPackageError : public Exception {
  using Exception::Exception;
};

struct TLoadedPackage {
  std::string Path;
  TPackageInfo Info;  // a copy: the module's own goes with the module
  void* Module = nullptr;
};

// What is wrong with a package for the IDE of that version: one message per
// problem, empty when the IDE accepts it.
std::vector<std::string> CheckPackageInfo(const TPackageInfo& Info, int Version);

class TPackageLoader {
 public:
  TPackageLoader(TExpertRegistry& Registry, int Version = HostVersion);
  ~TPackageLoader();
  TPackageLoader(const TPackageLoader&) = delete;
  TPackageLoader& operator=(const TPackageLoader&) = delete;

  // Loads the module, checks it and calls its Register. Raises
  // EPackageError, naming the file and every problem, on refusal.
  const TLoadedPackage& Load(const std::string& Path);
  // Destroys the package's experts, then unloads its module.
  void Unload(const TLoadedPackage& Package);
  // Unloads every package, the last loaded first.
  void UnloadAll();

  int Count() const { return static_cast<int>(FPackages.size()); }
  const TLoadedPackage& Packages(int Index) const;
  std::vector<TIExpert*> ExpertsOf(const TLoadedPackage& Package) const;

 private:
  TExpertRegistry& FRegistry;
  int FVersion;
  std::vector<std::unique_ptr<TLoadedPackage>> FPackages;
};
