#include "Exptintf.h"

namespace {
TExpertRegistrar& Registrar() {
  static TExpertRegistrar Current;
  return Current;
}
}  // namespace

bool RegisterLibraryExpert(TIExpert* Expert) {
  bool Accepted = false;
  if (Registrar().Assigned())
    Registrar()(Expert, Accepted);
  return Accepted;
}

void SetLibraryExpertRegistrar(TExpertRegistrar Value) {
  Registrar() = Value;
}
