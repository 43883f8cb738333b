// Loading and unloading the expert: both start-up paths, identity, menus,
// and the IDE given back exactly as it was.

#include "DialogDriver.h"
#include "EngineFixture.h"
#include "MenuLetGo.h"
#include "ModalUser.h"
#include "uORVFrmMain.h"

namespace {

// The handlers the expert saves and replaces, as the IDE holds them.
struct THostHandlers {
  explicit THostHandlers(TIdeMainForm* Ide)
      : Show(Ide->OnShow()),
        Activate(Ide->OnActivate()),
        Deactivate(Ide->OnDeactivate()),
        Change(Ide->Palette()->OnChange()),
        Popup(Ide->PaletteMenu()->OnPopup()),
        StartDock(Ide->Palette()->OnStartDock()),
        StartDrag(Ide->Palette()->OnStartDrag()),
        DragDrop(Ide->Palette()->OnDragDrop()),
        DragOver(Ide->Palette()->OnDragOver()),
        DockDrop(Ide->Palette()->OnDockDrop()),
        DockOver(Ide->Palette()->OnDockOver()),
        UnDock(Ide->Palette()->OnUnDock()),
        EndDock(Ide->Palette()->OnEndDock()),
        EndDrag(Ide->Palette()->OnEndDrag()) {}
  bool operator==(const THostHandlers&) const = default;
  TNotifyEvent Show, Activate, Deactivate, Change, Popup;
  TStartDockEvent StartDock;
  TStartDragEvent StartDrag;
  TDragDropEvent DragDrop;
  TDragOverEvent DragOver;
  TDockDropEvent DockDrop;
  TDockOverEvent DockOver;
  TUnDockEvent UnDock;
  TEndDragEvent EndDock, EndDrag;
};

}  // namespace

class Lifecycle : public EngineTest {};

TEST_F(Lifecycle, StartUpWaitsForTheFirstShowingOfTheMainForm) {
  MakeIde();
  const THostHandlers Before(Ide);
  Load();
  auto X = Inspect();
  EXPECT_EQ(Ide->Palette()->Parent(), X.GroupBar()->Pages(0));
  EXPECT_EQ(GroupTabs(), std::vector<std::string>{kUngrouped});
  EXPECT_EQ(PaletteTabs(), Ide->Pages());
  EXPECT_FALSE(X.PaletteChangeTimer()->Enabled());
  EXPECT_FALSE(X.GroupSortTimer()->Enabled());
  EXPECT_FALSE(X.GroupsActive());
  EXPECT_EQ(X.PageGroupHeight(), -1);
  EXPECT_TRUE(X.IsExpertHandler(Ide->OnShow()));
  // Nothing but OnShow is hooked yet.
  EXPECT_EQ(Ide->Palette()->OnChange(), Before.Change);
  EXPECT_EQ(Ide->OnActivate(), Before.Activate);
  // Six drag-and-dock events are cleared, three kept.
  EXPECT_FALSE(Ide->Palette()->OnStartDrag().Assigned());
  EXPECT_EQ(Ide->Palette()->OnDockDrop(), Before.DockDrop);

  ShowIde();
  EXPECT_EQ(Ide->OnShow(), Before.Show);
  EXPECT_EQ(Ide->HostCalls("mainForm.OnShow"), 1);
  EXPECT_TRUE(X.IsExpertHandler(Ide->Palette()->OnChange()));
  EXPECT_TRUE(X.PaletteChangeTimer()->Enabled());
  EXPECT_EQ(X.PageGroupHeight(), 80);
  // A second showing reaches only the IDE's own handler.
  Ide->Hide();
  Ide->Show();
  EXPECT_EQ(Ide->HostCalls("mainForm.OnShow"), 2);
  EXPECT_EQ(Ide->OnShow(), Before.Show);
}

TEST_F(Lifecycle, StartUpRunsInTheConstructorWhenTheMainFormShows) {
  MakeIde();
  ShowIde();
  const TNotifyEvent Show = Ide->OnShow();
  Load();
  EXPECT_EQ(Ide->OnShow(), Show);
  EXPECT_TRUE(Inspect().IsExpertHandler(Ide->Palette()->OnChange()));
  EXPECT_TRUE(Inspect().IsExpertHandler(Ide->OnDeactivate()));
  EXPECT_TRUE(Inspect().IsExpertHandler(Ide->PaletteMenu()->OnPopup()));
  EXPECT_EQ(Ide->HostCalls("mainForm.OnShow"), 1);
}

TEST_F(Lifecycle, IdentityStateAndMenuItems) {
  MakeIde();
  ShowIde();
  const int PaletteItems = Ide->PaletteMenu()->Items()->Count();
  const int ComponentItems = Ide->ComponentMenu()->Count();
  Load();
  EXPECT_EQ(Expert->GetName(), "ORV Expert");
  EXPECT_EQ(Expert->GetComment(), "This expert supports GroupPallete and ImageProperty");
  EXPECT_EQ(Expert->GetIDString(), "ORVExpert.PageGroupPallete");
  EXPECT_EQ(Expert->GetMenuText(), "ORVExpert Part1");
  EXPECT_EQ(Expert->GetPage(), "");
  EXPECT_EQ(Expert->GetGlyph(), nullptr);
  EXPECT_EQ(Expert->GetStyle(), esAddIn);

  TMenuItem* Palette = Ide->PaletteMenu()->Items()->Items(PaletteItems);
  TMenuItem* Component = Ide->ComponentMenu()->Items(ComponentItems);
  EXPECT_EQ(Palette, Inspect().PaletteMenuItem());
  EXPECT_EQ(Component, Inspect().ComponentMenuItem());
  EXPECT_EQ(Palette->ShortCut(), 0x6041);
  EXPECT_EQ(Component->ShortCut(), 0);

  // The state follows the refresh flags at once; the quick switches of the
  // menu items set them.
  EXPECT_EQ(Expert->GetState(), TExpertState{esEnabled});
  KeyboardState().Press(VK_LCONTROL);
  Component->Click();
  KeyboardState().Release(VK_LCONTROL);
  EXPECT_EQ(Expert->GetState(), (TExpertState{esEnabled, esChecked}));
  const TMenuLetGo LetGo;
  Ide->PaletteMenu()->Popup(0, 0);
  EXPECT_TRUE(Palette->Checked());
  EXPECT_EQ(Ide->HostCalls("paletteMenu.OnPopup"), 1);
  KeyboardState().Press(VK_LSHIFT);
  KeyboardState().Press(VK_LCONTROL);  // Shift wins over Ctrl
  Palette->Click();
  KeyboardState().ReleaseAll();
  EXPECT_EQ(Expert->GetState(), TExpertState{esEnabled});
  Ide->PaletteMenu()->Popup(0, 0);
  EXPECT_FALSE(Palette->Checked());
}

TEST_F(Lifecycle, UnloadGivesTheIdeBackExactly) {
  for (bool ShownFirst : {true, false}) {
    SCOPED_TRACE(ShownFirst ? "loaded into a shown IDE" : "loaded before the first showing");
    MakeIde();
    if (ShownFirst)
      ShowIde();
    WriteTimer("PagesSort", Stored({kAlpha}));
    WritePages(kAlpha, {"Win32"});
    WriteTimer("PagesPaletteMultiLine", "1");
    const THostHandlers Before(Ide);
    const int Components = Ide->ComponentCount();
    const int PaletteItems = Ide->PaletteMenu()->Items()->Count();
    const int ComponentItems = Ide->ComponentMenu()->Count();
    // Objects of the IDE's own in its tabs, which the palette is to hold
    // again, not the marks of a destroyed expert.
    TStrings* Tabs = Ide->Palette()->Tabs();
    for (int i = 0; i < Tabs->Count(); ++i)
      Tabs->SetObjects(i, TItemObject::FromInteger(100 + i));
    Load();
    if (!ShownFirst)
      ShowIde();
    ClickGroup(kUngrouped);
    ClickPage("Samples");
    Unload();

    EXPECT_EQ(THostHandlers(Ide), Before);
    EXPECT_EQ(Ide->Palette()->Parent(), Ide->PaletteHome());
    EXPECT_FALSE(Ide->Palette()->MultiLine());
    EXPECT_TRUE(Ide->Palette()->ParentFont());
    EXPECT_EQ(Ide->Palette()->Height(), 16);
    EXPECT_EQ(Ide->PaletteHome()->Height(), 16);
    EXPECT_EQ(Ide->PaletteHome()->Constraints()->MaxHeight(), 16);
    EXPECT_EQ(Ide->ComponentCount(), Components);
    EXPECT_EQ(Ide->PaletteMenu()->Items()->Count(), PaletteItems);
    EXPECT_EQ(Ide->ComponentMenu()->Count(), ComponentItems);
    EXPECT_EQ(PaletteTabs(), Ide->Pages());
    for (int i = 0; i < Tabs->Count(); ++i)
      EXPECT_EQ(Tabs->Objects(i).AsInteger(), 100 + i) << Tabs->Get(i);
    delete Ide;
    Ide = nullptr;
  }
}

TEST_F(Lifecycle, AFailedConstructionLeavesNoTrace) {
  // A main form whose "TabControl" is not a tab control.
  auto* Form = new TForm(App);
  auto* Menu = new TPopupMenu(Form);
  Menu->SetName("PaletteMenu");
  auto* NotAPalette = new TPanel(Form);
  NotAPalette->SetName("TabControl");
  NotAPalette->SetParent(Form);
  Form->Show();
  EXPECT_THROW(new TORVExpert(), EInvalidCast);
  EXPECT_EQ(Menu->Items()->Count(), 0);
  EXPECT_EQ(Form->ComponentCount(), 2);

  auto* Empty = new TForm(nullptr);
  App->SetMainForm(Empty);
  EXPECT_THROW(new TORVExpert(), Exception);
  delete Empty;
}

namespace {

// Where and how the palette and the two panels around it sit.
struct TPlace {
  explicit TPlace(TControl* C)
      : Parent(C->Parent()),
        Align(C->Align()),
        Bounds(C->BoundsRect()),
        MinHeight(C->Constraints()->MinHeight()),
        MaxHeight(C->Constraints()->MaxHeight()) {}
  bool operator==(const TPlace&) const = default;
  TWinControl* Parent;
  TAlign Align;
  TRect Bounds;
  int MinHeight, MaxHeight;
};

}  // namespace

TEST_F(Lifecycle, AFailedLoadLeavesTheIdeAsItWas) {
  for (TPaletteLayout Layout : {TPaletteLayout::ControlBar, TPaletteLayout::Panel}) {
    SCOPED_TRACE(Layout == TPaletteLayout::Panel ? "panel" : "control bar");
    MakeIde({"Standard", "Additional", "Win32"}, Layout);
    ShowIde();
    ClickPage("Win32");
    // The store is read up to the keep option, which another tool wrote as
    // a number: the palette has been made multi-line by then.
    WriteTimer("PagesSort", Stored({kAlpha}));
    WritePages(kAlpha, {"Win32"});
    WriteTimer("PagesPaletteMultiLine", "1");
    std::vector<std::string> Key;
    ASSERT_TRUE(SplitKeyPath(Const_sKeyNameDelphi + Const_sKeyNameORVExpert + "\\Timer", Key));
    Hive->Apply(this, HiveOp{HiveOp::SetValue, Key, "PageGroupKeep", REG_DWORD, {1, 0, 0, 0}});

    TControl* Palette = Ide->Palette();
    const TPlace Before[] = {TPlace(Palette), TPlace(Ide->PaletteHome()),
                             TPlace(Ide->PaletteHome()->Parent())};
    const THostHandlers Handlers(Ide);
    const bool ParentFont = Ide->Palette()->ParentFont();
    const int Components = Ide->ComponentCount();
    const int Loads = Ide->Loads();
    EXPECT_THROW(Load(), ERegistryException);

    const TPlace After[] = {TPlace(Palette), TPlace(Ide->PaletteHome()),
                            TPlace(Ide->PaletteHome()->Parent())};
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(After[i] == Before[i]) << "control " << i;
    EXPECT_EQ(THostHandlers(Ide), Handlers);
    EXPECT_FALSE(Ide->Palette()->MultiLine());
    EXPECT_EQ(Ide->Palette()->ParentFont(), ParentFont);
    EXPECT_EQ(PaletteTabs(), Ide->Pages());
    EXPECT_EQ(SelectedPage(), "Win32");
    EXPECT_EQ(Ide->ComponentCount(), Components);
    EXPECT_EQ(Ide->Loads(), Loads);
    delete Ide;
    Ide = nullptr;
    Hive.reset();
    Hive = std::make_unique<RegistryHive>(":memory:");
  }
}

TEST_F(Lifecycle, TheSettingsWaitForTheFirstShowing) {
  MakeIde();
  WriteTimer("PagesSort", Stored({kAlpha}));
  WritePages(kAlpha, {"Win32"});
  Load();
  int Dialogs = 0;
  TModalUser User([&](TCustomForm* Form) {
    ++Dialogs;
    TDialogDriver(Form).Ok();
  });
  Inspect().ComponentMenuItem()->Click();
  // The groups are not loaded yet: no dialog could show them, and none
  // erases them from the store.
  EXPECT_EQ(Dialogs, 0);
  EXPECT_EQ(Read("Timer", "PagesSort"), Stored({kAlpha}));
  EXPECT_EQ(PaletteTabs(), Ide->Pages());
  ShowIde();
  EXPECT_EQ(PaletteTabs(), std::vector<std::string>{"Win32"});
  Inspect().ComponentMenuItem()->Click();
  EXPECT_EQ(Dialogs, 1);
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kUngrouped}));
}

// The dialog's usage counts come from the expert's matching: each palette
// item counts the group entries an exact-match search of the sorted list
// finds it for, letter case ignored, so of two pages equal but for letter
// case only the first counts.
TEST_F(Lifecycle, TheDialogsUsageCountsAreThoseOfAnExactMatchSearch) {
  MakeIde({"Win32", "Standard", "win32", "Data Access", "Additional"});
  WriteTimer("PagesSort", Stored({kAlpha, kBeta}));
  WritePages(kAlpha, {"WIN32", "Standard", "Gone"});
  WritePages(kBeta, {"win32", "standard", "Win32"});
  ShowIde();
  Load();
  std::vector<std::string> Pages;
  std::vector<NativeInt> Counts, Searched;
  TModalUser User([&](TCustomForm* Form) {
    auto* Dialog = static_cast<TFrmMainORVExpert*>(Form);
    TStrings* Palette = Dialog->LBoxPagePalette->Items();
    Searched.assign(static_cast<std::size_t>(Palette->Count()), 0);
    for (int g = 0; g < Dialog->LBoxPageGroup->Items()->Count(); ++g)
      for (int p = 0; p < Dialog->GroupPages(g)->Count(); ++p)
        if (const int Found = Dialog->LBoxPagePalette->FindExact(Dialog->GroupPages(g)->Get(p));
            Found >= 0)
          ++Searched[static_cast<std::size_t>(Found)];
    for (int i = 0; i < Palette->Count(); ++i) {
      Pages.push_back(Palette->Get(i));
      Counts.push_back(Palette->Objects(i).AsInteger());
    }
    TDialogDriver(Form).Cancel();
  });
  Inspect().ComponentMenuItem()->Click();
  EXPECT_EQ(Pages,
            (std::vector<std::string>{"Additional", "Data Access", "Standard", "Win32", "win32"}));
  EXPECT_EQ(Counts, (std::vector<NativeInt>{0, 0, 2, 3, 0}));
  EXPECT_EQ(Counts, Searched);
}
