#include "StockPalette.h"

#include <initializer_list>

namespace {

// Delphi 7 kept the first fifteen pages of Delphi 6 as they stood; each
// version's list is these followed by its own.
std::vector<std::string> PagesFromDelphi6(std::initializer_list<const char*> Rest) {
  std::vector<std::string> Pages = {
      "Standard",      "Additional",  "Win32",           "System",   "Data Access",
      "Data Controls", "dbExpress",   "DataSnap",        "BDE",      "ADO",
      "InterBase",     "WebServices", "InternetExpress", "Internet", "WebSnap"};
  Pages.insert(Pages.end(), Rest.begin(), Rest.end());
  return Pages;
}

}  // namespace

std::vector<std::string> StockPalette(int Version) {
  switch (Version) {
    case 5:
      return {"Standard",      "Additional", "Win32",         "System",  "Data Access",
              "Data Controls", "ADO",        "InterBase",     "MIDAS",   "InternetExpress",
              "Internet",      "FastNet",    "Decision Cube", "QReport", "Dialogs",
              "Win 3.1",       "Samples",    "ActiveX",       "Servers"};
    case 6:
      return PagesFromDelphi6({"FastNet", "Decision Cube", "QReport", "Dialogs", "Win 3.1",
                               "Samples", "ActiveX", "COM+", "Indy Clients", "Indy Servers",
                               "Indy Misc", "Servers", "InterBase Admin"});
    case 7:
      return PagesFromDelphi6(
          {"Decision Cube", "Dialogs", "Win 3.1", "Samples", "ActiveX", "Rave", "Indy Clients",
           "Indy Servers", "Indy Intercepts", "Indy I/O Handlers", "Indy Misc", "COM+",
           "InterBase Admin", "IW Standard", "IW Data", "IW Client Side", "IW Control", "Servers"});
    default:
      return {};
  }
}

std::vector<std::string> ProvidedPackages(int Version) {
  switch (Version) {
    case 5:
      return {"vcl50", "VclSmp50"};
    case 6:
      return {"vcl60.bpl", "rtl60.bpl", "vclsmp60.bpl", "designide60.bpl"};
    case 7:
      return {"vcl70.bpl", "rtl70.bpl", "vclsmp70.bpl", "designide70.bpl"};
    default:
      return {};
  }
}
