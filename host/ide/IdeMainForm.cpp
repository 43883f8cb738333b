#include "IdeMainForm.h"

#include "PaletteButtons.h"
#include "ScopeExit.h"

namespace {

// The IDE's main window: a wide, low strip at the top of the screen.
constexpr int kMainFormWidth = 1024;
constexpr int kMainFormHeight = 150;
// The palette panel holds one row of tabs above the component buttons.
constexpr int kPaletteHeight = 48;
// A control-bar band sits inside the bar's frame, after its grabber.
constexpr int kBarFrame = 2;
constexpr int kBandGrabber = 11;

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const std::string& Caption) {
  auto* Item = new TMenuItem(Owner);
  Item->SetCaption(Caption);
  Parent->Add(Item);
  return Item;
}

int IndexOfText(const std::vector<std::string>& List, const std::string& S) {
  for (std::size_t i = 0; i < List.size(); ++i)
    if (AnsiSameText(List[i], S))
      return static_cast<int>(i);
  return -1;
}

}  // namespace

TIdeMainForm::TIdeMainForm(TComponent* AOwner, TPaletteLayout Layout,
                           const std::vector<std::string>& Pages,
                           const std::map<std::string, std::vector<std::string>>& Components)
    : TForm(AOwner), FLayout(Layout) {
  for (const auto& [Page, List] : Components)
    FComponents[AnsiUpperCase(Page)] = List;
  FIdeObjects.insert(this);
  SetName("AppBuilder");
  SetCaption("Delphi " + IntToStr(HostVersion) + " - Project1");
  // The IDE's font, which the panels and the palette take over.
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  SetBounds(0, 0, kMainFormWidth, kMainFormHeight);
  BuildMenus();
  BuildPaletteArea();
  RewritePalette(Pages);
  InstallHandlers();
}

TIdeMainForm::~TIdeMainForm() {
  Destroying();
  BeforeDestruction();
}

void TIdeMainForm::BuildMenus() {
  FMainMenu = Own(new TMainMenu(this));
  FMainMenu->SetName("MainMenu1");
  for (const char* Caption : {"File", "Edit", "Search", "View", "Project", "Run"})
    Own(AddItem(this, FMainMenu->Items(), Caption));
  FComponentMenu = Own(AddItem(this, FMainMenu->Items(), "Component"));
  FComponentMenu->SetName("ComponentMenu");
  for (const char* Caption :
       {"New Component...", "Install Component...", "Import ActiveX Control...",
        "Create Component Template...", "Install Packages...", "Configure Palette..."})
    Own(AddItem(this, FComponentMenu, Caption));
  for (const char* Caption : {"Database", "Tools", "Window", "Help"})
    Own(AddItem(this, FMainMenu->Items(), Caption));
  // The main window shows the menu bar.
  SetMenu(FMainMenu);

  FPaletteMenu = Own(new TPopupMenu(this));
  FPaletteMenu->SetName("PaletteMenu");
  Own(AddItem(this, FPaletteMenu->Items(), "Properties"));
  Own(AddItem(this, FPaletteMenu->Items(), "Show Hints"))->SetChecked(true);
  Own(AddItem(this, FPaletteMenu->Items(), "Hide"));
  Own(AddItem(this, FPaletteMenu->Items(), "Help"));
}

void TIdeMainForm::BuildPaletteArea() {
  TWinControl* Container;
  FPaletteHome = Own(new TPanel(this));
  FPaletteHome->SetName("PalettePanel");
  FPaletteHome->SetBevelOuter(bvNone);
  if (FLayout == TPaletteLayout::ControlBar) {
    auto* Bar = Own(new TControlBar(this));
    Bar->SetName("ControlBar1");
    Bar->SetAlign(alTop);
    Bar->SetAutoSize(true);
    Bar->SetParent(this);
    Container = Bar;
    // A band keeps its own width; the palette band fills the rest of the bar.
    FPaletteHome->SetBounds(0, 0, kMainFormWidth - 2 * kBarFrame - kBandGrabber, kPaletteHeight);
  } else {
    auto* Dock = Own(new TPanel(this));
    Dock->SetName("PaletteDock");
    Dock->SetBevelOuter(bvNone);
    Dock->SetAlign(alTop);
    Dock->SetHeight(kPaletteHeight);
    Dock->SetParent(this);
    Container = Dock;
    FPaletteHome->SetAlign(alClient);
  }
  FPaletteHome->SetParent(Container);

  // The palette shows the components of the page the IDE loaded last
  // (before the first load, of the page its tabs show).
  FPalette = Own(new TIdePalette(this, [this] {
    std::string Page;
    if (FLastLoad)
      Page = FLastLoad->Page;
    else if (const int Index = FPalette->TabIndex(); Index >= 0)
      Page = FPalette->Tabs()->Strings(Index);
    return Components(Page);
  }));
  FPalette->SetName("TabControl");
  FPalette->SetAlign(alClient);
  FPalette->SetParent(FPaletteHome);
  // A right-click on the palette opens the palette menu, and the keys
  // pressed in the palette reach its items' shortcuts.
  FPalette->SetPopupMenu(FPaletteMenu);
}

void TIdeMainForm::InstallHandlers() {
  SetOnShow(IdeShow());
  SetOnActivate(IdeActivate());
  SetOnDeactivate(IdeDeactivate());
  FPaletteMenu->SetOnPopup(IdePaletteMenuPopup());
  FPalette->SetOnChange(IdePaletteChange());
  FPalette->SetOnStartDock(TStartDockEvent::Of<&TIdeMainForm::PaletteStartDock>(this));
  FPalette->SetOnStartDrag(TStartDragEvent::Of<&TIdeMainForm::PaletteStartDrag>(this));
  FPalette->SetOnDragDrop(TDragDropEvent::Of<&TIdeMainForm::PaletteDragDrop>(this));
  FPalette->SetOnDragOver(TDragOverEvent::Of<&TIdeMainForm::PaletteDragOver>(this));
  FPalette->SetOnDockDrop(TDockDropEvent::Of<&TIdeMainForm::PaletteDockDrop>(this));
  FPalette->SetOnDockOver(TDockOverEvent::Of<&TIdeMainForm::PaletteDockOver>(this));
  FPalette->SetOnUnDock(TUnDockEvent::Of<&TIdeMainForm::PaletteUnDock>(this));
  FPalette->SetOnEndDock(TEndDragEvent::Of<&TIdeMainForm::PaletteEndDock>(this));
  FPalette->SetOnEndDrag(TEndDragEvent::Of<&TIdeMainForm::PaletteEndDrag>(this));
}

void TIdeMainForm::InstallPages(const std::vector<std::string>& Added,
                                const std::map<std::string, std::vector<std::string>>& Components) {
  std::vector<std::string> NewPages = FPages;
  for (const std::string& Page : Added) {
    if (Page.empty())
      throw EIdeError("A palette page needs a name");
    if (IndexOfText(NewPages, Page) < 0)
      NewPages.push_back(Page);
  }
  for (const auto& [Page, List] : Components) {
    if (IndexOfText(NewPages, Page) < 0)
      throw EIdeError("There is no palette page '" + Page + "' to add components to");
    std::vector<std::string>& On = FComponents[AnsiUpperCase(Page)];
    On.insert(On.end(), List.begin(), List.end());
  }
  RewritePalette(NewPages);
}

const std::vector<std::string>& TIdeMainForm::Components(const std::string& Page) const {
  static const std::vector<std::string> None;
  auto It = FComponents.find(AnsiUpperCase(Page));
  return It == FComponents.end() ? None : It->second;
}

void TIdeMainForm::UninstallPages(const std::vector<std::string>& Removed) {
  std::vector<std::string> NewPages = FPages;
  for (const std::string& Page : Removed) {
    const int Index = IndexOfText(NewPages, Page);
    if (Index < 0) {
      if (IndexOfText(FPages, Page) < 0)
        throw EIdeError("There is no palette page '" + Page + "'");
      continue;  // named twice in the same request
    }
    NewPages.erase(NewPages.begin() + Index);
  }
  for (const std::string& Page : Removed)
    FComponents.erase(AnsiUpperCase(Page));
  RewritePalette(NewPages);
}

void TIdeMainForm::RewritePalette(const std::vector<std::string>& NewPages) {
  // The page the user had in front of him, as the palette shows it now.
  TStrings* Tabs = FPalette->Tabs();
  std::string Before;
  const int OldIndex = FPalette->TabIndex();
  if (OldIndex >= 0 && OldIndex < Tabs->Count())
    Before = Tabs->Strings(OldIndex);

  FPages = NewPages;
  {
    Tabs->BeginUpdate();
    ScopeExit EndUpdate([Tabs] { Tabs->EndUpdate(); });
    Tabs->Clear();
    for (const std::string& Page : FPages)
      Tabs->Add(Page);
  }
  int Index = Before.empty() ? -1 : IndexOfText(FPages, Before);
  if (Index < 0 && !FPages.empty())
    Index = 0;
  FPalette->SetTabIndex(Index);
  // The rebuilt palette loads its page through whatever handler is
  // installed now; at construction that is none yet.
  const TNotifyEvent Handler = FPalette->OnChange();
  if (Handler.Assigned())
    Handler(FPalette);
}

int TIdeMainForm::HostCalls(const std::string& Event) const {
  auto It = FHostCalls.find(Event);
  return It == FHostCalls.end() ? 0 : It->second;
}

bool TIdeMainForm::IsIdeObject(const TObject* Obj) const {
  return Obj != nullptr && FIdeObjects.count(Obj) != 0;
}

void TIdeMainForm::WMSize(TMessage& Message) {
  ++FSizeMessages;
  TForm::WMSize(Message);
}

void TIdeMainForm::PaletteChange(TObject* Sender) {
  (void)Sender;
  // Every question goes to the palette control, and so through whatever
  // window its handle field holds at this moment.
  TPaletteLoad Load;
  Load.TabCount = FPalette->Tabs()->Count();
  Load.TabIndex = FPalette->TabIndex();
  if (Load.TabIndex >= 0 && Load.TabIndex < Load.TabCount)
    Load.Page = FPalette->Tabs()->Strings(Load.TabIndex);
  FLastLoad = Load;
  ++FLoads;
  // The buttons of the page loaded show.
  FPalette->Invalidate();
}

// The handlers below only count their event; each is a method of its own,
// so that an event holds the IDE's handler exactly when it holds that one.
void TIdeMainForm::FormShow(TObject*) {
  Count("mainForm.OnShow");
}

void TIdeMainForm::FormActivate(TObject*) {
  Count("mainForm.OnActivate");
}

void TIdeMainForm::FormDeactivate(TObject*) {
  Count("mainForm.OnDeactivate");
}

void TIdeMainForm::PaletteMenuPopup(TObject*) {
  Count("paletteMenu.OnPopup");
}

void TIdeMainForm::PaletteStartDock(TObject*, TDragDockObject*&) {
  Count("palette.OnStartDock");
}

void TIdeMainForm::PaletteStartDrag(TObject*, TDragObject*&) {
  Count("palette.OnStartDrag");
}

void TIdeMainForm::PaletteDragDrop(TObject*, TObject*, int, int) {
  Count("palette.OnDragDrop");
}

// The palette takes no drops of its own.
void TIdeMainForm::PaletteDragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) {
  Accept = false;
  Count("palette.OnDragOver");
}

void TIdeMainForm::PaletteDockDrop(TObject*, TDragDockObject*, int, int) {
  Count("palette.OnDockDrop");
}

void TIdeMainForm::PaletteDockOver(TObject*, TDragDockObject*, int, int, TDragState, bool& Accept) {
  Accept = false;
  Count("palette.OnDockOver");
}

void TIdeMainForm::PaletteUnDock(TObject*, TControl*, TWinControl*, bool&) {
  Count("palette.OnUnDock");
}

void TIdeMainForm::PaletteEndDock(TObject*, TObject*, int, int) {
  Count("palette.OnEndDock");
}

void TIdeMainForm::PaletteEndDrag(TObject*, TObject*, int, int) {
  Count("palette.OnEndDrag");
}
