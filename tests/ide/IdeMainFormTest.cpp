#include <gtest/gtest.h>

#include "EventSpy.h"
#include "Ide.h"
#include "MenuLetGo.h"
#include "StockPalette.h"
#include "TestText.h"
#include "UserInput.h"

namespace {

// The add-in lends a window to the palette by writing the control's handle
// field directly, as the VCL allows; the test does the same.
struct Access : TWinControl {
  using TWinControl::FHandle;
};

const std::vector<std::string> kPages = {"Standard", "Additional", "Win32", "Samples"};

TIdeOptions Options(TPaletteLayout Layout = TPaletteLayout::ControlBar) {
  TIdeOptions O;
  O.Layout = Layout;
  O.Pages = kPages;
  return O;
}

}  // namespace

class IdeMainForm : public ::testing::TestWithParam<TPaletteLayout> {};

TEST_P(IdeMainForm, MainFormCarriesTheNamedComponentsInTheIdesFont) {
  TIde Ide(Options(GetParam()));
  TIdeMainForm* Form = Ide.MainForm();
  EXPECT_EQ(Ide.App()->MainForm(), Form);
  EXPECT_EQ(Form->Width(), 1024);
  EXPECT_EQ(As<TTabControl>(Form->FindComponent("tabcontrol")), Form->Palette());
  EXPECT_EQ(As<TPopupMenu>(Form->FindComponent("PaletteMenu")), Form->PaletteMenu());
  TMenuItem* Component = As<TMenuItem>(Form->FindComponent("ComponentMenu"));
  ASSERT_EQ(Component, Form->ComponentMenu());
  EXPECT_EQ(Component->Parent(), Form->MainMenu()->Items());
  EXPECT_EQ(Component->Items(1)->Caption(), "Install Component...");

  TTabControl* Palette = Form->Palette();
  TWinControl* Home = Palette->Parent();
  ASSERT_EQ(Home, Form->PaletteHome());
  if (GetParam() == TPaletteLayout::ControlBar) {
    EXPECT_TRUE(Is<TControlBar>(Home->Parent()));
  } else {
    EXPECT_TRUE(Is<TPanel>(Home->Parent()));
    EXPECT_EQ(Home->Parent()->Parent(), Form);
  }
  EXPECT_EQ(Lines(Palette->Tabs()), kPages);
  EXPECT_EQ(Palette->TabIndex(), 0);
  EXPECT_GT(Palette->Width(), 900);
  EXPECT_EQ(Palette->Height(), 48);
  for (TControl* C : {static_cast<TControl*>(Palette), static_cast<TControl*>(Home)}) {
    EXPECT_TRUE(C->ParentFont());
    EXPECT_EQ(C->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(C->Font()->Size(), 8);
  }
  // The add-in turns ParentFont off and on again; the font stays the IDE's.
  Palette->SetParentFont(false);
  Palette->SetParentFont(true);
  EXPECT_EQ(Palette->Font()->Desc(), Form->Font()->Desc());

  Form->Show();
  EXPECT_TRUE(Palette->Showing());
  EXPECT_EQ(Form->Loads(), 0);
  EXPECT_FALSE(Form->LastLoad().has_value());
}

INSTANTIATE_TEST_SUITE_P(Layouts, IdeMainForm,
                         ::testing::Values(TPaletteLayout::ControlBar, TPaletteLayout::Panel));

TEST(IdeMainForm, PaletteChangeHandlerSeesWhatThePalettesWindowHolds) {
  TIde Ide(Options());
  TIdeMainForm* Form = Ide.MainForm();
  TTabControl* Palette = Form->Palette();
  Form->Show();
  ClickTab(Palette, 2);
  EXPECT_EQ(Form->Loads(), 1);
  EXPECT_EQ(Form->LastLoad(), (TPaletteLoad{"Win32", 2, 4}));
  // Clicking the selected tab changes nothing, so nothing is loaded.
  ClickTab(Palette, 2);
  EXPECT_EQ(Form->Loads(), 1);

  // Another window lent to the palette answers every question.
  auto* Master = new TTabControl(Form);
  Master->SetVisible(false);
  Master->SetParent(Form);
  for (const char* Page : {"Standard", "Additional", "Win32", "Samples", "Extra"})
    Master->Tabs()->Add(Page);
  Master->SetTabIndex(4);
  HWND TWinControl::*Field = &Access::FHandle;
  HWND Own = Palette->Handle();
  Palette->*Field = Master->Handle();
  Palette->OnChange()(Palette);
  Palette->*Field = Own;
  EXPECT_EQ(Form->LastLoad(), (TPaletteLoad{"Extra", 4, 5}));
  EXPECT_EQ(Form->Loads(), 2);
  EXPECT_EQ(Lines(Palette->Tabs()), kPages);
  EXPECT_EQ(Palette->TabIndex(), 2);
  EXPECT_EQ(Lines(Master->Tabs()).size(), 5u);
}

TEST(IdeMainForm, PaletteInstallAndUninstallRewriteTheListAndReselect) {
  TIde Ide(Options());
  TIdeMainForm* Form = Ide.MainForm();
  TTabControl* Palette = Form->Palette();
  Form->Show();
  ClickTab(Palette, 2);  // Win32

  struct TStep {
    bool Install;
    std::vector<std::string> Pages;
    std::vector<std::string> Expected;
    TPaletteLoad Load;
  };
  const TStep Steps[] = {
      {true,
       {"Data Access", "Extra"},
       {"Standard", "Additional", "Win32", "Samples", "Data Access", "Extra"},
       {"Win32", 2, 6}},
      // A page that is there already stays where it is; the IDE still rebuilds.
      {true,
       {"samples", "EXTRA"},
       {"Standard", "Additional", "Win32", "Samples", "Data Access", "Extra"},
       {"Win32", 2, 6}},
      {false,
       {"standard"},
       {"Additional", "Win32", "Samples", "Data Access", "Extra"},
       {"Win32", 1, 5}},
      // The selected page goes: the first is selected.
      {false,
       {"WIN32", "Extra", "extra"},
       {"Additional", "Samples", "Data Access"},
       {"Additional", 0, 3}},
      {false, {"Additional", "Samples", "Data Access"}, {}, {"", -1, 0}},
      {true, {"New"}, {"New"}, {"New", 0, 1}},
  };
  int Loads = Form->Loads();
  for (const TStep& S : Steps) {
    if (S.Install)
      Form->InstallPages(S.Pages);
    else
      Form->UninstallPages(S.Pages);
    EXPECT_EQ(Form->Pages(), S.Expected);
    EXPECT_EQ(Lines(Palette->Tabs()), S.Expected);
    EXPECT_EQ(Form->LastLoad(), S.Load);
    EXPECT_EQ(Form->Loads(), ++Loads);
  }

  // A refused request changes nothing and loads nothing.
  EXPECT_THROW(Form->UninstallPages({"New", "Missing"}), EIdeError);
  EXPECT_THROW(Form->InstallPages({"Fine", ""}), EIdeError);
  EXPECT_EQ(Form->Pages(), std::vector<std::string>{"New"});
  EXPECT_EQ(Form->Loads(), Loads);

  // The rebuild raises whatever handler the palette holds now.
  TEventSpy Other;  // some other handler on the palette, as an add-in installs one
  Palette->SetOnChange(Other.Event());
  Form->InstallPages({"Two"});
  EXPECT_EQ(Other.Senders, std::vector<TObject*>{Palette});
  EXPECT_EQ(Form->Loads(), Loads);
}

TEST(IdeMainForm, OwnHandlersCountTheirCalls) {
  TIde Ide(Options());
  TIdeMainForm* Form = Ide.MainForm();
  EXPECT_EQ(Form->OnShow(), Form->IdeShow());
  EXPECT_EQ(Form->Palette()->OnChange(), Form->IdePaletteChange());
  EXPECT_TRUE(Form->IsIdeObject(Form->Palette()->OnEndDrag().Data));
  EXPECT_TRUE(Form->IsIdeObject(Form->PaletteMenu()->OnPopup().Data));

  Form->Show();
  Form->SetActive(true);
  Form->SetActive(false);
  Form->SetActive(true);
  {
    const TMenuLetGo LetGo;
    Form->PaletteMenu()->Popup(0, 0);
  }
  bool Accept = true;
  Form->Palette()->OnDragOver()(Form->Palette(), nullptr, 0, 0, dsDragMove, Accept);
  EXPECT_FALSE(Accept);
  EXPECT_EQ(Form->HostCalls("mainForm.OnShow"), 1);
  EXPECT_EQ(Form->HostCalls("mainForm.OnActivate"), 2);
  EXPECT_EQ(Form->HostCalls("mainForm.OnDeactivate"), 1);
  EXPECT_EQ(Form->HostCalls("paletteMenu.OnPopup"), 1);
  EXPECT_EQ(Form->HostCalls("palette.OnDragOver"), 1);
  EXPECT_EQ(Form->HostCalls("palette.OnStartDock"), 0);

  // WM_SIZE counts when it reaches the main form's window, not a child's.
  SendMessage(Form->Handle(), WM_SIZE, 0, 0);
  Form->PaletteHome()->Perform(WM_SIZE, 0, 0);
  Form->Perform(WM_SIZE, 0, 0);
  EXPECT_EQ(Form->SizeMessages(), 2);

  // What an add-in creates on the main form is not the IDE's.
  auto* Timer = new TTimer(Form);
  EXPECT_FALSE(Form->IsIdeObject(Timer));
  EXPECT_FALSE(Form->IsIdeObject(nullptr));
}

TEST(IdeMainForm, StockEachVersionHasItsOwnPaletteAndPackages) {
  const std::vector<std::string> Stock = StockPalette(HostVersion);
  const std::size_t Sizes[] = {19, 28, 33};
  ASSERT_EQ(Stock.size(), Sizes[HostVersion - 5]);
  EXPECT_EQ(std::vector<std::string>(Stock.begin(), Stock.begin() + 3),
            (std::vector<std::string>{"Standard", "Additional", "Win32"}));
  for (std::size_t i = 0; i < Stock.size(); ++i)
    for (std::size_t j = i + 1; j < Stock.size(); ++j)
      EXPECT_FALSE(AnsiSameText(Stock[i], Stock[j])) << Stock[i];
  EXPECT_NE(StockPalette(5), StockPalette(6));
  EXPECT_NE(StockPalette(6), StockPalette(7));
  EXPECT_TRUE(StockPalette(8).empty());

  TIde Ide;
  EXPECT_EQ(Ide.MainForm()->Pages(), Stock);
  EXPECT_EQ(ProvidedPackages(5), (std::vector<std::string>{"vcl50", "VclSmp50"}));
  EXPECT_EQ(ProvidedPackages(7).front(), "vcl70.bpl");
}

// Every stock page carries its components, as that version's palette shows
// them; a package adds its own after them, and they go with their page.
TEST(IdeMainForm, StockPagesCarryTheirComponents) {
  struct TRow {
    int Host;
    const char* Page;
    std::size_t Count;
    const char *First, *Last;
  };
  const TRow Rows[] = {
      {5, "Standard", 16, "TFrames", "TActionList"},
      {5, "Additional", 15, "TBitBtn", "TChart"},
      {5, "Data Access", 9, "TDataSource", "TNestedTable"},
      {5, "InternetExpress", 2, "TXMLBroker", "TMidasPageProducer"},
      {6, "Standard", 16, "TFrames", "TActionList"},
      {6, "Win32", 19, "TTabControl", "TComboBoxEx"},
      {6, "dbExpress", 7, "TSQLConnection", "TSQLClientDataSet"},
      {6, "Internet", 13, "TClientSocket", "TUdpSocket"},
      {7, "Additional", 25, "TBitBtn", "TCustomizeDlg"},
      {7, "Win32", 20, "TTabControl", "TXPManifest"},
      {7, "Internet", 11, "TWebDispatcher", "TUdpSocket"},
      {7, "IW Control", 5, "TIWLayoutMgrForm", "TIWModuleController"},
  };
  for (const TRow& R : Rows) {
    const std::vector<std::string> List = StockComponents(R.Host, R.Page);
    ASSERT_EQ(List.size(), R.Count) << R.Host << " " << R.Page;
    EXPECT_EQ(List.front(), R.First);
    EXPECT_EQ(List.back(), R.Last);
  }
  for (int Host : {5, 6, 7})
    for (const std::string& Page : StockPalette(Host))
      EXPECT_FALSE(StockComponents(Host, Page).empty()) << Host << " " << Page;
  EXPECT_TRUE(StockComponents(5, "dbExpress").empty());  // not a page of Delphi 5

  TIde Ide;
  TIdeMainForm* Form = Ide.MainForm();
  EXPECT_EQ(Form->Components("standard"), StockComponents(HostVersion, "Standard"));
  Form->InstallPages({"Extra"}, {{"Extra", {"TOne"}}, {"Standard", {"TMine"}}});
  EXPECT_EQ(Form->Components("Extra"), std::vector<std::string>{"TOne"});
  EXPECT_EQ(Form->Components("Standard").back(), "TMine");
  EXPECT_THROW(Form->InstallPages({}, {{"Nowhere", {"TX"}}}), EIdeError);
  Form->UninstallPages({"Extra"});
  Form->InstallPages({"Extra"});
  EXPECT_TRUE(Form->Components("Extra").empty());
}
