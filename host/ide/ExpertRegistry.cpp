#include "ExpertRegistry.h"

#include <algorithm>

TExpertRegistry::TExpertRegistry() {
  SetLibraryExpertRegistrar(TExpertRegistrar::Of<&TExpertRegistry::Receive>(this));
}

TExpertRegistry::~TExpertRegistry() {
  SetLibraryExpertRegistrar({});
  while (!FEntries.empty()) {
    TIExpert* Expert = FEntries.back().Expert;
    FEntries.pop_back();
    delete Expert;
  }
}

TIExpert* TExpertRegistry::Experts(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FEntries[static_cast<std::size_t>(Index)].Expert;
}

std::vector<TIExpert*> TExpertRegistry::ExpertsOf(TModuleTag Module) const {
  std::vector<TIExpert*> Result;
  for (const TEntry& E : FEntries)
    if (E.Module == Module)
      Result.push_back(E.Expert);
  return Result;
}

void TExpertRegistry::DestroyExpertsOf(TModuleTag Module) {
  // Out of the list first, so that a destructor that looks at the registry
  // no longer finds itself there.
  std::vector<TIExpert*> Doomed = ExpertsOf(Module);
  FEntries.erase(std::remove_if(FEntries.begin(), FEntries.end(),
                                [Module](const TEntry& E) { return E.Module == Module; }),
                 FEntries.end());
  for (auto It = Doomed.rbegin(); It != Doomed.rend(); ++It)
    delete *It;
}

void TExpertRegistry::Receive(TIExpert* Expert, bool& Accepted) {
  // The same object twice would be destroyed twice.
  Accepted =
      Expert != nullptr && std::none_of(FEntries.begin(), FEntries.end(),
                                        [Expert](const TEntry& E) { return E.Expert == Expert; });
  if (Accepted)
    FEntries.push_back({Expert, FLoading});
}
