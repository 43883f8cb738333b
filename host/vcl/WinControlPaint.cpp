#include "Controls.h"
#include "ScopeExit.h"

// How a windowed control paints: Windows marks its window, sends WM_PAINT
// when nothing else waits, and the control draws what it draws of itself
// (or leaves that to its window's class) and then the graphic controls on
// its surface, as the VCL's PaintHandler and PaintControls do.

void TWinControl::Invalidate() {
  if (FHandle != nullptr)
    InvalidateRect(FHandle, nullptr, ControlStyle().Contains(csOpaque) ? 0 : 1);
}

void TWinControl::Update() {
  if (FHandle != nullptr)
    UpdateWindow(FHandle);
}

bool TWinControl::NeedsPaint() const {
  return FHandle != nullptr && GetUpdateRect(FHandle, nullptr, 0) != 0;
}

void TWinControl::WMPaint(TMessage& Message) {
  CountPaint();
  // Without windowless children to paint on its own DC, a control that
  // does not paint itself leaves the paint to its window's class.
  if (!PaintsItself() && FGraphicCount == 0) {
    DefaultHandler(Message);
    return;
  }
  PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
  auto DC = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT Paint;
  const bool Own = DC == nullptr;
  if (Own)
    DC = BeginPaint(FHandle, Paint);
  if (DC == nullptr)
    return;
  const HWND Wnd = FHandle;
  ScopeExit End([&] {
    if (Own)
      EndPaint(Wnd, Paint);
  });
  PaintWindow(DC);
  PaintControls(DC);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage Message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(Message);
}

void TWinControl::PaintControls(HDC DC) {
  if (FGraphicCount == 0)
    return;
  // A copy: a control's paint may add or take away controls.
  for (TControl* C : std::vector<TControl*>(FControls)) {
    if (C->AsWinControl() != nullptr || !C->Visible() || C->Width() <= 0 || C->Height() <= 0)
      continue;
    const int Saved = SaveDC(DC);
    ScopeExit GiveBack([&] { RestoreDC(DC, Saved); });
    OffsetViewportOrgEx(DC, C->Left(), C->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, C->Width(), C->Height());
    C->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  }
}

TBrush* TWinControl::Brush() {
  if (!FBrush)
    FBrush = std::make_unique<TBrush>();
  FBrush->SetColor(Color());
  return FBrush.get();
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  const auto DC = reinterpret_cast<HDC>(Message.WParam);
  if (DC == nullptr) {
    DefaultHandler(Message);
    return;
  }
  FillRect(DC, ClientRect(), Brush()->Handle());
  Message.Result = 1;
}

void TWinControl::CNCtlColor(TMessage& Message) {
  const auto DC = reinterpret_cast<HDC>(Message.WParam);
  if (DC == nullptr) {
    DefaultHandler(Message);
    return;
  }
  SetTextColor(DC, static_cast<COLORREF>(Font()->Color()));
  SetBkColor(DC, static_cast<COLORREF>(Color()));
  Message.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
}
