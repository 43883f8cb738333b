#include "PackageLoader.h"

#include <algorithm>

#include "Module.h"
#include "ModuleDependencies.h"
#include "ScopeExit.h"
#include "StockPalette.h"

namespace {

std::string Join(const std::vector<std::string>& Items, const std::string& Separator) {
  std::string Result;
  for (const std::string& S : Items)
    Result += (Result.empty() ? "" : Separator) + S;
  return Result;
}

}  // namespace

std::vector<std::string> CheckPackageInfo(const TPackageInfo& Info, int Version) {
  std::vector<std::string> Problems;
  if (Info.Description.empty())
    Problems.push_back("it has no description");
  if ((Info.Flags & pfDesignOnly) == 0)
    Problems.push_back("it is not a design-time package");
  if (Info.HostVersion != 0 && Info.HostVersion != Version)
    Problems.push_back("it was built for Delphi " + IntToStr(Info.HostVersion));
  // Package names are file names, which Windows compares without case.
  const std::vector<std::string> Provided = ProvidedPackages(Version);
  std::vector<std::string> Missing;
  for (const std::string& Required : Info.Requires)
    if (std::none_of(Provided.begin(), Provided.end(),
                     [&](const std::string& P) { return AnsiSameText(P, Required); }))
      Missing.push_back(Required);
  if (!Missing.empty())
    Problems.push_back("it requires " + Join(Missing, ", ") + ", which this IDE does not provide");
  return Problems;
}

TPackageLoader::TPackageLoader(TExpertRegistry& Registry, int Version)
    : FRegistry(Registry), FVersion(Version) {}

TPackageLoader::~TPackageLoader() {
  UnloadAll();
}

const TLoadedPackage& TPackageLoader::Load(const std::string& Path) {
  const std::string Cannot = "Cannot load package " + Path + ": ";
  // A module of another build brings its own host library along; the two
  // hosts cannot share one process, so it is refused before it is opened.
  for (const std::string& Library : NeededLibraries(Path)) {
    const int Built = HostLibraryVersion(Library);
    if (Built != 0 && Built != FVersion)
      throw EPackageError(Cannot + "it was built for Delphi " + IntToStr(Built) + ": it needs " +
                          Library + ", the run-time packages of Delphi " + IntToStr(Built) +
                          ", which this IDE does not provide");
  }
  std::string OpenError;
  void* const Module = OpenModule(Path, OpenError);
  if (Module == nullptr)
    throw EPackageError(Cannot + OpenError);
  // Closed on every path unless the load goes through.
  ScopeExit CloseOnFailure([Module] { CloseModule(Module); });
  // Opening a module that is loaded already gives its handle again.
  for (const auto& P : FPackages)
    if (P->Module == Module)
      throw EPackageError(Cannot + "it is loaded already");

  auto InfoEntry = reinterpret_cast<TPackageInfoEntry>(ModuleEntry(Module, PackageInfoEntryName));
  auto RegisterEntry =
      reinterpret_cast<TPackageRegisterEntry>(ModuleEntry(Module, PackageRegisterEntryName));
  if (InfoEntry == nullptr || RegisterEntry == nullptr)
    throw EPackageError(Cannot + "it is not a package (no " +
                        (InfoEntry == nullptr ? PackageInfoEntryName : PackageRegisterEntryName) +
                        " entry)");
  const TPackageInfo* Info = InfoEntry();
  if (Info == nullptr)
    throw EPackageError(Cannot + "it gives no package information");
  std::vector<std::string> Problems = CheckPackageInfo(*Info, FVersion);
  for (const auto& P : FPackages)
    if (!Info->Name.empty() && AnsiSameText(P->Info.Name, Info->Name))
      Problems.push_back("a package named " + Info->Name + " is loaded already");
  if (!Problems.empty())
    throw EPackageError(Cannot + Join(Problems, "; "));

  auto Package = std::make_unique<TLoadedPackage>();
  Package->Path = Path;
  Package->Info = *Info;
  Package->Module = Module;

  // An error inside Register leaves no expert of the package behind. The
  // message is copied out before the module goes, since the exception
  // object may belong to the module.
  std::string Failure;
  bool Failed = false;
  FRegistry.SetLoadingModule(Package.get());
  try {
    RegisterEntry();
  } catch (const std::exception& E) {
    Failed = true;
    Failure = E.what();
  } catch (...) {
    Failed = true;
    Failure = "unknown error";
  }
  FRegistry.SetLoadingModule(nullptr);
  if (Failed) {
    FRegistry.DestroyExpertsOf(Package.get());
    throw EPackageError(Cannot + "its Register failed: " + Failure);
  }
  CloseOnFailure.Release();
  FPackages.push_back(std::move(Package));
  return *FPackages.back();
}

void TPackageLoader::Unload(const TLoadedPackage& Package) {
  auto It = std::find_if(FPackages.begin(), FPackages.end(),
                         [&](const auto& P) { return P.get() == &Package; });
  if (It == FPackages.end())
    throw EPackageError("Package " + Package.Path + " is not loaded");
  std::unique_ptr<TLoadedPackage> Doomed = std::move(*It);
  FPackages.erase(It);
  // The experts' code lives in the module: they go before it does.
  FRegistry.DestroyExpertsOf(Doomed.get());
  CloseModule(Doomed->Module);
}

void TPackageLoader::UnloadAll() {
  while (!FPackages.empty())
    Unload(*FPackages.back());
}

const TLoadedPackage& TPackageLoader::Packages(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return *FPackages[static_cast<std::size_t>(Index)];
}

std::vector<TIExpert*> TPackageLoader::ExpertsOf(const TLoadedPackage& Package) const {
  return FRegistry.ExpertsOf(&Package);
}
