#include "DialogNotes.h"

#include "Button.h"
#include "DialogDriver.h"
#include "Forms.h"
#include "Json.h"
#include "StdCtrls.h"
#include "SysUtils.h"
#include "Windows.h"

namespace {

// The names in the dialog's group list; empty when it has none.
std::vector<THostText> GroupNames(TCustomForm* Form) {
  std::vector<THostText> Names;
  if (TCustomListBox* List = GroupList(Form))
    for (int i = 0; i < List->Items()->Count(); ++i)
      Names.emplace_back(List->Items()->Get(i));
  return Names;
}

std::string State(TCustomForm* Form) {
  return WriteJson(TDialogDriver(Form).Dump());
}

// What the dialog's name filter keeps of a group name: its Russian letters
// (Windows-1251 0xC0 to 0xFF).
THostText RussianLetters(const THostText& Name) {
  std::string Kept;
  for (char Ch : Name.Str())
    if (static_cast<unsigned char>(Ch) >= 0xC0)
      Kept += Ch;
  return THostText(Kept);
}

// The lists on the screen with no item selected, as "A, B".
std::string UnselectedLists(TCustomForm* Form) {
  std::string Names;
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* List = dynamic_cast<TCustomListBox*>(Form->Components(i));
        List != nullptr && List->Showing() && List->ItemIndex() < 0)
      Names += (Names.empty() ? "" : ", ") + UserText(List->Name()).Str();
  return Names;
}

}  // namespace

TDialogWatch::TDialogWatch(TCustomForm* Form, const TArgs& A)
    : FForm(Form),
      FLine(A),
      FButton(A.Command == "click" && !A.Words.empty() &&
              dynamic_cast<TButton*>(Form->FindComponent(HostText(A.Words[0].Text))) != nullptr),
      FGroups(GroupNames(Form)),
      FBeeps(MessageBeepCount()),
      // Only a click on a button is checked for a change.
      FState(FButton ? State(Form) : std::string()) {}

std::vector<std::string> TDialogWatch::Notes(const THostText* Answer, bool AskedInput) const {
  std::vector<std::string> Notes;
  const bool Beeped = MessageBeepCount() != FBeeps;
  const std::vector<THostText> Groups = GroupNames(FForm);
  if (Answer != nullptr && Groups != FGroups) {
    // The dialog keeps only the Russian letters of a group name; a user who
    // typed others is told what the name became.
    for (std::size_t i = 0; i < Groups.size(); ++i)
      if (i >= FGroups.size() || Groups[i] != FGroups[i]) {
        if (Groups[i] != *Answer)
          Notes.push_back("the group name '" + UserText(*Answer).Str() + "' became '" +
                          UserText(Groups[i]).Str() +
                          "': the dialog keeps only the Russian letters of a group name");
        break;
      }
    return Notes;
  }
  if (Answer != nullptr && Beeped) {
    const THostText Kept = RussianLetters(*Answer);
    bool Taken = false;
    for (const THostText& G : FGroups)
      Taken = Taken || AnsiSameText(G.Str(), Kept.Str());
    Notes.push_back(
        "the dialog refused the group name '" + UserText(*Answer).Str() + "' with a beep: " +
        (Kept.Str().empty() ? std::string("its name filter keeps only Russian letters, and there "
                                          "are none")
                            : "its name filter kept '" + UserText(Kept).Str() + "'" +
                                  (Taken ? ", and a group of that name exists" : "")));
    return Notes;
  }
  if (FButton && !AskedInput && FForm->ModalResult() == mrNone && State(FForm) == FState) {
    const std::string Unselected = UnselectedLists(FForm);
    Notes.push_back("the click on " + FLine.Words[0].Text + " changed nothing in the dialog" +
                    (Beeped ? ", which beeped" : "") +
                    (Unselected.empty() ? "" : " (nothing is selected in " + Unselected + ")"));
  }
  return Notes;
}
