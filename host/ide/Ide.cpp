#include "Ide.h"

#include "StockPalette.h"

TIde::TIde(const TIdeOptions& Options) : FApplication(std::make_unique<TApplication>()) {
  FMainForm = new TIdeMainForm(FApplication.get(), Options.Layout,
                               Options.Pages ? *Options.Pages : StockPalette(HostVersion));
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
