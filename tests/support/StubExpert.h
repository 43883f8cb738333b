#pragma once

// An expert that does nothing, for tests of the IDE's side of the expert
// interface: its name and ID string are given, and it counts its own
// destruction where the test asks it to.

#include <string>
#include <utility>

#include "Exptintf.h"

class TStubExpert : public TIExpert {
 public:
  explicit TStubExpert(std::string Name = "Stub", std::string IDString = "Stub",
                       int* Destroyed = nullptr)
      : FName(std::move(Name)), FIDString(std::move(IDString)), Destroyed(Destroyed) {}
  ~TStubExpert() override {
    if (Destroyed != nullptr)
      ++*Destroyed;
  }
  std::string GetName() override { return FName; }
  std::string GetAuthor() override { return ""; }
  std::string GetComment() override { return ""; }
  std::string GetPage() override { return ""; }
  HICON GetGlyph() override { return nullptr; }
  TExpertStyle GetStyle() override { return esAddIn; }
  TExpertState GetState() override { return {esEnabled}; }
  std::string GetIDString() override { return FIDString; }
  std::string GetMenuText() override { return ""; }
  void Execute() override {}

 private:
  std::string FName, FIDString;

 public:
  // Incremented by the destructor when set; may be handed in later.
  int* Destroyed;
};
