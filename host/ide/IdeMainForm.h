#pragma once

// The main window of the simulated IDE: the menu bar with its Component
// menu, and the component palette (a tab control with its context menu) in
// the IDE's tool area. The IDE's own handlers on these objects count their
// calls and record what they saw, so that a test can tell which of them ran
// and what the palette's window showed them.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"

// Where the palette sits: in a panel that is a band of the IDE's control
// bar (the stock arrangement), or in a panel inside a plain panel.
enum class TPaletteLayout { ControlBar, Panel };

// What the palette's change handler saw through the palette's window when it
// last loaded a page.
struct TPaletteLoad {
  std::string Page;  // empty when no tab was selected
  int TabIndex = -1;
  int TabCount = 0;
  friend bool operator==(const TPaletteLoad&, const TPaletteLoad&) = default;
};

class EIdeError : public Exception {
  using Exception::Exception;
};

class TIdeMainForm : public TForm {
 public:
  // Pages are the palette's pages at start, in order; Components, the
  // components on some of them.
  TIdeMainForm(TComponent* AOwner, TPaletteLayout Layout, const std::vector<std::string>& Pages,
               const std::map<std::string, std::vector<std::string>>& Components = {});
  ~TIdeMainForm() override;

  TPaletteLayout Layout() const { return FLayout; }
  TTabControl* Palette() const { return FPalette; }
  // The panel that holds the palette in the IDE's own arrangement.
  TPanel* PaletteHome() const { return FPaletteHome; }
  TPopupMenu* PaletteMenu() const { return FPaletteMenu; }
  TMainMenu* MainMenu() const { return FMainMenu; }
  TMenuItem* ComponentMenu() const { return FComponentMenu; }

  // The IDE's own list of installed pages, which the palette's tabs copy.
  const std::vector<std::string>& Pages() const { return FPages; }
  // A package adding these pages is installed: new pages go at the end (a
  // page that exists already, compared without regard to case, stays where
  // it is), and the palette is rebuilt. Raises EIdeError, changing nothing,
  // for an empty page name.
  // Components lists, for some of these pages (or pages there are
  // already), the components the package adds to them, after those they
  // have.
  void InstallPages(const std::vector<std::string>& Added,
                    const std::map<std::string, std::vector<std::string>>& Components = {});
  // The components on a page, in the order the palette shows them (its
  // class names); none for a page that has none or does not exist.
  const std::vector<std::string>& Components(const std::string& Page) const;
  // A package providing these pages is removed and the palette rebuilt.
  // Raises EIdeError, changing nothing, when one of them is not installed.
  void UninstallPages(const std::vector<std::string>& Removed);

  // The palette's change handler: how often it loaded a page, and what it
  // saw the last time (nothing before the first load).
  int Loads() const { return FLoads; }
  const std::optional<TPaletteLoad>& LastLoad() const { return FLastLoad; }

  // Calls of the IDE's own handlers, by event: "mainForm.OnShow",
  // "mainForm.OnActivate", "mainForm.OnDeactivate", "paletteMenu.OnPopup",
  // and "palette.OnStartDock" ... "palette.OnEndDrag". Zero for others.
  int HostCalls(const std::string& Event) const;
  // WM_SIZE messages that reached the main form's window procedure.
  int SizeMessages() const { return FSizeMessages; }

  // Whether Obj is one of the IDE's own objects (the main form and what the
  // IDE built on it), as opposed to objects an add-in created.
  bool IsIdeObject(const TObject* Obj) const;

  // The IDE's own handlers, as they are installed at start; a test compares
  // an event with these to see that it holds the IDE's handler.
  TNotifyEvent IdePaletteChange() { return TNotifyEvent::Of<&TIdeMainForm::PaletteChange>(this); }
  TNotifyEvent IdeShow() { return TNotifyEvent::Of<&TIdeMainForm::FormShow>(this); }
  TNotifyEvent IdeActivate() { return TNotifyEvent::Of<&TIdeMainForm::FormActivate>(this); }
  TNotifyEvent IdeDeactivate() { return TNotifyEvent::Of<&TIdeMainForm::FormDeactivate>(this); }
  TNotifyEvent IdePaletteMenuPopup() {
    return TNotifyEvent::Of<&TIdeMainForm::PaletteMenuPopup>(this);
  }

 protected:
  void WMSize(TMessage& Message) override;

 private:
  void BuildMenus();
  void BuildPaletteArea();
  void InstallHandlers();
  void RewritePalette(const std::vector<std::string>& NewPages);
  void Count(const char* Event) { ++FHostCalls[Event]; }
  template <class T>
  T* Own(T* Obj) {
    FIdeObjects.insert(Obj);
    return Obj;
  }

  void PaletteChange(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void PaletteMenuPopup(TObject* Sender);
  void PaletteStartDock(TObject* Sender, TDragDockObject*& DragObject);
  void PaletteStartDrag(TObject* Sender, TDragObject*& DragObject);
  void PaletteDragDrop(TObject* Sender, TObject* Source, int X, int Y);
  void PaletteDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                       bool& Accept);
  void PaletteDockDrop(TObject* Sender, TDragDockObject* Source, int X, int Y);
  void PaletteDockOver(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State,
                       bool& Accept);
  void PaletteUnDock(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow);
  void PaletteEndDock(TObject* Sender, TObject* Target, int X, int Y);
  void PaletteEndDrag(TObject* Sender, TObject* Target, int X, int Y);

  TPaletteLayout FLayout;
  std::vector<std::string> FPages;
  // Keyed by the page's name in capitals, as pages are compared.
  std::map<std::string, std::vector<std::string>> FComponents;
  TMainMenu* FMainMenu = nullptr;
  TMenuItem* FComponentMenu = nullptr;
  TPopupMenu* FPaletteMenu = nullptr;
  TPanel* FPaletteHome = nullptr;
  TTabControl* FPalette = nullptr;
  int FLoads = 0;
  std::optional<TPaletteLoad> FLastLoad;
  std::map<std::string, int> FHostCalls;
  int FSizeMessages = 0;
  std::set<const TObject*> FIdeObjects;
};
