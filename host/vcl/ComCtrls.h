#pragma once

// Delphi's ComCtrls unit: the tab control and the page control. A tab
// control keeps its tabs and selection in its window, and Tabs and TabIndex
// read and write them through the handle, exactly as the VCL does; so a
// control whose handle field holds another control's window answers every
// question from that window. A user's click on a tab reaches the control as
// the window's TCN_SELCHANGING and TCN_SELCHANGE (reflected as CN_NOTIFY):
// the control asks OnChanging, and raises OnChange once the tab is chosen.

#include <memory>
#include <string>
#include <vector>

#include "CommCtrl.h"
#include "Controls.h"
#include "WSComCtrls.h"

class TCustomImageList;
class TCustomTabControl;
class TTabSheet;

using TDrawTabEvent = TEvent<TCustomTabControl*, int, const TRect&, bool>;
using TTabChangingEvent = TEvent<TObject*, bool&>;

class TCustomTabControl : public TWinControl {
 public:
  explicit TCustomTabControl(TComponent* AOwner);
  ~TCustomTabControl() override;

  TStrings* Tabs() const { return FTabs.get(); }
  int TabIndex();
  // Selecting from code raises no change event.
  void SetTabIndex(int Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  int RowCount();
  TRect DisplayRect();
  TRect TabRect(int Index);
  // The first tab in view of a single-line row that overflows: where the
  // arrows or the selection scrolled it; 0 for a row that is not scrolled
  // or a control without a window. Not the VCL's: what the simulator shows.
  int FirstTabInView();
  TCanvas* Canvas() const { return FCanvas.get(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  virtual int GetImageIndex(int TabIndex);
  TBrush* Brush() const { return FBrush.get(); }

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TTabChangingEvent OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTabChangingEvent Value) { FOnChanging = Value; }
  TDrawTabEvent OnDrawTab() const { return FOnDrawTab; }
  void SetOnDrawTab(TDrawTabEvent Value) { FOnDrawTab = Value; }

  TRect ClientRect() const override { return TWinControl::ClientRect(); }
  void WndProc(TMessage& Message) override;

 protected:
  const TWSWinControl& WidgetSetClass() const override { return WSCustomTabControl(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void AdjustClientRect(TRect& Rect) override;
  void FontChanged() override;
  virtual bool CanChange();
  virtual void Change();
  virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);

 private:
  // The window's own notifications and owner-drawn tabs, reflected by the
  // parent.
  void CNNotify(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  std::unique_ptr<TStrings> FTabs;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TBrush> FBrush;
  bool FMultiLine = false;
  bool FOwnerDraw = false;
  TCustomImageList* FImages = nullptr;
  // The tabs and selection kept while the control has no window.
  std::unique_ptr<TStringList> FSaveTabs;
  int FSaveTabIndex = -1;
  TNotifyEvent FOnChange;
  TTabChangingEvent FOnChanging;
  TDrawTabEvent FOnDrawTab;
};

class TTabControl : public TCustomTabControl {
 public:
  explicit TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}
  ~TTabControl() override;
};

class TPageControl : public TCustomTabControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Page);
  // Counts every sheet, hidden tabs included; -1 when no page is active.
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  int GetImageIndex(int TabIndex) override;

 protected:
  void Change() override;

 private:
  friend class TTabSheet;
  // FindNextPage from the sheet at index Current (-1: none).
  TTabSheet* FindNextPage(int Current, bool GoForward, bool CheckTabVisible) const;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void InsertTab(TTabSheet* Page);
  void DeleteTab(TTabSheet* Page, int Index);
  void MoveTab(int CurIndex, int NewIndex);
  void ChangeActivePage(TTabSheet* Page);
  void UpdateActivePage();
  // The sheet whose tab is at Index; nullptr for none.
  TTabSheet* SheetOfTab(int Index) const;
  // The sheets whose tabs show, in tab order; each one's FTabPosition is its
  // place here. Every tab index and image of a sheet is looked up here, as a
  // bar with thousands of sheets would otherwise walk them all for each.
  const std::vector<TTabSheet*>& ShowingPages() const;
  // After Page's tab was shown or hidden: kept when it is the last sheet
  // (how sheets come and go in turn), worked out afresh otherwise.
  void TabShowingChanged(TTabSheet* Page);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  mutable std::vector<TTabSheet*> FShowing;
  mutable bool FShowingValid = true;
};

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* APageControl);
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The index of the sheet's tab among the visible tabs; -1 when hidden.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }

 protected:
  void TextChanged() override;

 private:
  friend class TPageControl;
  void SetTabShowing(bool Value);
  void UpdateTabShowing();

  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  bool FTabShowing = false;
  int FTabPosition = -1;  // see TPageControl::ShowingPages
  int FImageIndex = 0;
};
