#pragma once

// Draws a tree of host controls into a picture, the way Windows would
// show them: what each control's canvas recorded on its last paint (its
// display list), and, for the controls that Windows itself draws (frames,
// buttons, check boxes, edits, tab outlines), their look from their state.
// Only controls on the screen are drawn; a hidden sheet takes its controls
// with it. Windowed children lie above their parent's graphic controls, as
// in the VCL, and in their parent's client area, inside its border. An
// image of an image list is drawn as a small picture of what its list says
// it shows.

#include <functional>
#include <string>

#include "Controls.h"
#include "Picture.h"

class TBitBtn;
class TCustomTabControl;

class TControlPainter {
 public:
  explicit TControlPainter(TPicture& Picture) : FPic(Picture) {}

  // Called for each control drawn, after its own look and before its
  // children, in the control's coordinates: for what the host's controls do
  // not know of themselves (the IDE's component buttons on its palette).
  void SetExtra(std::function<void(TControl*)> Extra) { FExtra = std::move(Extra); }

  // Draws Control with its top-left corner at (X, Y) of the picture, then
  // its children.
  void Paint(TControl* Control, int X, int Y);

  // Windows' two-pixel 3-D edge around R: an outer and an inner ring, each
  // lit on the top and left and shaded on the bottom and right.
  void Edge(const TRect& R, TColor OuterLit, TColor OuterShade, TColor InnerLit, TColor InnerShade);

 private:
  // What Windows draws of the control itself, by its class.
  void Chrome(TControl* Control);
  void DrawFace(TControl* C);
  void DrawRecorded(TControl* C);
  void DrawTabControl(TControl* C);
  void DrawListBox(TControl* C);
  void DrawComboBox(TControl* C);
  void DrawEdit(TControl* C);
  void DrawSpinButton(TControl* C);
  void DrawButton(TControl* C);
  void DrawBitBtn(TControl* C);
  // A push button's face and caption, with the glyph of a bit button's
  // kind when one is given.
  void ButtonFace(TControl* C, TBitBtn* WithGlyph);
  void DrawCheckBox(TControl* C);
  void DrawGroupBox(TControl* C);
  void DrawPanel(TControl* C);
  void DrawControlBar(TControl* C);
  void DrawImage(TControl* C);
  void Children(TWinControl* Control);
  void Items(TControl* Control, const TDisplayList& List, int DX, int DY);
  void Image(const TDisplayItem& Item, bool Disabled);
  void TabFrames(TCustomTabControl* Tabs);
  void Raised(const TRect& R);
  void Sunken(const TRect& R);
  void Etched(const TRect& R);
  void Caption(const std::string& Text, int X, int Y, TControl* Control, TColor Color);

  TPicture& FPic;
  std::function<void(TControl*)> FExtra;
};

// A control's text without its accelerator marks: "&Close" is "Close",
// "&&" one ampersand.
std::string StripAccelerator(const std::string& Text);
