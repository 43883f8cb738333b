#pragma once

// The IDE's expert registry: the receiver of RegisterLibraryExpert. It holds
// every expert a package registers, remembers which package module was
// loading when it came, and destroys the experts of a module when the IDE
// unloads that module.

#include <vector>

#include "Exptintf.h"

class TExpertRegistry : public TObject {
 public:
  // Installs itself as the receiver of RegisterLibraryExpert.
  TExpertRegistry();
  // Destroys the experts it still holds, the last registered first, and
  // takes itself out as the receiver.
  ~TExpertRegistry() override;

  // The module that is loading now; experts registered meanwhile belong to
  // it. nullptr outside package loading.
  using TModuleTag = const void*;
  void SetLoadingModule(TModuleTag Module) { FLoading = Module; }

  int Count() const { return static_cast<int>(FEntries.size()); }
  TIExpert* Experts(int Index) const;
  std::vector<TIExpert*> ExpertsOf(TModuleTag Module) const;
  // Deletes the experts of that module, the last registered first.
  void DestroyExpertsOf(TModuleTag Module);

 private:
  void Receive(TIExpert* Expert, bool& Accepted);
  struct TEntry {
    TIExpert* Expert;
    TModuleTag Module;
  };
  std::vector<TEntry> FEntries;
  TModuleTag FLoading = nullptr;
};
