#include "uORVExpertPageGroup.h"

#include <algorithm>
#include <vector>

#include "ExpertOptions.h"
#include "PalettePlace.h"
#include "ScopeExit.h"
#include "uConstORVExpertMPage.h"
#include "uORVFrmMain.h"

// "НетГруппы"
const char* const UngroupedTabCaption = "\xCD\xE5\xF2\xC3\xF0\xF3\xEF\xEF\xFB";

namespace {

constexpr Word VK_A = 0x41;

}  // namespace

TORVExpert::TORVExpert() {
  // As a Delphi constructor does, a failing construction runs the
  // destruction on what was built, so that no menu item, handler or moved
  // palette is left pointing at an expert that never came to be. The
  // destruction gives a palette the height that fits its tabs; after a
  // failed load the IDE gets back the very place it had instead.
  TCustomForm* MainForm = Application != nullptr ? Application->MainForm() : nullptr;
  const TPalettePlace Place(MainForm != nullptr
                                ? dynamic_cast<TTabControl*>(MainForm->FindComponent("TabControl"))
                                : nullptr);
  try {
    prvCreate();
  } catch (...) {
    prvDestroy();
    Place.Restore();
    throw;
  }
}

void TORVExpert::prvCreate() {
  TCustomForm* MainForm = Application != nullptr ? Application->MainForm() : nullptr;
  if (MainForm == nullptr)
    throw Exception("The IDE has no main form to attach the palette groups to");

  prvCreateMenuItems(MainForm);

  FPageGroupHeight = -1;
  FTimerRefreshPageGroup = false;
  FTimerRefreshPagePalette = false;
  FPagesShown = new TStringList();
  FPaletteChanging = false;
  FKeepSelectPageGroup = false;
  FLastPageGroup.clear();

  prvTakePalette(MainForm);
  prvCreateGroupBar(MainForm);
  prvCreateTimers(MainForm);

  if (MainForm->Showing()) {
    prvEvenFrmOnShow(nullptr);
  } else {
    FOldOnShow = MainForm->OnShow();
    MainForm->SetOnShow(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnShow>(this));
  }
}

// The settings command's two menu items: one at the end of the palette's
// context menu, with the shortcut Ctrl+Shift+A, one at the end of the IDE's
// Component menu.
void TORVExpert::prvCreateMenuItems(TCustomForm* MainForm) {
  // A component of another class under either menu name is taken as absent:
  // using it as a menu could only corrupt it.
  FPaletteMenu = dynamic_cast<TPopupMenu*>(MainForm->FindComponent("PaletteMenu"));
  if (FPaletteMenu != nullptr) {
    FMenuItemPalette = new TMenuItem(FPaletteMenu);
    FMenuItemPalette->SetCaption("Palette Groups...");
    FMenuItemPalette->SetOnClick(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnPopupMyMenu>(this));
    FMenuItemPalette->SetShortCut(ShortCut(VK_A, TShiftState{ssShift, ssCtrl}));
    FPaletteMenu->Items()->Add(FMenuItemPalette);
  }

  if (auto* ComponentMenu = dynamic_cast<TMenuItem*>(MainForm->FindComponent("ComponentMenu"))) {
    FMenuItemComponent = new TMenuItem(ComponentMenu);
    FMenuItemComponent->SetCaption("Palette Groups...");
    FMenuItemComponent->SetOnClick(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnPopupMyMenu>(this));
    ComponentMenu->Add(FMenuItemComponent);
  }
}

// The IDE's palette keeps its own font from now on, and drag and dock are
// switched off on it while it sits in the group bar; the handlers are saved
// whole, to be put back by the destruction.
void TORVExpert::prvTakePalette(TCustomForm* MainForm) {
  TComponent* Palette = MainForm->FindComponent("TabControl");
  if (Palette == nullptr)
    throw Exception("The IDE's main form has no component palette (\"TabControl\")");
  FTabPalette = As<TTabControl>(Palette);
  FTabPalette->SetParentFont(false);

  FOldOnStartDock = FTabPalette->OnStartDock();
  FOldOnStartDrag = FTabPalette->OnStartDrag();
  FOldOnDragDrop = FTabPalette->OnDragDrop();
  FOldOnDragOver = FTabPalette->OnDragOver();
  FOldOnDockDrop = FTabPalette->OnDockDrop();
  FOldOnDockOver = FTabPalette->OnDockOver();
  FOldOnUnDock = FTabPalette->OnUnDock();
  FOldOnEndDock = FTabPalette->OnEndDock();
  FOldOnEndDrag = FTabPalette->OnEndDrag();
  FTabPalette->SetOnStartDock({});
  FTabPalette->SetOnStartDrag({});
  FTabPalette->SetOnDragDrop({});
  FTabPalette->SetOnDragOver({});
  FTabPalette->SetOnEndDock({});
  FTabPalette->SetOnEndDrag({});
}

// The hidden master list, and the group bar in the palette's place with the
// palette on its one sheet, the ungrouped tab.
void TORVExpert::prvCreateGroupBar(TCustomForm* MainForm) {
  FTabPaletteAll = new TTabControl(MainForm);
  FTabPaletteAll->SetVisible(false);
  FTabPaletteAll->SetParent(MainForm);

  FPageGroup = new TPageControl(MainForm);
  FPageGroup->SetParent(FTabPalette->Parent());
  FPageGroup->SetOnDrawTab(TDrawTabEvent::Of<&TORVExpert::prvEvenTabDraw_DrawTab>(this));
  FPageGroup->SetAlign(alClient);
  FPageGroup->SetOwnerDraw(true);
  FPageGroup->Font()->SetColor(DefaultGroupFontColor);

  auto* Ungrouped = new TTabSheet(FPageGroup);
  Ungrouped->SetPageControl(FPageGroup);
  Ungrouped->SetCaption(UngroupedTabCaption);
  FTabPalette->SetParent(Ungrouped);
}

// Both timers are one-shot and start disabled: events enable them.
void TORVExpert::prvCreateTimers(TCustomForm* MainForm) {
  FTimerPageGroupSort = new TTimer(MainForm);
  FTimerPageGroupSort->SetOnTimer(TNotifyEvent::Of<&TORVExpert::prvTimerPageGroupSort>(this));
  FTimerPageGroupSort->SetEnabled(false);
  FTimerPageGroupSort->SetInterval(10000);

  FTimerPagePaletteChange = new TTimer(MainForm);
  FTimerPagePaletteChange->SetOnTimer(
      TNotifyEvent::Of<&TORVExpert::prvTimerPagePaletteChange>(this));
  FTimerPagePaletteChange->SetInterval(50);
  FTimerPagePaletteChange->SetEnabled(false);
}

TORVExpert::~TORVExpert() {
  prvDestroy();
}

void TORVExpert::prvDestroy() {
  TCustomForm* MainForm = Application != nullptr ? Application->MainForm() : nullptr;
  if (MainForm != nullptr &&
      MainForm->OnShow() == TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnShow>(this)) {
    // The start-up never ran: give OnShow back.
    MainForm->SetOnShow(FOldOnShow);
  }
  // Handlers that were never saved are not written back.
  if (prvHooksSet()) {
    // While grouping is in force the palette holds one group's pages; left
    // so, the IDE would show a palette with pages missing until it next
    // rebuilds it. Give it the full list back, with the page the IDE last
    // loaded selected, unless the palette holds a rewrite of the IDE's,
    // which is its full list with its own selection already. The master
    // list gives the tabs back as the IDE last published them, with the
    // objects it kept in them.
    if (FGroupsActive && !prvPaletteHoldsIdeList()) {
      const int Selected = FTabPaletteAll->TabIndex();
      FTabPalette->Tabs()->Assign(FTabPaletteAll->Tabs());
      FTabPalette->SetTabIndex(Selected);
    }
    prvEventsClear();
  } else if (FTabPalette != nullptr) {
    FTabPalette->SetMultiLine(false);
    FTabPalette->SetParentFont(true);
  }

  if (FTabPalette != nullptr) {
    if (FPageGroup != nullptr)
      FTabPalette->SetParent(FPageGroup->Parent());
    FTabPalette->SetOnStartDock(FOldOnStartDock);
    FTabPalette->SetOnStartDrag(FOldOnStartDrag);
    FTabPalette->SetOnDragDrop(FOldOnDragDrop);
    FTabPalette->SetOnDragOver(FOldOnDragOver);
    FTabPalette->SetOnDockDrop(FOldOnDockDrop);
    FTabPalette->SetOnDockOver(FOldOnDockOver);
    FTabPalette->SetOnUnDock(FOldOnUnDock);
    FTabPalette->SetOnEndDock(FOldOnEndDock);
    FTabPalette->SetOnEndDrag(FOldOnEndDrag);
    if (FPageGroup != nullptr)
      prvGivePaletteHeight();
  }

  delete FTabPaletteAll;
  delete FPageGroup;
  delete FTimerPageGroupSort;
  delete FTimerPagePaletteChange;
  delete FPagesShown;
  delete FMenuItemPalette;
  delete FMenuItemComponent;
  FTabPaletteAll = nullptr;
  FPageGroup = nullptr;
  FTimerPageGroupSort = nullptr;
  FTimerPagePaletteChange = nullptr;
  FPagesShown = nullptr;
  FMenuItemPalette = nullptr;
  FMenuItemComponent = nullptr;
}

// The group bar carries the expert's change handler exactly when the
// start-up has installed the hooks.
bool TORVExpert::prvHooksSet() {
  return FPageGroup != nullptr &&
         FPageGroup->OnChange() == TNotifyEvent::Of<&TORVExpert::prvPageGroupChange>(this);
}

// The palette, back in its former place, gets a height for its own tab rows:
// one row is its font size (in points, used as pixels) plus 8 for the tab's
// border and padding. Its container is pinned to the same height, which the
// group bar had pinned to its own.
void TORVExpert::prvGivePaletteHeight() {
  const int H = FTabPalette->RowCount() * (FTabPalette->Font()->Size() + 8);
  FTabPalette->Constraints()->SetMinHeight(H);
  FTabPalette->SetHeight(H);
  TWinControl* P = FTabPalette->Parent();
  P->Constraints()->SetMinHeight(H);
  P->SetHeight(H);
  P->Constraints()->SetMaxHeight(H);
  P->Perform(WM_SIZE, 0, 0);
  SendMessage(Application->MainForm()->Handle(), WM_SIZE, 0, 0);
}

std::string TORVExpert::GetName() {
  return "ORV Expert";
}
std::string TORVExpert::GetAuthor() {
  return "Tabulon developers";
}
std::string TORVExpert::GetComment() {
  return "This expert supports GroupPallete and ImageProperty";
}
std::string TORVExpert::GetPage() {
  return "";
}
HICON TORVExpert::GetGlyph() {
  return nullptr;
}
TExpertStyle TORVExpert::GetStyle() {
  return esAddIn;
}

TExpertState TORVExpert::GetState() {
  if (FTimerRefreshPageGroup || FTimerRefreshPagePalette)
    return {esEnabled, esChecked};
  return {esEnabled};
}

std::string TORVExpert::GetIDString() {
  return "ORVExpert.PageGroupPallete";
}
std::string TORVExpert::GetMenuText() {
  return "ORVExpert Part1";
}

void TORVExpert::Execute() {
  // The quick switches: with the left Shift key held the two refresh options
  // (return to the first group, return to the first page) go off, with the
  // left Ctrl key held they go on, without a dialog and without writing the
  // store. The palette menu's shortcut is Ctrl+Shift+A: while A is held the
  // modifiers belong to the shortcut and the dialog opens.
  std::uint8_t Keys[256];
  GetKeyboardState(Keys);
  const bool LeftShift = (Keys[VK_LSHIFT] & 0x80) != 0;
  const bool LeftCtrl = (Keys[VK_LCONTROL] & 0x80) != 0;
  const bool KeyA = (Keys[VK_A] & 0x80) != 0;
  if (LeftShift && !KeyA) {
    FTimerRefreshPageGroup = false;
    FTimerRefreshPagePalette = false;
    return;
  }
  if (LeftCtrl && !KeyA) {
    FTimerRefreshPageGroup = true;
    FTimerRefreshPagePalette = true;
    return;
  }

  // Before the start-up (the main form not shown yet, so a user cannot
  // reach the menus) the groups are not read from the store: a dialog
  // could show none of them, and its OK would erase them there.
  if (!prvHooksSet())
    return;
  FMasterFromPalette = false;
  // The dialog offers the master list's pages, and OK matches the groups
  // against it: a rewrite of the IDE's not ticked yet (the watch may be
  // slow, or off while grouping is) must be in it.
  prvTakeIdePalette();
  auto* Dialog = new TFrmMainORVExpert(nullptr);
  FTimerPagePaletteChange->SetEnabled(false);
  // However the exchange ends, the dialog goes and the palette watch resumes;
  // an error still reaches the host's event dispatch.
  ScopeExit Guard([&] {
    delete Dialog;
    FTimerPagePaletteChange->SetEnabled(true);
    FMasterFromPalette = false;
  });

  // The group names go into the list as one text: a name never holds a
  // line break, since the import split the stored order at every one.
  TStrings* Groups = Dialog->LBoxPageGroup->Items();
  std::string Names;
  for (int i = 0; i < FPageGroup->PageCount() - 1; ++i) {
    Names += FPageGroup->Pages(i)->Caption();
    Names += "\r\n";
  }
  Groups->SetText(Names);
  Dialog->FrmInit_Create();
  const int Listed = std::min(Groups->Count(), static_cast<int>(FPageGroupPages.size()));
  for (int i = 0; i < Listed; ++i)
    Dialog->GroupPages(i)->SetText(FPageGroupPages[static_cast<std::size_t>(i)]);
  // Each page's uses, on the index of the master list the groups are
  // matched against, rather than by the dialog on an index of its own: as
  // the last matching counted them, when it counted these very groups on
  // this master list, else counted here.
  std::vector<NativeInt> Uses(static_cast<std::size_t>(FMasterIndex.Count()), 0);
  if (FMasterUses.size() == Uses.size() && FMasterUsesGroups == Listed) {
    std::copy(FMasterUses.begin(), FMasterUses.end(), Uses.begin());
  } else {
    for (int i = 0; i < Listed; ++i)
      FMasterIndex.FindLines(FPageGroupPages[static_cast<std::size_t>(i)],
                             [&Uses](int Found, const char*, const char*) {
                               if (Found >= 0)
                                 ++Uses[static_cast<std::size_t>(Found)];
                             });
  }
  Dialog->SetPalettePages(FMasterIndex.Text(), Uses);

  // The dialog's check-box rules run as the boxes change, so the options'
  // order into the dialog decides the dependent boxes; the keep box comes
  // last and has the last word.
  for (const TExpertOption* Option : ExpertOptionsInStep(&TExpertOption::ToDialogStep))
    Option->ToDialog(*Dialog, Option->Get(*this));

  if (Dialog->ShowModal() != mrOk)
    return;

  for (const TExpertOption* Option : ExpertOptionsInStep(&TExpertOption::FromDialogStep))
    Option->Set(*this, Option->FromDialog(*Dialog));
  FPageGroup->Perform(WM_SIZE, 0, 0);
  // The edited groups reach the group bar only through the registry: what
  // was written is read back. The options were applied above and written
  // from the expert: reading them back would set each to its own value.
  if (prvExportToReestrPageGroup(Groups))
    FGroupsActive = prvImportFromReestrPageGroup(TImportOptions::Keep);
  if (FGroupsActive)
    prvImportFromReestrPageGroupLastStep_FindUnGroupPagePallete();
}

void TORVExpert::prvEventsSet() {
  FPageGroup->SetOnResize(TNotifyEvent::Of<&TORVExpert::prvPageGroupReSize>(this));
  FPageGroup->SetOnChange(TNotifyEvent::Of<&TORVExpert::prvPageGroupChange>(this));

  FOldTabPaletteOnChange = FTabPalette->OnChange();
  FTabPalette->SetOnChange(TNotifyEvent::Of<&TORVExpert::prvEvenTabPaletteOnChange>(this));

  TCustomForm* MainForm = Application->MainForm();
  FOldOnActivate = MainForm->OnActivate();
  MainForm->SetOnActivate(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnActive>(this));
  FOldOnDeactivate = MainForm->OnDeactivate();
  MainForm->SetOnDeactivate(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnDeActive>(this));

  if (FPaletteMenu != nullptr) {
    FOldPaletteMenuOnPopup = FPaletteMenu->OnPopup();
    FPaletteMenu->SetOnPopup(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnPopupPalette>(this));
  }
}

void TORVExpert::prvEventsClear() {
  FTabPalette->SetOnChange(FOldTabPaletteOnChange);
  FTabPalette->SetMultiLine(false);
  FTabPalette->SetParentFont(true);
  TCustomForm* MainForm = Application->MainForm();
  MainForm->SetOnActivate(FOldOnActivate);
  MainForm->SetOnDeactivate(FOldOnDeactivate);
  if (FPaletteMenu != nullptr)
    FPaletteMenu->SetOnPopup(FOldPaletteMenuOnPopup);
}

void TORVExpert::prvEvenFrmOnShow(TObject* Sender) {
  TCustomForm* MainForm = Application->MainForm();
  if (Sender != nullptr) {
    MainForm->SetOnShow(FOldOnShow);
    if (FOldOnShow.Assigned())
      FOldOnShow(MainForm);
  }
  prvChangePalette();
  prvEventsSet();
  prvPageGroupReSize(nullptr);
  FGroupsActive = prvImportFromReestrPageGroup();
  if (FGroupsActive)
    prvImportFromReestrPageGroupLastStep_FindUnGroupPagePallete();
  else
    prvEvenTabPaletteOnChange(FTabPalette);
  FTimerPagePaletteChange->SetEnabled(true);
}

void TORVExpert::prvEvenFrmOnActive(TObject* Sender) {
  (void)Sender;
  FMasterFromPalette = false;
  if (FOldOnActivate.Assigned())
    FOldOnActivate(Application->MainForm());
  FTimerPageGroupSort->SetEnabled(false);
}

void TORVExpert::prvEvenFrmOnDeActive(TObject* Sender) {
  (void)Sender;
  FMasterFromPalette = false;
  if (FOldOnDeactivate.Assigned())
    FOldOnDeactivate(Application->MainForm());
  FTimerPageGroupSort->SetEnabled(FTimerRefreshPageGroup || FTimerRefreshPagePalette);
}

void TORVExpert::prvEvenFrmOnPopupPalette(TObject* Sender) {
  FMasterFromPalette = false;
  if (Sender == nullptr || !Is<TPopupMenu>(Sender))
    return;
  if (FOldPaletteMenuOnPopup.Assigned())
    FOldPaletteMenuOnPopup(Sender);
  FMenuItemPalette->SetChecked(FTimerRefreshPageGroup || FTimerRefreshPagePalette);
}

void TORVExpert::prvEvenFrmOnPopupMyMenu(TObject* Sender) {
  (void)Sender;
  Execute();
}
