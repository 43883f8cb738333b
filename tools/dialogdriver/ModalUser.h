#pragma once

// The user while modal forms are open, for the simulator's dialog blocks,
// the tests and the benchmarks. Installed as the platform's input source,
// it is asked whenever a modal loop waits for input, and acts on the form
// that waits, through the mouse and the keyboard (UserInput.h): Action runs
// once on every modal form that opens while none it acts on is open (the
// settings dialog); a modal form opened while Action runs (an input box)
// is answered by Answer. A form whose turn is over, still open, gets no
// more input: its loop ends it with Cancel. Whatever Action raises leaves
// the modal loops that run, to the caller of the outermost.

#include <functional>
#include <string>

#include "Forms.h"
#include "MessageLoop.h"

class TModalUser : public TObject {
 public:
  using TAction = std::function<void(TCustomForm* Form)>;
  // Whether the user presses OK, with the text to type in Value (which
  // holds the box's text when asked); nullptr: the user cancels.
  using TAnswer = std::function<bool(const std::string& Caption, const std::string& Prompt,
                                     std::string& Value)>;

  explicit TModalUser(TAction Action, TAnswer Answer = nullptr);
  ~TModalUser() override;
  TModalUser(const TModalUser&) = delete;
  TModalUser& operator=(const TModalUser&) = delete;

 private:
  void NextInput(bool& Given);

  TAction FAction;
  TAnswer FAnswer;
  TInputSource FPrevious;
  // The forms whose turn is running or over while they stay open.
  TCustomForm* FActedOn = nullptr;
  TCustomForm* FAnswered = nullptr;
};

// Answers an input box (InputQuery's form) as its user: types Value over
// its selected text and presses OK, or, for nullptr, presses Cancel.
void AnswerInputBox(TCustomForm* Form, const std::string* Value);
