#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Forms.h"

// One Application and a shown form to put controls on, torn down after
// every test.
class ColorBoxFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    App = new TApplication;
    Form = new TForm(App);
    Form->SetWidth(400);
    Form->SetHeight(300);
    Form->Show();
  }
  void TearDown() override { delete App; }

  TApplication* App = nullptr;
  TForm* Form = nullptr;
};

// Collects the identifiers the host enumerates.
class TNameList : public TObject {
 public:
  void Add(const std::string& Name) { Names.push_back(Name); }
  std::vector<std::string> Names;
};

inline std::vector<std::string> ItemTexts(const TStrings* Items) {
  std::vector<std::string> Result;
  for (int i = 0; i < Items->Count(); ++i)
    Result.push_back(Items->Get(i));
  return Result;
}

inline std::vector<std::string> HostNamesWithout(std::initializer_list<const char*> Skip) {
  TNameList L;
  GetColorValues(TGetStrProc::Of<&TNameList::Add>(&L));
  std::vector<std::string> Result;
  for (const auto& N : L.Names) {
    bool Skipped = false;
    for (const char* S : Skip)
      Skipped = Skipped || N == S;
    if (!Skipped)
      Result.push_back(N);
  }
  return Result;
}
