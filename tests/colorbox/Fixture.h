#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "Forms.h"
#include "TestText.h"
#include "UserInput.h"

// One Application and a shown form to put controls on, torn down after
// every test.
class ColorBoxFixture : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = new TForm(App);
    Form->SetWidth(400);
    Form->SetHeight(300);
    Form->Show();
  }

  TForm* Form = nullptr;
};

// Collects the identifiers the host enumerates.
class TNameList : public TObject {
 public:
  void Add(const std::string& Name) { Names.push_back(Name); }
  std::vector<std::string> Names;
};

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

// The index of the item whose text is exactly S (case counts); -1 if none.
inline int IndexOfText(const TStrings* Items, const std::string& S) {
  for (int i = 0; i < Items->Count(); ++i)
    if (Items->Get(i) == S)
      return i;
  return -1;
}
