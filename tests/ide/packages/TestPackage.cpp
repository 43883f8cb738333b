// A package module for the IDE's loader tests. One source, built once per
// kind of package the loader must tell apart (TEST_PACKAGE_GOOD, _OTHERHOST,
// _RUNTIME, _NODESC, _THROWING); each registers one trivial expert.

#include "Exptintf.h"
#include "PackageInfo.h"
#include "StubExpert.h"

// The entries the IDE looks up by name. A Windows DLL that marks nothing
// for export exports every function, as the package module does.
#if defined(_WIN32)
#define TEST_PACKAGE_ENTRY
#else
#define TEST_PACKAGE_ENTRY __attribute__((visibility("default")))
#endif

namespace {

// The expert this package registers; the IDE frees it when it unloads.
TStubExpert* Registered = nullptr;

std::vector<std::string> Requires() {
#if defined(TEST_PACKAGE_OTHERHOST)
  // The packages of another IDE version than the one this is built for.
  return TABULON_HOST == 7 ? std::vector<std::string>{"vcl60.bpl", "rtl60.bpl"}
                           : std::vector<std::string>{"vcl70.bpl", "rtl70.bpl"};
#elif TABULON_HOST == 5
  return {"vcl50", "VclSmp50"};
#elif TABULON_HOST == 6
  return {"VCL60.BPL", "rtl60.bpl", "vclsmp60.bpl", "designide60.bpl"};
#else
  return {"VCL70.BPL", "rtl70.bpl", "vclsmp70.bpl", "designide70.bpl"};
#endif
}

TPackageInfo MakeInfo() {
  TPackageInfo Info;
  Info.Name = TEST_PACKAGE_NAME;
#if !defined(TEST_PACKAGE_NODESC)
  Info.Description = "Tabulon loader test package";
#endif
#if defined(TEST_PACKAGE_RUNTIME)
  Info.Flags = pfRunOnly;
#else
  Info.Flags = pfDesignOnly | pfNeverBuild;
#endif
  Info.HostVersion = TABULON_HOST;
  Info.Requires = Requires();
  Info.Contains = {"TestPackage"};
  return Info;
}

}  // namespace

extern "C" {

TEST_PACKAGE_ENTRY const TPackageInfo* TabulonPackageInfo() {
  static const TPackageInfo Info = MakeInfo();
  return &Info;
}

TEST_PACKAGE_ENTRY void TabulonPackageRegister() {
  Registered = new TStubExpert("Tabulon Test Expert", "Tabulon.TestExpert");
  RegisterLibraryExpert(Registered);
#if defined(TEST_PACKAGE_THROWING)
  throw Exception("Register gave up");
#endif
}

// The tests hand in a counter that the expert's destructor increments.
TEST_PACKAGE_ENTRY void TabulonTestPackageWatch(int* Counter) {
  Registered->Destroyed = Counter;
}
}
