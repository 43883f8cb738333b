#include "Command.h"

#include "CodePage.h"
#include "ComCtrls.h"
#include "SysUtils.h"

void NoArguments(const TArgs& A) {
  if (A.Words.empty() && A.Tail.empty())
    return;
  // "show # comment": the comment is taken for an argument.
  if (!A.Words.empty() && !A.Words[0].Quoted && A.Words[0].Text.rfind('#', 0) == 0)
    throw ECommandError(A.Command +
                        " takes no arguments ('#' starts a comment only at the start "
                        "of a line)");
  throw ECommandError(A.Command + " takes no arguments");
}

int ParseCount(const std::string& Text, const std::string& What) {
  if (Text.empty() || Text.size() > 9 || Text.find_first_not_of("0123456789") != Text.npos)
    throw ECommandError(What + " must be a whole number from 0 to 999999999, not '" + Text + "'");
  return std::stoi(Text);
}

int FindTab(TCustomTabControl* Tabs, const TWord& Word, const char* What) {
  const int Count = Tabs->Tabs()->Count();
  if (!Word.Quoted && Word.Text.size() > 1 && Word.Text[0] == '#') {
    const int Index = ParseCount(Word.Text.substr(1), std::string(What) + " number");
    if (Index >= Count)
      throw ECommandError(std::string("there is no ") + What + " #" + std::to_string(Index) + " (" +
                          std::to_string(Count) + " tabs)");
    return Index;
  }
  const std::string Caption = HostText(Word.Text);
  for (int i = 0; i < Count; ++i)
    if (AnsiSameText(Tabs->Tabs()->Strings(i), Caption))
      return i;
  throw ECommandError(std::string("there is no ") + What + " '" + Word.Text + "'");
}
