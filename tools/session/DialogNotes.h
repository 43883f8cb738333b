#pragma once

// What a settings dialog tells its user only by a beep or by nothing at
// all: a group name refused, a click that did nothing. The simulator,
// which shows no dialog, says it in words. A watch is made before a line
// runs in the dialog and read after it.

#include <string>
#include <vector>

#include "Command.h"
#include "UserText.h"

class TCustomForm;

class TDialogWatch {
 public:
  // Before the line A runs in the dialog Form.
  TDialogWatch(TCustomForm* Form, const TArgs& A);

  // The notes for the line once it ran (UTF-8, each one sentence without
  // "note: "). Answer: the text an input box took while it ran, if one
  // did; AskedInput: whether an input box opened at all.
  std::vector<std::string> Notes(const THostText* Answer, bool AskedInput) const;

 private:
  TCustomForm* FForm;
  TArgs FLine;
  bool FButton;                    // the line clicks a button
  std::vector<THostText> FGroups;  // the group list's names
  int FBeeps;
  std::string FState;  // everything a user sees of the dialog, to tell a change
};
