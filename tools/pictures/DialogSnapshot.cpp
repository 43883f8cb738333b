#include "DialogSnapshot.h"

#include "ControlPainter.h"
#include "Forms.h"
#include "TextMetrics.h"

namespace {
// A dialog frame of Windows 95 to 2000: a three-pixel raised edge and an
// 18-pixel caption with a one-pixel line under it.
constexpr int kFrame = 3;
constexpr int kTitle = 18;
}  // namespace

TDialogOrigin DialogClientOrigin() {
  return {kFrame, kFrame + kTitle + 1};
}

TPicture DialogSnapshot(TCustomForm* Form) {
  // Paint what is waiting to be painted, so that every display list shows
  // the present state.
  if (Application != nullptr)
    Application->ProcessMessages();
  const TDialogOrigin O = DialogClientOrigin();
  const int W = Form->ClientWidth() + 2 * kFrame;
  const int H = Form->ClientHeight() + O.Y + kFrame;
  TPicture Pic(W, H);
  TControlPainter Painter(Pic);

  // The frame: raised, face-coloured, then the caption bar.
  Pic.FillRect({0, 0, W, H}, clBtnFace);
  Painter.Edge({0, 0, W, H}, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow);
  const TColor Title = Form->Active() ? clActiveCaption : clInactiveCaption;
  const TColor TitleText = Form->Active() ? clCaptionText : clInactiveCaptionText;
  Pic.FillRect({kFrame, kFrame, W - kFrame, kFrame + kTitle}, Title);
  const TFontDesc TitleFont{"MS Sans Serif", 8, true};
  Pic.BeginClip({kFrame, kFrame, W - kFrame - 20, kFrame + kTitle});
  Pic.Text(kFrame + 4, kFrame + (kTitle - FontMetrics(TitleFont).tmHeight) / 2, Form->Caption(),
           {TitleFont, false}, TitleText);
  Pic.End();
  // The close box at the right of the caption.
  const TRect Close{W - kFrame - 18, kFrame + 2, W - kFrame - 2, kFrame + 16};
  Pic.FillRect(Close, clBtnFace);
  Pic.Line(Close.Left, Close.Top, Close.Right - 2, Close.Top, clBtnHighlight);
  Pic.Line(Close.Left, Close.Top, Close.Left, Close.Bottom - 2, clBtnHighlight);
  Pic.Line(Close.Left, Close.Bottom - 1, Close.Right - 1, Close.Bottom - 1, cl3DDkShadow);
  Pic.Line(Close.Right - 1, Close.Top, Close.Right - 1, Close.Bottom - 1, cl3DDkShadow);
  Pic.Polyline({{Close.Left + 4, Close.Top + 3}, {Close.Right - 5, Close.Bottom - 4}}, clBtnText,
               2);
  Pic.Polyline({{Close.Right - 5, Close.Top + 3}, {Close.Left + 4, Close.Bottom - 4}}, clBtnText,
               2);

  Painter.Paint(Form, O.X, O.Y);
  return Pic;
}
