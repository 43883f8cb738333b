#pragma once

// The simulator's "dialog ... end" blocks: the lines between them are what
// the user will do in the next settings dialog. They are checked when the
// block is read and run inside the dialog's modal loop when a later command
// opens it; a block without ok or cancel closes the dialog at its end.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Command.h"
#include "Script.h"

class TCustomForm;
class TDialogDriver;
class TModalUser;
class TSimulatorState;

struct TBlockLine {
  std::string Line;
  std::string Where;
};

// A line of a block failed while the dialog was open; Where is that line,
// which is what the user mends.
class EBlockLineError : public ECommandError {
 public:
  EBlockLineError(std::string At, const std::string& What)
      : ECommandError(What), Where(std::move(At)) {}
  const std::string Where;
};

// What a dialog block may hold, for the block's own check and for help.
struct TDialogCommand {
  const char* Name;
  const char* Synopsis;
  const char* Help;  // one line
  std::size_t MinWords, MaxWords;
};
const std::vector<TDialogCommand>& DialogCommands();

// dialog: starts reading a block.
void DialogCommand(TSimulatorState& Sim, const TArgs& A);

class TDialogBlocks {
 public:
  // Runs a command of the simulator's own table (wait, dump, expect,
  // snapshot, help) inside the open dialog.
  using TCommandRunner = std::function<void(const TArgs& A)>;

  TDialogBlocks(TSimulatorState& Sim, TCommandRunner RunCommand);
  ~TDialogBlocks();

  bool Reading() const { return FReading; }
  // "dialog": starts reading a block.
  void Begin(const std::string& Where);
  // A line of the block being read; "end" finishes it. Raises ECommandError
  // for a line that is not a dialog command.
  void Add(const std::string& Line, const std::string& Where);
  // Forgets the block being read (the user at the prompt dropped it).
  void Drop() {
    FReading = false;
    FCurrent = TBlock();
  }
  // Whether a block was started and not finished (at the end of a script).
  std::string Unfinished() const { return FReading ? FCurrent.BeganAt : std::string(); }
  // Where the blocks begin that were read and never ran, since no command
  // opened a dialog for them; forgets them.
  std::vector<std::string> TakeUnused();
  // The controls of the dialog that opened last, as the block command
  // `controls` lists them; empty before any dialog opened.
  const std::string& LastControls() const { return FLastControls; }
  // The component names of that dialog, for completion.
  std::vector<std::string> KnownNames() const { return {FKnownNames.begin(), FKnownNames.end()}; }

  // The dialog that is open now, with its driver; nullptr outside one.
  TDialogDriver* Open() const { return FOpen.get(); }
  // The form of that dialog; nullptr outside one.
  TCustomForm* OpenForm() const { return FOpen ? FOpenForm : nullptr; }
  // Whether an expect inside a block failed since the last call.
  bool TakeExpectFailed();

  // A dialog that opens with no block queued reads its lines from Live,
  // each run at once, until ok, cancel or close ends it; an input box it
  // opens with no input answer queued takes its answer from Live too. At
  // the prompt Live shows Prompt ("dialog> ", "input> "), a mistake is told
  // and the dialog goes on, and the end of the input closes the dialog
  // (cancels the input box). In a script (Script) Live gives the script's
  // next line and where it is (FILE:LINE), a mistake stops the script as a
  // block's line does, and the script's end closes the dialog.
  using TLiveInput =
      std::function<TRead(const std::string& Prompt, std::string& Line, std::string& Where)>;
  void SetLive(TLiveInput Live, bool Script = false) {
    FLive = std::move(Live);
    FLiveScript = Script;
  }
  // How the last dialog ended ("OK", "Cancel", "closed"), once; "" when
  // none ended since the last call.
  std::string TakeEnding();

 private:
  void RunModal(TCustomForm* Form);
  bool AnswerInput(const std::string& Caption, const std::string& Prompt, std::string& Value);
  void RunLine(const TBlockLine& Line);
  // RunLine, telling the user what the dialog did without a word (see
  // DialogNotes.h).
  void RunLineNoting(const TBlockLine& Line);
  void RunLive();
  void RunScriptLive();
  // A line of a block, or of a script's live dialog, run in the open dialog.
  void RunBlockLine(const TBlockLine& Line);
  // Runs Line when it is help; whether it was.
  bool RunHelp(const std::string& Line);
  // The answer Live gives an input box; nothing when the user cancels.
  std::unique_ptr<std::string> AskInput(const THostText& Caption, const THostText& Prompt,
                                        const THostText& Initial);
  void NoteEnding(TCustomForm* Form);
  // Raises ECommandError when a line names a control the dialog lacks.
  void CheckNames(const TArgs& A) const;
  // Raises EBlockLineError at the first answer no input box took.
  void CheckInputsTaken();

  struct TBlock {
    std::string BeganAt;
    std::vector<TBlockLine> Lines;
  };
  // An answer for the next input box: text, or nothing for Cancel.
  struct TInput {
    std::unique_ptr<std::string> Text;
    std::string Where;
  };

  TSimulatorState& FSim;
  TCommandRunner FRunCommand;
  std::unique_ptr<TModalUser> FUser;
  bool FReading = false;
  TBlock FCurrent;
  std::deque<TBlock> FQueued;
  std::unique_ptr<TDialogDriver> FOpen;
  TCustomForm* FOpenForm = nullptr;
  std::deque<TInput> FInputs;
  bool FExpectFailed = false;
  std::string FLastControls;
  std::set<std::string> FKnownNames;  // the component names of the last dialog
  TLiveInput FLive;
  bool FLiveScript = false;
  bool FLiveNow = false;  // the open dialog reads its lines from FLive
  bool FClosedByBox = false;
  std::string FEnded;
  std::optional<THostText> FTaken;  // the answer an input box took last
  bool FAsked = false;              // an input box opened during the line
};
