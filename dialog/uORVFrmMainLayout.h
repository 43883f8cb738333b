#pragma once

// The settings dialog's form resource: every component of the form as one
// row, parents before their children, in the order the reader creates them.
// The form's constructor walks it; a picture of the dialog and the simulator
// can walk it too, so the layout is written down once. A row also carries
// what FormShow names the control and which option it edits, so that a new
// control of the options page is one row here.

#include <vector>

#include "Graphics.h"
#include "Label.h"

struct TFormLayoutRow {
  const char* Name;
  const char* ClassName;
  // The parent's component name; "" for a child of the form, nullptr for a
  // component without a parent (the form itself, the image list).
  const char* Parent;
  // Width and Height -1: the control sizes itself (an auto-sized label).
  int Left = 0, Top = 0, Width = -1, Height = -1;
  int TabOrder = -1;
  // nullptr: the control keeps its own caption (a button kind's caption).
  const char* Caption = nullptr;
  // The caption FormShow gives the control, in the order of the rows. Until
  // then the control holds the form resource's placeholder, whatever
  // Caption says.
  const char* ShowCaption = nullptr;
  // The option of the expert (its value name in the store) whose value the
  // control holds, where the dialog has no accessor pair for it: the
  // settings command reaches the control through this name, so the control
  // needs no field of its own.
  const char* Option = nullptr;
  TAlign Align = alNone;
  TAlignment Alignment = taLeftJustify;
  // Not a layout rule of the substitute: the dialog has a fixed size, so
  // anchors never move anything; kept for the picture.
  const char* Anchors = "akLeft,akTop";
  // Font overrides; a FontHeight of 0 means the parent's font.
  int FontHeight = 0;
  bool FontBold = false;
  bool FontUnderline = false;
  TColor FontColor = clWindowText;
  TCursor Cursor = crDefault;
  // Labels: whether they size themselves to their caption.
  bool AutoSize = true;
  // Panels: -1 keeps the panel's default.
  int BevelOuter = -1;
  int BorderStyle = -1;
  // TBitBtn kind (TBitBtnKind), 0 for none.
  int Kind = 0;
  // List boxes: owner-drawn fixed rather than standard; the item height.
  bool OwnerDrawFixed = false;
  int ItemHeight = 0;
  // Images: what the picture shows, its own size, how it is drawn.
  const char* Picture = nullptr;
  int PictureWidth = 0, PictureHeight = 0;
  bool Stretch = false;
  bool Transparent = false;
  // Page controls: the sheet the resource names as active.
  const char* ActivePage = nullptr;
  // Colour boxes: the selected colour and the default-colour colour.
  TColor Selected = clBlack;
  TColor DefaultColorColor = clBlack;
  // Handlers by method name, as a form resource names them.
  const char* OnClick = nullptr;
  const char* OnEnter = nullptr;
  const char* OnDrawItem = nullptr;
  const char* OnCreate = nullptr;
  const char* OnShow = nullptr;
  const char* OnDestroy = nullptr;
};

// The rows of TFrmMainORVExpert; row 0 is the form itself (its Width and
// Height are the client size).
const std::vector<TFormLayoutRow>& FrmMainORVExpertLayout();

// The descriptions of the four icons of ImageList1, in index order.
const std::vector<const char*>& FrmMainORVExpertIcons();
