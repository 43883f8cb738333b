#include "Prompt.h"

#include <histedit.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>

#include "Program.h"
#include "Script.h"
#include "Simulator.h"

namespace {

class TStreamPromptInput : public TPromptInput {
 public:
  TStreamPromptInput(std::istream& In, std::ostream& Out) : FLines(In), FOut(Out) {}
  bool ReadLine(const std::string& Prompt, std::string& Line) override {
    FOut << Prompt << std::flush;
    return FLines.Next(Line);
  }

 private:
  TLineSplitter FLines;
  std::ostream& FOut;
};

class TEditLinePromptInput : public TPromptInput {
 public:
  TEditLinePromptInput(const std::string& HistoryFile, std::ostream& Err)
      : FHistoryFile(HistoryFile), FErr(Err) {
    // libedit shows and edits multibyte characters only in the user's
    // locale; the character classes are all it needs of it.
    std::setlocale(LC_CTYPE, "");
    FHistory = history_init();
    HistEvent Event;
    history(FHistory, &Event, H_SETSIZE, 1000);
    history(FHistory, &Event, H_SETUNIQUE, 1);
    if (!FHistoryFile.empty())
      history(FHistory, &Event, H_LOAD, FHistoryFile.c_str());
    FEdit = el_init("tabulon-ide", stdin, stdout, stderr);
    el_set(FEdit, EL_CLIENTDATA, this);
    el_set(FEdit, EL_PROMPT, &TEditLinePromptInput::PromptOf);
    el_set(FEdit, EL_EDITOR, "emacs");
    el_set(FEdit, EL_HIST, history, FHistory);
    el_set(FEdit, EL_SIGNAL, 1);
    // The user's ~/.editrc, as other programs that use libedit read it.
    el_source(FEdit, nullptr);
  }
  ~TEditLinePromptInput() override {
    el_end(FEdit);
    if (!FHistoryFile.empty() && !SaveHistory())
      FErr << "tabulon-ide: the history was not saved to " << FHistoryFile << ": "
           << std::strerror(errno) << "\n";
    history_end(FHistory);
  }
  TEditLinePromptInput(const TEditLinePromptInput&) = delete;
  TEditLinePromptInput& operator=(const TEditLinePromptInput&) = delete;

  bool ReadLine(const std::string& Prompt, std::string& Line) override {
    FPrompt = Prompt;
    int Count = 0;
    const char* Read = el_gets(FEdit, &Count);
    if (Read == nullptr || Count <= 0)
      return false;
    Line.assign(Read, static_cast<std::size_t>(Count));
    while (!Line.empty() && (Line.back() == '\n' || Line.back() == '\r'))
      Line.pop_back();
    if (Line.find_first_not_of(" \t") != std::string::npos) {
      HistEvent Event;
      history(FHistory, &Event, H_ENTER, Line.c_str());
    }
    return true;
  }

 private:
  static char* PromptOf(EditLine* Edit) {
    void* Data = nullptr;
    el_get(Edit, EL_CLIENTDATA, &Data);
    return static_cast<TEditLinePromptInput*>(Data)->FPrompt.data();
  }
  bool SaveHistory() {
    // The folder is the default hive's, which may not be there yet.
    std::error_code E;
    std::filesystem::create_directories(std::filesystem::path(FHistoryFile).parent_path(), E);
    HistEvent Event;
    errno = 0;
    if (history(FHistory, &Event, H_SAVE, FHistoryFile.c_str()) >= 0)
      return true;
    if (errno == 0)
      errno = EIO;
    return false;
  }

  std::string FHistoryFile;
  std::ostream& FErr;
  std::string FPrompt;
  History* FHistory = nullptr;
  EditLine* FEdit = nullptr;
};

}  // namespace

std::unique_ptr<TPromptInput> StreamPromptInput(std::istream& In, std::ostream& Out) {
  return std::make_unique<TStreamPromptInput>(In, Out);
}

std::unique_ptr<TPromptInput> EditLinePromptInput(const std::string& HistoryFile,
                                                  std::ostream& Err) {
  return std::make_unique<TEditLinePromptInput>(HistoryFile, Err);
}

int RunPrompt(TSimulator& Sim, TPromptInput& Input, std::ostream& Out) {
  bool ExpectFailed = false;
  std::string Line;
  for (int LineNo = 1;; ++LineNo) {
    // The prompt tells that the lines go into a dialog block, not to the IDE.
    const bool InBlock = !Sim.UnfinishedBlock().empty();
    Out.flush();
    if (!Input.ReadLine(InBlock ? "dialog> " : "tabulon-ide> ", Line))
      break;
    // A mistake was reported as it was typed; the session goes on, and the
    // lines typed before it (a dialog block's too) are kept.
    if (Sim.RunLine(Line, "-:" + std::to_string(LineNo)) == TLineResult::ExpectFailed)
      ExpectFailed = true;
  }
  Out << "\n";
  const bool Unused = Sim.ReportUnusedBlocks();
  if (Sim.SettingsNotSaved())
    return kExitNotSaved;
  if (ExpectFailed)
    return kExitExpectFailed;
  return Unused ? kExitError : kExitOk;
}
