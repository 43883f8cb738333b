#include "Ide.h"

#include <map>

#include "StockPalette.h"

TIde::TIde(const TIdeOptions& Options) : FApplication(std::make_unique<TApplication>()) {
  const std::vector<std::string> Pages = Options.Pages ? *Options.Pages : StockPalette(HostVersion);
  // The stock pages carry their stock components.
  std::map<std::string, std::vector<std::string>> Components;
  for (const std::string& Page : Pages)
    if (auto List = StockComponents(HostVersion, Page); !List.empty())
      Components[Page] = std::move(List);
  FMainForm = new TIdeMainForm(FApplication.get(), Options.Layout, Pages, Components);
  FApplication->SetMainForm(FMainForm);
  FExperts = std::make_unique<TExpertRegistry>();
  FPackages = std::make_unique<TPackageLoader>(*FExperts);
}

TIde::~TIde() {
  // Experts go while the main form they hooked into still exists.
  FPackages.reset();
  FExperts.reset();
  FApplication.reset();
}
