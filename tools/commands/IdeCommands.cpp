#include "IdeCommands.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "Package.h"
#include "SimulatorState.h"
#include "SysUtils.h"
#include "UserInput.h"
#include "Windows.h"

namespace {

// The group of the loaded add-in whose pages include Page (host text), as
// the user reads its name; empty when none does.
std::string GroupOfPage(TSimulatorState& Sim, const std::string& Page) {
  if (Sim.Package() == nullptr)
    return "";
  const auto State = DescribePackage(Sim.Ide().Packages(), *Sim.Package());
  if (State == nullptr)
    return "";
  const TJson Groups = State->Value("groupPages");
  const TJson Bar = State->Value("groupBar");
  if (!Groups.is_array() || !Bar.is_object() || !Bar.contains("sheets"))
    return "";
  const TJson& Sheets = Bar["sheets"];
  for (std::size_t i = 0; i < Groups.size() && i < Sheets.size(); ++i)
    for (const TJson& Name : Groups[i])
      if (AnsiSameText(HostText(Name.get<std::string>()), Page))
        return Sheets[i]["caption"].get<std::string>();
  return "";
}

void ArgumentCount(const TArgs& A, std::size_t Count, const char* Synopsis) {
  if (A.Words.size() != Count || !A.Tail.empty())
    throw ECommandError("usage: " + std::string(Synopsis));
}

std::vector<std::string> PageNames(const TArgs& A) {
  if (A.Words.empty())
    throw ECommandError("usage: " + A.Command + " PAGE...");
  std::vector<std::string> Pages;
  for (const TWord& W : A.Words) {
    if (W.Text.empty())
      throw ECommandError("a page name cannot be empty");
    Pages.push_back(HostText(W.Text));
  }
  return Pages;
}

// "TButton,TEdit": the class names a package lists for a page, or nothing
// when Text does not read as such a list (then the '=' before it is part of
// the page's name: "1+1=2"). A list with an empty name or one that is no
// class name is refused: the package would install what the user did not
// mean.
std::optional<std::vector<std::string>> ComponentList(const std::string& Text,
                                                      const std::string& Word) {
  const bool ListLike =
      Text.empty() ||
      (Text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_,") ==
           std::string::npos &&
       Text.find_first_not_of("0123456789") != std::string::npos);
  if (!ListLike)
    return std::nullopt;
  std::vector<std::string> Names;
  std::size_t At = 0;
  for (;;) {
    const std::size_t Comma = std::min(Text.find(',', At), Text.size());
    const std::string Name = Text.substr(At, Comma - At);
    if (Name.empty())
      throw ECommandError("install: '" + Word +
                          "' has an empty component name (PAGE=COMPONENT,COMPONENT...)");
    if (std::isdigit(static_cast<unsigned char>(Name[0])))
      throw ECommandError("install: '" + Name + "' in '" + Word +
                          "' is no class name: a class name starts with a letter or _");
    Names.push_back(Name);
    if (Comma == Text.size())
      return Names;
    At = Comma + 1;
  }
}

}  // namespace

void ShowCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  // The window manager activates a main window when it first appears.
  Sim.MainForm()->Show();
  Sim.MainForm()->SetActive(true);
}

void ActivateCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  if (!Sim.MainForm()->Showing())
    throw ECommandError("the main form is not shown, so it cannot be activated (use show)");
  Sim.MainForm()->SetActive(true);
}

void DeactivateCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  Sim.MainForm()->SetActive(false);
}

void PageCommand(TSimulatorState& Sim, const TArgs& A) {
  const std::optional<TWord> Caption = WholeArgument(A.Tail);
  if (!Caption)
    throw ECommandError("usage: page CAPTION | page #N");
  TTabControl* Palette = Sim.MainForm()->Palette();
  if (!Palette->Showing())
    throw ECommandError("the palette is not on the screen (use show)");
  try {
    ClickTab(Palette, FindTab(Palette, *Caption, "palette tab"));
  } catch (const ECommandError&) {
    // The palette shows one group's pages: a page of another group is
    // there once that group is chosen.
    if (Caption->Quoted || Caption->Text.rfind('#', 0) != 0)
      if (const std::string Group = GroupOfPage(Sim, HostText(Caption->Text)); !Group.empty())
        throw ECommandError("there is no palette tab '" + Caption->Text +
                            "' in the group shown: the page is in the group '" + Group +
                            "' (group " + Group + " shows it)");
    throw;
  }
}

void WaitCommand(TSimulatorState& Sim, const TArgs& A) {
  ArgumentCount(A, 1, "wait MS");
  Sim.Ide().App()->AdvanceTime(ParseCount(A.Words[0].Text, "MS"));
}

// install PAGE[=COMPONENT,...]...: a page may carry the components the
// package puts on it.
void InstallCommand(TSimulatorState& Sim, const TArgs& A) {
  const std::vector<std::string> Words = PageNames(A);
  std::vector<std::string> Pages;
  std::map<std::string, std::vector<std::string>> Components;
  for (std::size_t i = 0; i < Words.size(); ++i) {
    const std::string& W = Words[i];
    const std::size_t Eq = W.rfind('=');
    std::optional<std::vector<std::string>> List;
    if (Eq != std::string::npos && Eq > 0)
      List = ComponentList(W.substr(Eq + 1), A.Words[i].Text);
    if (!List) {
      Pages.push_back(W);
      continue;
    }
    Pages.push_back(W.substr(0, Eq));
    auto& On = Components[Pages.back()];
    On.insert(On.end(), List->begin(), List->end());
  }
  Sim.MainForm()->InstallPages(Pages, Components);
}

void UninstallCommand(TSimulatorState& Sim, const TArgs& A) {
  const std::vector<std::string> Pages = PageNames(A);
  // Checked here as well, so that the message is the user's own text.
  for (std::size_t i = 0; i < Pages.size(); ++i) {
    bool Found = false;
    for (const std::string& P : Sim.MainForm()->Pages())
      Found = Found || AnsiSameText(P, Pages[i]);
    if (!Found)
      throw ECommandError("there is no palette page '" + A.Words[i].Text + "' to remove");
  }
  Sim.MainForm()->UninstallPages(Pages);
}

void KeyCommand(TSimulatorState& Sim, const TArgs& A) {
  (void)Sim;
  ArgumentCount(A, 2, "key down|up LSHIFT|RSHIFT|LCTRL|RCTRL|A");
  const std::string& Dir = A.Words[0].Text;
  if (Dir != "down" && Dir != "up")
    throw ECommandError("key: expected down or up, not '" + Dir + "'");
  static const std::pair<const char*, int> kKeys[] = {{"LSHIFT", VK_LSHIFT},
                                                      {"RSHIFT", VK_RSHIFT},
                                                      {"LCTRL", VK_LCONTROL},
                                                      {"RCTRL", VK_RCONTROL},
                                                      {"A", 'A'}};
  for (const auto& [Name, Code] : kKeys) {
    if (A.Words[1].Text != Name)
      continue;
    if (Dir == "down")
      KeyboardState().Press(Code);
    else
      KeyboardState().Release(Code);
    return;
  }
  throw ECommandError("key: unknown key '" + A.Words[1].Text +
                      "' (LSHIFT, RSHIFT, LCTRL, RCTRL or A)");
}
