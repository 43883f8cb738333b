#pragma once

// The expert: it takes the IDE's component palette into a group bar of its
// own, shows one group of pages at a time, translates the user's page choice
// back into the full palette for the IDE, keeps the groups and options in the
// registry, and gives everything back when the IDE unloads the package.
//
// Glossary. The add-in's own names are kept as they were given; the rest of
// the code, the probe (TORVExpertProbe), the simulator's dump and the tests
// call the same things by these words:
//
//   FTabPalette        the palette: the IDE's "TabControl", which shows one
//                      group's pages while grouping is in force
//                      (probe Palette(), dump "paletteParent")
//   FTabPaletteAll     the master list: a hidden tab control holding every
//                      page as the IDE last published them (probe Master(),
//                      dump "master"); FMasterIndex looks its names up
//   FPageGroup         the group bar: the page control in the palette's old
//                      place, one sheet per group (probe GroupBar(), dump
//                      "groupBar")
//   UngroupedTabCaption, "НетГруппы"
//                      the ungrouped tab: the group bar's last sheet, which
//                      gathers the pages of no group
//   FPageGroupPages    the group texts: one page list per sheet, the pages
//                      one a line (probe PageGroupPages())
//   FPagesShown        the shown list: what the filter last put into the
//                      palette
//   FGroupsActive      grouping in force
//   FTimerPagePaletteChange
//                      the palette watch (probe PaletteChangeTimer(), dump
//                      "timers/paletteChange")
//   FTimerPageGroupSort
//                      the sort timer (probe GroupSortTimer(), dump
//                      "timers/groupSort")
//   FTimerRefreshPageGroup, FTimerRefreshPagePalette
//                      the two refresh options: return to the first group,
//                      return to the first page
//   FKeepSelectPageGroup, FLastPageGroup
//                      the keep option and the remembered group
//   options            one row each in ExpertOptions.h, called by their
//                      value names in the store ("PageGroupKeep", ...),
//                      which are also the dump's and the probe's names
//   Reestr             the registry; prvImportFromReestrPageGroup is the
//                      import, prvExportToReestrPageGroup the export, and
//                      prvImportFromReestrPageGroupLastStep_FindUnGroupPagePallete
//                      the discovery (groups matched with the master list,
//                      the ungrouped tab filled); all three are the store
//   prvPageGroupChange the filter: the palette gets the active group's pages
//   prvEvenTabPaletteOnChange
//                      the page choice, handed to the IDE in terms of the
//                      master list
//   prvSetOnePageGroup grouping off: the group bar reduced to the ungrouped
//                      tab
//   prvPageGroupReSize the sizing of the group bar
//   prvEven..., prvTimer...
//                      the expert's handlers of IDE events ("Even" is
//                      event) and its timer ticks
//   Execute            the settings command, with its quick switches
//   TFrmMainORVExpert  the settings dialog (dialog/uORVFrmMain.h): BitBtn2
//                      is OK, BitBtn1 Close (cancel); LBoxPageGroup the
//                      group list, LBoxPagePalettePerPageGroup the group's
//                      pages (the middle list), LBoxPagePalette the palette
//                      pages; TSMain the options page, TSGroupPage the group
//                      editor
//   RusToRus           the name filter: group names keep only the
//                      Windows-1251 letters А to я

#include <cstdint>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "Controls.h"
#include "Exptintf.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "NameIndex.h"

class TORVExpert : public TIExpert {
 public:
  TORVExpert();
  ~TORVExpert() override;

  std::string GetName() override;
  std::string GetAuthor() override;
  std::string GetComment() override;
  std::string GetPage() override;
  HICON GetGlyph() override;
  TExpertStyle GetStyle() override;
  TExpertState GetState() override;
  std::string GetIDString() override;
  std::string GetMenuText() override;
  void Execute() override;

 private:
  friend class TORVExpertProbe;
  friend struct TExpertOptionTable;

  // Store (the registry key of the add-in). The import reads the groups and
  // applies the options; after settings OK the expert holds the options it
  // has just written, and the import reads the groups alone.
  enum class TImportOptions { Apply, Keep };
  bool prvImportFromReestrPageGroup(TImportOptions Options = TImportOptions::Apply);
  bool prvExportToReestrPageGroup(TStrings* Groups);
  void prvImportFromReestrPageGroupLastStep_FindUnGroupPagePallete();
  void prvMatchGroupsWithMaster();
  void prvSetGroupSheets(TStrings* Names);

  // Group switching and palette filtering.
  void prvPageGroupChange(TObject* Sender);
  void prvSetOnePageGroup();
  bool prvPageGroupFindFirstShowing();
  void prvChangePalette();
  void prvEvenTabPaletteOnChange(TObject* Sender);
  void prvPassPageChoice(TObject* Sender, bool IdeList, int Selected);

  // Keeping the master list the IDE's own. The IDE publishes its pages by
  // rewriting the palette's tabs; the expert's own fills carry a mark.
  bool prvPaletteHoldsIdeList();
  void prvPagesShown(const std::string& Text);
  void prvFillPalette(const std::string& Text);
  void prvPaletteFilled(const std::string& Text);
  bool prvTakeIdePalette();

  // Timers and sizing.
  void prvTimerPagePaletteChange(TObject* Sender);
  void prvTimerPageGroupSort(TObject* Sender);
  void prvPageGroupReSize(TObject* Sender);

  // IDE event hooks.
  void prvEventsSet();
  void prvEventsClear();
  void prvEvenFrmOnShow(TObject* Sender);
  void prvEvenFrmOnActive(TObject* Sender);
  void prvEvenFrmOnDeActive(TObject* Sender);
  void prvEvenFrmOnPopupPalette(TObject* Sender);
  void prvEvenFrmOnPopupMyMenu(TObject* Sender);

  // Group tab drawing.
  void prvEvenTabDraw_DrawTab(TCustomTabControl* Control, int TabIndex, const TRect& Rect,
                              bool Active);
  void prvEvenTabDraw_Default(int TabIndex, const TRect& Rect, bool Active);
  void prvEvenTabDraw_Shadow(int TabIndex, const TRect& Rect, bool Active);

  // The construction and destruction steps; a failed construction runs the
  // destruction on what it built.
  void prvCreate();
  void prvCreateMenuItems(TCustomForm* MainForm);
  void prvTakePalette(TCustomForm* MainForm);
  void prvCreateGroupBar(TCustomForm* MainForm);
  void prvCreateTimers(TCustomForm* MainForm);
  void prvDestroy();
  void prvGivePaletteHeight();
  bool prvHooksSet();

  TTabControl* FTabPalette = nullptr;
  TTabControl* FTabPaletteAll = nullptr;
  // The master list's names, looked up by the filter, the discovery and the
  // page choice; built again whenever prvChangePalette changes the list.
  NameIndex FMasterIndex;
  // True from the moment prvChangePalette copied the palette into the master
  // list until the expert fills the palette or lets the IDE's code run: the
  // palette then still holds the master list's names.
  bool FMasterFromPalette = false;
  TPopupMenu* FPaletteMenu = nullptr;
  TMenuItem* FMenuItemPalette = nullptr;
  TMenuItem* FMenuItemComponent = nullptr;
  TPageControl* FPageGroup = nullptr;
  TTimer* FTimerPageGroupSort = nullptr;
  TTimer* FTimerPagePaletteChange = nullptr;
  TStringList* FPagesShown = nullptr;
  std::vector<std::string> FPageGroupPages;
  // How many entries of the first FMasterUsesGroups group texts name each
  // master list entry, counted by the matching for the settings dialog.
  // Empty while the master list or the group texts have changed since.
  std::vector<std::uint32_t> FMasterUses;
  int FMasterUsesGroups = 0;
  Integer FPageGroupHeight = 0;
  bool FTimerRefreshPageGroup = false;
  bool FTimerRefreshPagePalette = false;
  bool FPaletteChanging = false;
  bool FGroupsActive = false;
  bool FDrawTabShadow = false;
  bool FKeepSelectPageGroup = false;
  std::string FLastPageGroup;
  TNotifyEvent FOldOnActivate;
  TNotifyEvent FOldOnDeactivate;
  TNotifyEvent FOldOnShow;
  TNotifyEvent FOldTabPaletteOnChange;
  TNotifyEvent FOldPaletteMenuOnPopup;
  TStartDockEvent FOldOnStartDock;
  TStartDragEvent FOldOnStartDrag;
  TDragDropEvent FOldOnDragDrop;
  TDragOverEvent FOldOnDragOver;
  TDockDropEvent FOldOnDockDrop;
  TDockOverEvent FOldOnDockOver;
  TUnDockEvent FOldOnUnDock;
  TEndDragEvent FOldOnEndDock;
  TEndDragEvent FOldOnEndDrag;
};

// The group bar's font colour until the options say otherwise: the host's
// hot-light system colour where the host has one, a dark red (RGB 26, 0, 0)
// in Delphi 5, which has none.
#if TABULON_HOST >= 6
constexpr TColor DefaultGroupFontColor = clHotLight;
#else
constexpr TColor DefaultGroupFontColor = 26;
#endif

// The caption of the group bar's last tab, which gathers the pages of no
// group: "НетГруппы" in Windows-1251.
extern const char* const UngroupedTabCaption;
