#pragma once

// Acts as the user inside the open settings dialog, for the simulator's
// "dialog ... end" block and for tests. It knows the dialog as a user and an
// object inspector do: controls by their component names, the host's control
// classes, and the published properties of classes the host does not know
// (a spin edit's Value, a colour box's Selected and Style), so it works on
// whatever form the loaded package created. Every action raises Exception
// with a message naming the control when the control does not exist, cannot
// do that, or is out of a user's reach (disabled, hidden, on the sheet that
// is not shown), and once the dialog has closed. Text arguments and the dump
// are UTF-8; the dialog itself holds Windows-1251, and so do the messages,
// as every host exception's do.

#include <cstdint>
#include <string>

#include "Forms.h"
#include "Json.h"

class TDialogDriver {
 public:
  // Form: the settings dialog while its modal loop runs.
  explicit TDialogDriver(TCustomForm* Form) : FForm(Form) {}

  // sheet NAME: the user clicks that sheet's tab.
  void Sheet(const std::string& Name);
  // click NAME: a mouse click; the control takes the focus first if a click
  // gives it one. Buttons are pressed, check boxes toggled, labels clicked.
  void Click(const std::string& Name);
  // check NAME on|off: clicks the check box only when its state differs.
  void Check(const std::string& Name, bool On);
  // focus NAME: the focus moves to the control by the keyboard.
  void Focus(const std::string& Name);
  // type NAME TEXT: focus by the keyboard, then TEXT key by key.
  void Type(const std::string& Name, const std::string& Text);
  // keydown NAME Up|Down: focus by the keyboard, then the arrow key.
  void KeyDown(const std::string& Name, const std::string& Key);
  // key NAME KEY: focus by the keyboard, then KEY (one of KeyNames()) is
  // pressed: Enter, Escape, Tab and Backspace send their character too.
  void PressKey(const std::string& Name, const std::string& Key);
  // select NAME INDEX / select NAME "TEXT": a mouse click on that item of a
  // list box or combo box (TEXT: the first item equal to it, ignoring case).
  void Select(const std::string& Name, int Index);
  void Select(const std::string& Name, const std::string& Text);
  // color VALUE: the user chooses the colour in the colour box: its listed
  // item, or, where the box has a custom item that asks for a colour, that
  // item with the colour dialog answered with VALUE. VALUE is a number
  // (decimal, $hex or 0xhex) or a colour name such as clRed.
  void Color(const std::string& Value);
  // ok / cancel: the user presses the button whose ModalResult is mrOk, or
  // the one whose ModalResult is mrCancel or that is a Close button.
  void Ok();
  void Cancel();
  // The window's close box: ends the loop with Cancel; always within reach,
  // so a block that ends without ok or cancel can close the dialog with it.
  void CloseBox();

  // Whether the dialog's modal loop has its result.
  bool Closed() const;

  // The dialog's state as a JSON object (UTF-8): "activeSheet" (of its page
  // control), the form's "tag" (the shown group index), and "controls" keyed
  // by component name with "enabled", "visible" and, where they apply,
  // "tag" (when not 0: BtnMoveUp's says which list the arrows move in),
  // "caption", "checked", "text", "value" (a control that publishes a
  // whole-number Value: the spin edits), "items", "objects", "itemIndex"
  // (list and combo boxes; the group list's objects are the groups' page
  // lists as arrays of strings, the other lists' the integers they hold)
  // and "selected" (a control that publishes a colour Selected: the colour
  // box). The simulator prints it as {"dialog":<this>}.
  TJson Dump() const;

  // The controls a dialog block can act on, one a line and grouped by the
  // sheet they sit on: name, class, the block commands that act on it, and
  // its caption, e.g. "    BtnAdd   TButton   click   \"Add\"". Other
  // controls (panels, plain labels) are in the dump only.
  std::string Controls() const;

 private:
  TControl* Find(const std::string& Name) const;
  // The first named control of the form that Matches: the driver finds the
  // dialog's OK button or colour box by what it is, not by its name.
  const TControl* FindOf(bool (*Matches)(const TControl* C)) const;
  // The control, checked to be within a user's reach.
  TControl* Reachable(const std::string& Name) const;
  TWinControl* Focusable(const std::string& Name) const;
  void CheckOpen() const;

  TCustomForm* FForm;
};

// The settings dialog's list of page groups, found by what it is: the one
// list box the dialog does not draw itself. The page lists are owner-drawn,
// and their items' objects are the numbers their drawing reads (a page's
// state); the group list's objects are the groups' page lists. nullptr in a
// form without one.
class TCustomListBox;
bool IsGroupList(const TControl* C);
TCustomListBox* GroupList(TCustomForm* Form);

// The keys PressKey knows, as "Enter, Escape, ..."; whether Key is one.
std::string KeyNames();
bool IsKeyName(const std::string& Key);

// Reads a colour as the driver's Color takes it; raises EConvertError.
std::int32_t ParseColorValue(const std::string& Value);
