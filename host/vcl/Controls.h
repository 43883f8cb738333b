#pragma once

// Delphi's Controls unit: TControl and TWinControl with Parent, alignment,
// constraints, fonts, messages, focus and the paint model of the substitute.

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "WSControls.h"
#include "Windows.h"
#include "WindowsMenus.h"

class TWinControl;
class TCustomForm;
class TDragObject;
class TDragDockObject;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TControlStateFlag { csLButtonDown, csClicked, csPalette, csFocusing, csCreating };
using TControlState = TSet<TControlStateFlag>;

enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TKeyPressEvent = TEvent<TObject*, char&>;
using TStartDockEvent = TEvent<TObject*, TDragDockObject*&>;
using TStartDragEvent = TEvent<TObject*, TDragObject*&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TDockDropEvent = TEvent<TObject*, TDragDockObject*, int, int>;
using TDockOverEvent = TEvent<TObject*, TDragDockObject*, int, int, TDragState, bool&>;
using TUnDockEvent = TEvent<TObject*, class TControl*, TWinControl*, bool&>;
using TEndDragEvent = TEvent<TObject*, TObject*, int, int>;
using TWndMethod = TEvent<TMessage&>;

class TDragObject : public TObject {};
class TDragDockObject : public TDragObject {};

class TControl;

class TSizeConstraints : public TPersistent {
 public:
  explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value);
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);

 private:
  void Change();
  TControl* FControl;
  int FMinHeight = 0, FMaxHeight = 0, FMinWidth = 0, FMaxWidth = 0;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The control as a windowed control, nullptr for a graphic one: the
  // message loop's paint walk asks every showing control, and a
  // dynamic_cast on each was most of an idle tick.
  virtual TWinControl* AsWinControl() { return nullptr; }
  // The control as a form, nullptr for any other: asked of the top of every
  // control's parent chain, as each of hundreds of sheets goes.
  virtual TCustomForm* AsCustomForm() { return nullptr; }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TSizeConstraints* Constraints() const { return &FConstraints; }

  TFont* Font() const { return &FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  // Caption and Text are one property, as in the VCL; a windowed control's
  // lives in its window while it has one.
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  virtual std::string Text() const { return FText; }
  // A different text raises CM_TEXTCHANGED.
  virtual void SetText(const std::string& Value);

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }

  // The menu a right-click on the control opens.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  // Handles a message in this control directly, without its window.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  TWndMethod WindowProc() const { return FWindowProc; }
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // The paint model is Windows': invalidating a control marks its window (a
  // graphic control's, its parent's), and the window paints when the loop
  // finds nothing else to do. PaintCount counts the paints the control
  // took part in.
  virtual void Invalidate();
  void Repaint();
  virtual void Update();
  virtual bool NeedsPaint() const;
  int PaintCount() const { return FPaintCount; }
  virtual bool IsShown() const;

  TCustomForm* GetParentForm() const;

  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }
  void SetOnResize(TNotifyEvent Value) { FOnResize = Value; }

  TStartDockEvent OnStartDock() const { return FOnStartDock; }
  void SetOnStartDock(TStartDockEvent Value) { FOnStartDock = Value; }
  TStartDragEvent OnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent Value) { FOnStartDrag = Value; }
  TDragDropEvent OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent Value) { FOnDragDrop = Value; }
  TDragOverEvent OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent Value) { FOnDragOver = Value; }
  TEndDragEvent OnEndDock() const { return FOnEndDock; }
  void SetOnEndDock(TEndDragEvent Value) { FOnEndDock = Value; }
  TEndDragEvent OnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent Value) { FOnEndDrag = Value; }

 protected:
  virtual void Click();
  virtual void DblClick();
  virtual void Resize();
  virtual void Paint() {}
  void CountPaint() { ++FPaintCount; }
  virtual void FontChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void TextChanged() { Invalidate(); }
  virtual void BoundsChanged() {}
  virtual void ConstraintsChanged();
  void ApplyConstraints(int& AWidth, int& AHeight) const;
  // Takes the parent's font while ParentFont is on.
  void ParentFontChanged();
  virtual TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);

  TWinControl* FParent = nullptr;
  std::string FText;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;

 private:
  friend class TWinControl;
  friend class TSizeConstraints;
  void FontChange(TObject* Sender);

  bool FVisible = true;
  bool FEnabled = true;
  // Whether the control has a window of its own (a TWinControl): known
  // still while it is destroyed, when AsWinControl no longer says so and
  // its parent counts it out.
  bool FWindowed = false;
  TAlign FAlign = alNone;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  // Held in the control itself rather than allocated apart: hundreds of
  // group sheets are made at a start-up. Handed out as the VCL hands its
  // sub-objects out, changeable through a control that is not.
  mutable TSizeConstraints FConstraints{this};
  mutable TFont FFont;
  bool FParentFont = true;
  bool FChangingParentFont = false;
  // Between the old parent and the new one in SetParent.
  bool FMovingParent = false;
  TColor FColor = clBtnFace;
  TPopupMenu* FPopupMenu = nullptr;
  TWndMethod FWindowProc;
  int FPaintCount = 0;

  TNotifyEvent FOnClick, FOnResize;
  TStartDockEvent FOnStartDock;
  TStartDragEvent FOnStartDrag;
  TDragDropEvent FOnDragDrop;
  TDragOverEvent FOnDragOver;
  TEndDragEvent FOnEndDock, FOnEndDrag;
};

struct TCreateParams {
  std::string Caption;
  std::string WinClassName;
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<std::size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;

  // Whether the control is on the screen: visible itself and its parent
  // showing (a form: shown).
  bool Showing() const { return FShowing; }
  bool IsShown() const override { return FShowing; }
  TWinControl* AsWinControl() override { return this; }

  // The window is made when the control starts showing, or on demand, as
  // the VCL makes it.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { (void)Handle(); }
  void RecreateWnd();
  void DestroyHandle();

  void SetFocus();
  bool Focused() const;
  virtual bool CanFocus() const;
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }

  // The sunken three-dimensional look. A control with ParentCtl3D takes its
  // parent's setting, and setting Ctl3D on the control itself ends that.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);

  void Realign();
  // Whether a visible windowed child covers all of R (client coordinates):
  // Windows paints nothing of the control there.
  bool CoveredByWindow(const TRect& R) const;
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  TNotifyEvent OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = Value; }
  TNotifyEvent OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = Value; }
  TKeyPressEvent OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = Value; }
  TDockDropEvent OnDockDrop() const { return FOnDockDrop; }
  void SetOnDockDrop(TDockDropEvent Value) { FOnDockDrop = Value; }
  TDockOverEvent OnDockOver() const { return FOnDockOver; }
  void SetOnDockOver(TDockOverEvent Value) { FOnDockOver = Value; }
  TUnDockEvent OnUnDock() const { return FOnUnDock; }
  void SetOnUnDock(TUnDockEvent Value) { FOnUnDock = Value; }

  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  std::string Text() const override;
  void SetText(const std::string& Value) override;

  // The graphic control under a point of the client area that a click
  // reaches: the topmost one, visible and (unless AllowDisabled) enabled.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled) const;

  void UpdateShowing();
  void Invalidate() override;
  void Update() override;
  bool NeedsPaint() const override;
  // Paints the graphic controls on this control's surface into DC, each at
  // its place and clipped to itself, as the VCL's PaintControls does at the
  // end of a paint.
  void PaintControls(HDC DC);
  // A key pressed in this control taken as a shortcut: of the popup menu of
  // this control or of a parent, the nearest first, then of the form's
  // main menu. True when a menu took the key.
  bool IsMenuKey(TMessage& Message);
  // Public as in TControl: the VCL lets any code place a windowed control.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  // The widgetset entry of the control's class: each class that needs
  // more of its window than text and place names its own.
  virtual const TWSWinControl& WidgetSetClass() const { return WSWinControl(); }
  virtual void CreateParams(TCreateParams& Params);
  // Makes the window through the class's entry and gives it what the
  // control kept while it had none (the LCL's InitializeWnd is this
  // method's override in each class); DestroyWnd takes that back first.
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The part of the client area that aligned children share.
  virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
  // Whether a left click gives this control the focus, as native controls
  // that take keyboard input do.
  virtual bool TakesFocusOnClick() const { return FTabStop; }
  virtual void ShowingChanged() {}
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void BoundsChanged() override;

  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();

  virtual void WMSize(TMessage& Message);
  // WM_PAINT: a control that paints itself (PaintsItself) or carries graphic
  // controls paints through PaintHandler; any other leaves the paint to
  // its window's class.
  virtual void WMPaint(TMessage& Message);
  void PaintHandler(TMessage& Message);
  // What the control's own window shows: the class's drawing, into DC.
  virtual void PaintWindow(HDC DC);
  virtual bool PaintsItself() const { return false; }
  // The background, in the control's colour.
  virtual void WMEraseBkgnd(TMessage& Message);
  // The window's class asks for its colours: the font's and the control's
  // brush.
  virtual void CNCtlColor(TMessage& Message);
  // The brush the control's background takes: its colour.
  TBrush* Brush();
  // The Application's look at a key before it is dispatched: a menu's
  // shortcut is taken here (Result 1); otherwise the key message goes to the
  // control.
  virtual void CNKeyDown(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMPaste(TMessage& Message) { DefaultHandler(Message); }
  virtual void WMCut(TMessage& Message) { DefaultHandler(Message); }
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMCtl3DChanged(TMessage& Message);
  void WMLButtonDown(TMessage& Message) override;
  // The user asks for the context menu at a point of the screen: the
  // control's popup menu opens there, or, with none, the parent is asked.
  virtual void WMContextMenu(TMessage& Message);
  // Puts the menu bar on the control's own window (nullptr takes it off),
  // which keeps its client area: the window grows or shrinks around it.
  void SetWindowMenu(HMENU Menu);

  // The field that holds the control's window. The VCL keeps it in a field
  // that code may write; the palette's window is lent this way.
  HWND FHandle = nullptr;

 private:
  void MainWndProc(TMessage& Message);
  // A mouse message at a point of the client area goes to the graphic
  // control there, as the VCL's IsControlMouseMsg passes it on; true when
  // one took it.
  bool IsControlMouseMsg(TMessage& Message);
  void ParentCtl3DChanged();
  // The window follows the control: its place in the parent's client area
  // (for a window of its own, on the screen, framed around the client
  // area), its parent's window, and whether it shows.
  TRect WindowBounds(DWORD Style) const;
  void UpdateWindowBounds();
  void UpdateWindowParent();
  void UpdateWindowVisible();
  // The window this control created, whatever the handle field holds now;
  // it is the one to destroy.
  HWND FOwnWindow = nullptr;
  std::unique_ptr<TBrush> FBrush;
  // Set while the control moves, shows or re-parents its window: what the
  // window reports back then (WM_SIZE, WM_WINDOWPOSCHANGED ...) is the
  // window class's business, the control having laid itself out already.
  bool FUpdatingWindow = false;
  std::vector<TControl*> FControls;
  int FGraphicCount = 0;  // of FControls, those without a window of their own
  // How many children are visible (a child's SetVisible keeps it): a
  // layout pass over a page control's hundreds of hidden sheets stops once
  // it has met them all.
  int FVisibleCount = 0;
  friend class TControl;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FShowing = false;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FRealigning = false;
  TNotifyEvent FOnEnter, FOnExit;
  TKeyPressEvent FOnKeyPress;
  TDockDropEvent FOnDockDrop;
  TDockOverEvent FOnDockOver;
  TUnDockEvent FOnUnDock;
};

// A windowed control that paints itself: Paint draws on the canvas, which
// each WM_PAINT lends the paint's DC.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  bool PaintsItself() const override { return true; }
  void PaintWindow(HDC DC) override;
  std::unique_ptr<TCanvas> FCanvas;
};

// A control without a window: its parent's paint lends it the DC, moved to
// the control's place (WM_PAINT with the DC), and Paint draws on the canvas.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  void WndProc(TMessage& Message) override;

 protected:
  std::unique_ptr<TCanvas> FCanvas;
};

// Whether the system draws controls in the Windows 95 style (sunken client
// edges); the VCL derives it from the Windows version, 4 and later.
bool NewStyleControls();

// Finds the control whose window a handle is; nullptr for none.
TWinControl* FindControl(HWND Handle);
