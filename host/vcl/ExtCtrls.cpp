#include "ExtCtrls.h"

#include <algorithm>

#include "MessageLoop.h"

// The window that the VCL allocates for a timer: it has no class of its own.
TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = CreateWindowEx("TPUtilWindow", 0, TWindowProcedure::Of<&TTimer::WndProc>(this));
}

TTimer::~TTimer() {
  Destroying();
  ::KillTimer(FWindowHandle, 1);
  DestroyWindow(FWindowHandle);
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER)
    Fire();
  else
    CallDefWindowProc(FWindowHandle, Message);
}

void TTimer::UpdateTimer() {
  ::KillTimer(FWindowHandle, 1);
  if (FInterval != 0 && FEnabled && FOnTimer.Assigned())
    ::SetTimer(FWindowHandle, 1, static_cast<UINT>(FInterval));
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled)
    return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(int Value) {
  if (Value == FInterval)
    return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = Value;
  UpdateTimer();
}

void TTimer::Fire() {
  ++FFireCount;
  if (FOnTimer.Assigned())
    FOnTimer(this);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter)
    return;
  FBevelOuter = Value;
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  // The border is the window's own frame: a window made already is made
  // again with it.
  if (HandleAllocated())
    RecreateWnd();
  Realign();
  Invalidate();
}

TRect TCustomPanel::ClientRect() const {
  TRect R = TCustomControl::ClientRect();
  if (FBorderStyle == bsSingleBorder) {
    // The sunken client edge of the new look takes two pixels a side; the
    // plain border of the old one, one.
    const int B = NewStyleControls() && Ctl3D() ? 2 : 1;
    R.Right = std::max(0, R.Right - 2 * B);
    R.Bottom = std::max(0, R.Bottom - 2 * B);
  }
  return R;
}

void TCustomPanel::Paint() {
  FCanvas->Brush()->SetColor(Color());
  FCanvas->FillRect(ClientRect());
  // A single bevel: one pixel lit and one shaded, the other way round for
  // a lowered one. (The sunken edge of a single border is the window's
  // frame, which Windows draws.)
  if (FBevelOuter != bvRaised && FBevelOuter != bvLowered)
    return;
  const bool Up = FBevelOuter == bvRaised;
  const TRect R = ClientRect();
  const int W = R.Width(), H = R.Height();
  const auto Line = [this](TColor Color, const TRect& Pixels) {
    FCanvas->Brush()->SetColor(Color);
    FCanvas->FillRect(Pixels);
  };
  const TColor Lit = Up ? clBtnHighlight : clBtnShadow;
  const TColor Shade = Up ? clBtnShadow : clBtnHighlight;
  Line(Lit, {0, 0, W - 1, 1});
  Line(Lit, {0, 0, 1, H - 1});
  Line(Shade, {0, H - 1, W, H});
  Line(Shade, {W - 1, 0, W, H});
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  // The single border is the window's: a sunken client edge in the new
  // look, a plain line in the old one.
  if (FBorderStyle == bsSingleBorder) {
    if (NewStyleControls() && Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

TCustomControlBar::TCustomControlBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 100, 50);
}

void TCustomControlBar::Paint() {
  FCanvas->Brush()->SetColor(Color());
  FCanvas->FillRect(ClientRect());
  const auto Line = [this](TColor Color, int X, int Top, int Bottom) {
    FCanvas->Brush()->SetColor(Color);
    FCanvas->FillRect({X, Top, X + 1, Bottom + 1});
  };
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* Band = Controls(i);
    if (!Band->Visible())
      continue;
    const int Top = Band->Top() + 1, Bottom = Band->Top() + Band->Height() - 2;
    for (int X : {Band->Left() - 9, Band->Left() - 6}) {
      Line(clBtnHighlight, X, Top, Bottom);
      Line(clBtnShadow, X + 1, Top, Bottom);
    }
  }
}

void TCustomControlBar::SetAutoSize(bool Value) {
  if (Value == FAutoSize)
    return;
  FAutoSize = Value;
  Realign();
}

void TCustomControlBar::AlignControls(TControl* AControl, TRect& Rect) {
  (void)AControl;
  // Each band is its control plus an 11-pixel grabber at its left.
  constexpr int Grabber = 11, Frame = 2;
  int X = Rect.Left + Frame, Tallest = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* C = Controls(i);
    if (!C->Visible())
      continue;
    X += Grabber;
    C->SetBounds(X, Rect.Top + Frame, C->Width(), C->Height());
    X += C->Width();
    Tallest = std::max(Tallest, C->Height());
  }
  if (FAutoSize && Tallest > 0)
    SetHeight(Tallest + 2 * Frame);
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TPanel::~TPanel() = default;
