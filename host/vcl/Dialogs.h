#pragma once

// Delphi's Dialogs unit, as far as the add-in uses it: the colour dialog and
// the input box. Neither shows anything: the Application's colour driver and
// input driver act as the user, and with no driver the user cancels.

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

// Asks the input driver; returns the text the user confirmed, or ADefault
// when the user cancels or no driver is installed.
std::string InputBox(const std::string& ACaption, const std::string& APrompt,
                     const std::string& ADefault);
