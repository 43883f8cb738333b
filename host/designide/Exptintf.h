#pragma once

// The IDE's old-style expert interface (unit Exptintf).

#include <string>

#include "Events.h"
#include "Virtintf.h"

enum TExpertStyle { esStandard, esForm, esProject, esAddIn };
enum TExpertStateFlag { esEnabled, esChecked };
using TExpertState = TSet<TExpertStateFlag>;
using HICON = void*;

class TIExpert : public TInterface {
 public:
  virtual std::string GetName() = 0;
  virtual std::string GetAuthor() = 0;
  virtual std::string GetComment() = 0;
  virtual std::string GetPage() = 0;
  virtual HICON GetGlyph() = 0;
  virtual TExpertStyle GetStyle() = 0;
  virtual TExpertState GetState() = 0;
  virtual std::string GetIDString() = 0;
  virtual std::string GetMenuText() = 0;
  virtual void Execute() = 0;
};

// Hands an expert to the IDE, which holds it until it unloads the package.
bool RegisterLibraryExpert(TIExpert* Expert);

// The IDE installs the receiver of RegisterLibraryExpert while it runs; with
// none installed the call refuses the expert (and frees nothing).
using TExpertRegistrar = TEvent<TIExpert*, bool&>;
void SetLibraryExpertRegistrar(TExpertRegistrar Registrar);
