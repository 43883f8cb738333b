#include <gtest/gtest.h>

#include "Exptintf.h"
#include "StubExpert.h"

namespace {

struct TRegistrarProbe : TObject {
  TIExpert* Held = nullptr;
  bool Accept = true;
  void Receive(TIExpert* Expert, bool& Accepted) {
    if (Accept)
      Held = Expert;
    Accepted = Accept;
  }
};

TEST(Expert, RegisterLibraryExpertWithAndWithoutARegistrar) {
  int Destroyed = 0;
  auto* Expert = new TStubExpert("Probe", "Probe.Expert", &Destroyed);
  EXPECT_FALSE(RegisterLibraryExpert(Expert)) << "no IDE listening";
  EXPECT_EQ(Destroyed, 0) << "a refused expert is not freed by the host";

  TRegistrarProbe Ide;
  SetLibraryExpertRegistrar(TExpertRegistrar::Of<&TRegistrarProbe::Receive>(&Ide));
  EXPECT_TRUE(RegisterLibraryExpert(Expert));
  EXPECT_EQ(Ide.Held, Expert);
  Ide.Accept = false;
  EXPECT_FALSE(RegisterLibraryExpert(Expert));
  SetLibraryExpertRegistrar({});
  EXPECT_FALSE(RegisterLibraryExpert(Expert));
  EXPECT_EQ(Ide.Held->GetIDString(), "Probe.Expert");

  // The IDE drops its reference when it unloads the package.
  EXPECT_EQ(Expert->RefCount(), 1);
  EXPECT_EQ(Expert->AddRef(), 2);
  EXPECT_EQ(Expert->Release(), 1);
  EXPECT_EQ(Destroyed, 0);
  EXPECT_EQ(Expert->Release(), 0);
  EXPECT_EQ(Destroyed, 1);
}

TEST(Expert, StateSetsCompareByMembers) {
  EXPECT_TRUE((TExpertState{esEnabled, esChecked}).Contains(esChecked));
  EXPECT_FALSE(TExpertState{esEnabled}.Contains(esChecked));
  EXPECT_EQ((TExpertState{esChecked, esEnabled}), (TExpertState{esEnabled, esChecked}));
  EXPECT_FALSE(TExpertState{esEnabled} == TExpertState{});
}

}  // namespace
