#pragma once

// The settings dialog: the options page (TSMain) and the group editor
// (TSGroupPage). It edits what its caller put into its controls and applies
// and stores nothing itself; the caller reads the controls back after OK.
// The unit also provides the name filter that group names pass through, both
// when a user types them and when the group order is read back from the
// registry.

#include <string>
#include <vector>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "StdCtrls.h"
#include "uORVExpert_CORVSpin.h"
#if TABULON_HOST >= 6
#include "ColorBox.h"
#else
#include "ExtCtrlsForD5.h"
#endif

// Keeps exactly the bytes CR, LF, 0x1F and the Windows-1251 letters 0xC0 to
// 0xFF (А to я); drops everything else, Ё and ё included. The three line
// bytes are for the stored group order; the group editor drops them from a
// name the user types, which is one line.
std::string RusToRus(const std::string& S);

struct TFormLayoutRow;

class TFrmMainORVExpert : public TForm {
 public:
  // Builds the form from its layout table, then runs FormCreate.
  explicit TFrmMainORVExpert(TComponent* AOwner);
  ~TFrmMainORVExpert() override;

  // The controls, as the form resource names them.
  TLabel* Label1 = nullptr;
  TLabel* lblGP = nullptr;
  TLabel* LabelUrl = nullptr;
  TPanel* PnlBottom = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TPanel* PnlClient = nullptr;
  TPageControl* PageControlMain = nullptr;
  TTabSheet* TSMain = nullptr;
  TGroupBox* GroupBoxTimerPageGroup = nullptr;
  TImage* Image4 = nullptr;
  TLabel* lblTimer_Update = nullptr;
  TLabel* Lbl_UpdateMS = nullptr;
  TCheckBox* CheckBoxTimerKeepSelectPageGroup = nullptr;
  TCheckBox* CheckBoxTimerRefreshPageGroup = nullptr;
  TCheckBox* CheckBoxTimerRefreshPagePalette = nullptr;
  TLabel* Lbl_PeriodSortGroup = nullptr;
  TLabel* Lbl_PeriodMS = nullptr;
  TGroupBox* GroupBoxDrawGroupPage = nullptr;
  TImage* Image1 = nullptr;
  TCheckBox* CheckBoxDrawGroupPage_WidthFull = nullptr;
  TCheckBox* CheckBoxDrawGroupPage = nullptr;
  TCheckBox* CheckBoxDrawGroupPageShadow = nullptr;
  TLabel* lblDrawFont = nullptr;
  TColorBox* ColorBoxPageGroup = nullptr;
  TGroupBox* GroupBoxMultilinePages = nullptr;
  TImage* Image3 = nullptr;
  TCheckBox* CheckBoxMultilinePagesGroup = nullptr;
  TCheckBox* CheckBoxMultilinePalette = nullptr;
  TTabSheet* TSGroupPage = nullptr;
  TLabel* lblGP_0 = nullptr;
  TLabel* lblGP_1 = nullptr;
  TLabel* lblGP_2 = nullptr;
  TListBox* LBoxPageGroup = nullptr;
  TButton* BtnAdd = nullptr;
  TButton* BtnDelete = nullptr;
  TButton* BtnRename = nullptr;
  TButton* BtnMoveUp = nullptr;
  TButton* BtnMoveDown = nullptr;
  TListBox* LBoxPagePalettePerPageGroup = nullptr;
  TButton* BtnMoveToLeftOne = nullptr;
  TButton* BtnMoveToRightOne = nullptr;
  TListBox* LBoxPagePalette = nullptr;
  TButton* BtnMoveToLeftAll = nullptr;
  TButton* BtnMoveToRightAll = nullptr;
  TImageList* ImageList1 = nullptr;

  // Form events.
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);

  // Options page.
  void CheckBoxTimerRefreshPageGroupClick(TObject* Sender);
  void CheckBoxTimerKeepSelectPageGroupClick(TObject* Sender);
  void CheckBoxDrawGroupPageClick(TObject* Sender);
  void LabelUrlClick(TObject* Sender);

  // Group editor.
  void LBoxPageGroupClick(TObject* Sender);
  void LBoxPageGroupEnter(TObject* Sender);
  void LBoxPagePalettePerPageGroupEnter(TObject* Sender);
  void BtnAddClick(TObject* Sender);
  void BtnDeleteClick(TObject* Sender);
  void BtnRenameClick(TObject* Sender);
  void BtnMoveUpClick(TObject* Sender);
  void BtnMoveDownClick(TObject* Sender);
  void BtnMoveToLeftOneClick(TObject* Sender);
  void BtnMoveToRightOneClick(TObject* Sender);
  void BtnMoveToLeftAllClick(TObject* Sender);
  void BtnMoveToRightAllClick(TObject* Sender);
  void LBoxPagePalettePerPageGroupDrawItem(TWinControl* Control, int Index, const TRect& Rect,
                                           TOwnerDrawState State);
  void LBoxPagePaletteDrawItem(TWinControl* Control, int Index, const TRect& Rect,
                               TOwnerDrawState State);

  // Gives every item of LBoxPageGroup a new, empty page list.
  void FrmInit_Create();

  // The options, one control each. The two intervals are 32-bit values in a
  // 64-bit spin edit: in sign-extended, out held between 0 and the largest
  // interval a timer holds (2147483647 ms), never cut to their low 32 bits.
  Integer GetFrmGetTimerInstallRefresh() const;
  void SetFrmGetTimerInstallRefresh(Integer Value);
  Integer GetFrmGetTimerRefreshPagesInterval() const;
  void SetFrmGetTimerRefreshPagesInterval(Integer Value);
  bool GetFrmGetTimerRefreshGroupPage() const;
  void SetFrmGetTimerRefreshGroupPage(bool Value);
  bool GetFrmTimerRefreshPagePalette() const;
  void SetFrmTimerRefreshPagePalette(bool Value);
  bool GetFrmPageGroup_OwnerDraw() const;
  void SetFrmPageGroup_OwnerDraw(bool Value);
  bool GetFrmPageGroup_DrawTabShadow() const;
  void SetFrmPageGroup_DrawTabShadow(bool Value);
  TColor GetFrmColorPageGroup() const;
  void SetFrmColorPageGroup(TColor Value);
  bool GetFrmMultilinePageGroup() const;
  void SetFrmMultilinePageGroup(bool Value);
  bool GetFrmPagePalette_Multiline() const;
  void SetFrmPagePalette_Multiline(bool Value);
  bool GetFrmPageGroup_WidthFull() const;
  void SetFrmPageGroup_WidthFull(bool Value);
  // An option that has no accessor pair: the check box that the layout
  // binds to the option's value name.
  bool GetFrmOption(const char* Name) const;
  void SetFrmOption(const char* Name, bool Value);

  // The page list attached to group Index of LBoxPageGroup.
  TStringList* GroupPages(int Index) const;
  // Fills LBoxPagePalette with the pages of Text, one a line, and sorts it.
  // Uses[i] is how many entries of the groups' page lists name the i-th
  // line's page (the first of the names equal but for letter case): a caller
  // that has matched the groups against the pages already hands the counts
  // over, and FormShow keeps them instead of counting again. Counts that do
  // not fit the lines are dropped, and FormShow counts.
  void SetPalettePages(const std::string& Text, const std::vector<NativeInt>& Uses);
  // The move target of the up and down buttons: 0 groups, 1 pages.
  int MoveTarget() const { return static_cast<int>(BtnMoveUp->Tag()); }

 private:
  TORVExpert_CORVSpin* SpinTimerInstallRefresh = nullptr;
  TORVExpert_CORVSpin* SpinTimerRefreshPagesInterval = nullptr;

  // The form reader: the form's own properties, every component of the
  // layout, then the fields bound to the components by name.
  void BuildFromLayout();
  void SetFormProperties(const TFormLayoutRow& FormRow);
  void BindControls();
  TCheckBox* OptionBox(const char* Name) const;
  // Replaces the selected group's page list by the middle list.
  void WriteBack();
  // Sets every palette item's object to its page's usage count.
  void CountUsage();
  bool FUsageCounted = false;
  int UsageCount(int PaletteIndex) const;
  void AddUsage(int PaletteIndex, int Delta);
  void DrawListItem(TListBox* List, int ImageIndex, int Index, const TRect& Rect);
};
