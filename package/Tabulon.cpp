// The package module of one host build: its package information and the
// registration entry that the IDE calls after loading it.

#include "PackageInfo.h"
#include "uORVRegister.h"

namespace {

TPackageInfo MakePackageInfo() {
  TPackageInfo Info;
  Info.Name = "Tabulon";
  Info.Description = "ORVExpert 1.1 GroupPallete";
  Info.Flags = pfDesignOnly | pfNeverBuild;
  Info.HostVersion = TABULON_HOST;
#if TABULON_HOST == 5
  Info.Requires = {"vcl50", "VclSmp50"};
  Info.Contains = {"uORVExpertPageGroup",
                   "uORVRegister",
                   "uConstORVExpertMPage",
                   "uORVFrmMain",
                   "uORVExpert_CORVSpin",
                   "ExtCtrlsForD5",
                   "SysInit"};
#else
  const std::string V = std::to_string(TABULON_HOST) + "0";
  Info.Requires = {"vcl" + V + ".bpl", "rtl" + V + ".bpl", "vclsmp" + V + ".bpl",
                   "designide" + V + ".bpl"};
  Info.Contains = {"uORVExpertPageGroup", "uORVRegister",        "uConstORVExpertMPage",
                   "uORVFrmMain",         "uORVExpert_CORVSpin", "SysInit"};
#endif
  return Info;
}

}  // namespace

extern "C" const TPackageInfo* TabulonPackageInfo() {
  static const TPackageInfo Info = MakePackageInfo();
  return &Info;
}

extern "C" void TabulonPackageRegister() {
  Register();
}
