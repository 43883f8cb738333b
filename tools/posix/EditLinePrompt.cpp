#include <histedit.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <istream>
#include <ostream>

#include "Prompt.h"
#include "ScopeExit.h"
#include "Terminal.h"
#include "UserText.h"

namespace {

// Set by SIGINT while a line is read.
volatile sig_atomic_t GInterrupted = 0;
// Whether the line held anything when Ctrl-C cancelled it.
bool GTypedWhenInterrupted = false;

void IgnoreInterrupt(int) {
  GInterrupted = 1;
}

// libedit's reader of one character. SIGINT is blocked while a line is read
// except inside ppoll, which opens it atomically: a Ctrl-C that comes while
// libedit redraws is not caught and then lost in a read that blocks, but
// ends the next wait at once.
int ReadChar(EditLine* Edit, wchar_t* Char) {
  std::mbstate_t State{};
  sigset_t Open;
  sigprocmask(SIG_BLOCK, nullptr, &Open);
  sigdelset(&Open, SIGINT);
  for (;;) {
    if (GInterrupted) {
      const LineInfo* Info = el_line(Edit);
      GTypedWhenInterrupted = Info->lastchar != Info->buffer;
      errno = EINTR;
      return -1;
    }
    pollfd In{STDIN_FILENO, POLLIN, 0};
    if (::ppoll(&In, 1, nullptr, &Open) < 0) {
      if (errno == EINTR)
        continue;
      return -1;
    }
    char Byte = 0;
    const ssize_t N = ::read(STDIN_FILENO, &Byte, 1);
    if (N == 0)
      return 0;
    if (N < 0) {
      if (errno == EINTR)
        continue;
      return -1;
    }
    wchar_t Wide = 0;
    const std::size_t Used = std::mbrtowc(&Wide, &Byte, 1, &State);
    if (Used == static_cast<std::size_t>(-2))
      continue;  // more bytes of one character to come
    if (Used == static_cast<std::size_t>(-1)) {
      // Not UTF-8: the byte stands for itself, and the script reader tells
      // the user when the line runs.
      State = std::mbstate_t{};
      Wide = static_cast<unsigned char>(Byte);
    }
    *Char = Wide;
    return 1;
  }
}

class TEditLinePromptInput : public TPromptInput {
 public:
  TEditLinePromptInput(const std::string& HistoryFile, std::ostream& Err, TCompleter Complete)
      : FHistoryFile(HistoryFile), FErr(Err), FComplete(std::move(Complete)) {
    // libedit shows and edits multibyte characters only in a UTF-8 locale;
    // the character classes are all it needs of it. The prompt reads UTF-8
    // whatever the user's locale is (in "C" typed Cyrillic would vanish).
    const char* Locale = std::setlocale(LC_CTYPE, "");
    if (Locale == nullptr || std::strstr(Locale, "UTF-8") == nullptr) {
      const char* Utf8 = std::setlocale(LC_CTYPE, "C.UTF-8");
      if (Utf8 == nullptr)
        std::setlocale(LC_CTYPE, "C.utf8");
    }
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
    el_set(FEdit, EL_GETCFN, &ReadChar);
    el_set(FEdit, EL_ADDFN, "tabulon-complete", "complete a word", &TEditLinePromptInput::Complete);
    el_set(FEdit, EL_BIND, "^I", "tabulon-complete", nullptr);
    // The user's ~/.editrc, as other programs that use libedit read it.
    el_source(FEdit, nullptr);
  }
  ~TEditLinePromptInput() override {
    el_end(FEdit);
    history_end(FHistory);
  }
  TEditLinePromptInput(const TEditLinePromptInput&) = delete;
  TEditLinePromptInput& operator=(const TEditLinePromptInput&) = delete;

  TRead ReadLine(const std::string& Prompt, std::string& Line) override {
    FPrompt = Prompt;
    int Count = 0;
    // Ctrl-C interrupts the read (libedit passes the signal on to
    // IgnoreInterrupt, which does nothing): the line is dropped, the session
    // goes on. While the line is read, SIGINT only interrupts the read: no
    // SA_RESTART, so that read() returns EINTR. The handler before is back
    // afterwards.
    struct sigaction Catch {
    }, HandlerBefore{};
    Catch.sa_handler = &IgnoreInterrupt;
    sigemptyset(&Catch.sa_mask);
    Catch.sa_flags = 0;
    sigaction(SIGINT, &Catch, &HandlerBefore);
    ScopeExit PutBack([&HandlerBefore] { sigaction(SIGINT, &HandlerBefore, nullptr); });
    GInterrupted = 0;
    GTypedWhenInterrupted = false;
    sigset_t Interrupt, Before;
    sigemptyset(&Interrupt);
    sigaddset(&Interrupt, SIGINT);
    sigprocmask(SIG_BLOCK, &Interrupt, &Before);
    const char* Read = el_gets(FEdit, &Count);
    sigprocmask(SIG_SETMASK, &Before, nullptr);
    if (Read == nullptr && GInterrupted) {
      // What was typed is gone; whether there was anything is what matters.
      Line = GTypedWhenInterrupted ? "^C" : "";
      return TRead::Cancelled;
    }
    if (Read == nullptr || Count <= 0)
      return TRead::End;
    Line.assign(Read, static_cast<std::size_t>(Count));
    while (!Line.empty() && (Line.back() == '\n' || Line.back() == '\r'))
      Line.pop_back();
    if (Line.find_first_not_of(" \t") != std::string::npos) {
      // Kept as typed, without the blank a completion put at its end.
      const std::string Entry = Line.substr(0, Line.find_last_not_of(" \t") + 1);
      HistEvent Event;
      history(FHistory, &Event, H_ENTER, Entry.c_str());
      if (!FHistoryFile.empty() && !FHistoryFailed && !SaveHistory()) {
        FHistoryFailed = true;
        FErr << "tabulon-ide: the history is not saved to " << TUtf8(FHistoryFile) << ": "
             << TUtf8(std::strerror(errno)) << "\n";
      }
    }
    return TRead::Line;
  }

 private:
  static unsigned char Complete(EditLine* Edit, int) {
    void* Data = nullptr;
    el_get(Edit, EL_CLIENTDATA, &Data);
    return static_cast<TEditLinePromptInput*>(Data)->CompleteWord(Edit);
  }
  unsigned char CompleteWord(EditLine* Edit) {
    const LineInfo* Info = el_line(Edit);
    const std::string Before(Info->buffer, Info->cursor);
    // Pasted text comes with more bytes behind the tab, which keeps it as
    // a blank.
    pollfd Pending{STDIN_FILENO, POLLIN, 0};
    if (::poll(&Pending, 1, 0) > 0) {
      el_insertstr(Edit, " ");
      return CC_REFRESH;
    }
    // An input box's answer is free text: nothing completes it.
    const bool InDialog = FPrompt == "dialog> ";
    if (!FComplete || (!InDialog && FPrompt != "tabulon-ide> "))
      return CC_ERROR;
    const TCompletion Found = FComplete(Before, InDialog);
    if (Found.Matches.empty())
      return CC_ERROR;
    if (const TCompletionEdit Edited = CompletionEdit(Found); Edited.Replace) {
      // libedit counts what it deletes in characters.
      el_deletestr(Edit, static_cast<int>(Columns(Before.substr(Found.Start))));
      el_insertstr(Edit, Edited.Text.c_str());
      return CC_REFRESH;
    }
    const std::string List = InColumns(Found.Matches, TerminalWidth(STDOUT_FILENO));
    std::fputc('\n', stdout);
    std::fputs(List.c_str(), stdout);
    std::fflush(stdout);
    return CC_REDISPLAY;
  }

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
  TUtf8Stream FErr;
  TCompleter FComplete;
  std::string FPrompt;
  bool FHistoryFailed = false;
  History* FHistory = nullptr;
  EditLine* FEdit = nullptr;
};

}  // namespace

std::unique_ptr<TPromptInput> EditLinePromptInput(const std::string& HistoryFile, std::ostream& Err,
                                                  TCompleter Complete) {
  return std::make_unique<TEditLinePromptInput>(HistoryFile, Err, std::move(Complete));
}

std::string LeaveKeys() {
  return "Ctrl-D";
}

std::string PromptFeatures() {
  return "line editing, Tab completion and the history of earlier sessions (in "
         "$XDG_CONFIG_HOME/tabulon/history, or ~/.config/tabulon/history)";
}
