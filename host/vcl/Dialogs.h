#pragma once

// Delphi's Dialogs unit, as far as the add-in uses it: the colour dialog and
// the input box. The colour dialog is the system's (comdlg32's), which the
// substitute does not show: the Application's colour driver acts as the
// user, and with no driver the user cancels. The input box is a modal form
// of the VCL's, which the user answers as any other.

#include <memory>
#include <string>

#include "Classes.h"
#include "Graphics.h"

class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // The sixteen custom colour slots as "ColorA=RRGGBB" ... lines.
  TStrings* CustomColors() const { return FCustomColors.get(); }

  // Asks the colour driver; true when the user chose OK, with the chosen
  // colour in Color. Cancel leaves Color as it was.
  bool Execute();

  // The dialog whose Execute is running, so that a driver can look at what
  // the dialog was opened with; nullptr outside Execute.
  static TColorDialog* Executing();

 private:
  TColor FColor = clBlack;
  std::unique_ptr<TStringList> FCustomColors;
};

// Shows a modal form titled ACaption with the prompt, an edit that holds
// Value (selected, at most 255 characters) and the buttons OK and Cancel;
// true, with the edit's text in Value, when the user pressed OK.
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value);
// The text the user confirmed in InputQuery, or ADefault when the user
// cancelled.
std::string InputBox(const std::string& ACaption, const std::string& APrompt,
                     const std::string& ADefault);
