#include "uConstORVExpertMPage.h"

#include "System.h"

std::string Const_sKeyNameDelphi;
std::string Const_sKeyNameORVExpert;

namespace {

// The unit's initialisation and finalisation, as the package runs them when
// it is loaded and unloaded. Declared after the strings, so it is constructed
// after them and destroyed before them.
struct TUnitInitialization {
  TUnitInitialization() {
    Const_sKeyNameDelphi = "Software\\Borland\\Delphi\\" + std::to_string(HostVersion) + ".0";
    Const_sKeyNameORVExpert = "\\ORVExpert";
  }
  ~TUnitInitialization() {
    Const_sKeyNameDelphi.clear();
    Const_sKeyNameORVExpert.clear();
  }
} UnitInitialization;

}  // namespace
