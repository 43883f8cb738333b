#pragma once

// One run of the simulated IDE: the Application, the IDE's main form with
// its palette, the expert registry and the package loader. Creating a TIde
// starts the IDE (its main form built, not yet shown); destroying it unloads
// every package, then tears the Application down. One at a time, as there is
// one Application at a time.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ExpertRegistry.h"
#include "IdeMainForm.h"
#include "PackageLoader.h"

struct TIdeOptions {
  TPaletteLayout Layout = TPaletteLayout::ControlBar;
  // The palette's pages at start; the stock pages of this IDE version when
  // none are given.
  std::optional<std::vector<std::string>> Pages;
};

class TIde {
 public:
  explicit TIde(const TIdeOptions& Options = {});
  ~TIde();
  TIde(const TIde&) = delete;
  TIde& operator=(const TIde&) = delete;

  TApplication* App() const { return FApplication.get(); }
  TIdeMainForm* MainForm() const { return FMainForm; }
  TExpertRegistry& Experts() { return *FExperts; }
  TPackageLoader& Packages() { return *FPackages; }

 private:
  std::unique_ptr<TApplication> FApplication;
  TIdeMainForm* FMainForm = nullptr;  // owned by the Application
  std::unique_ptr<TExpertRegistry> FExperts;
  std::unique_ptr<TPackageLoader> FPackages;
};
