// Seeded random sessions: a user and the IDE act in any order while the
// expert is loaded (group and page clicks, packages installed and removed,
// waits, activation, popups, the settings dialog), and after every step the
// test checks what the user relies on. The session does only what the
// simulator's commands can do, so that a failing one is written out as a
// script for tabulon-ide, which its failure names with the seed, the step
// and the session's actions. To replay or widen the run:
//   TABULON_SEED=S       runs the session of seed S alone
//   TABULON_SESSIONS=N   runs N sessions (from seed S, or from 1)

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DialogDriver.h"
#include "EngineFixture.h"
#include "MenuLetGo.h"
#include "ModalUser.h"
#include "ScopeExit.h"
#include "Seed.h"
#include "SessionScript.h"
#include "UserInput.h"
#include "uORVFrmMain.h"

namespace {

// The times a session picks from, in milliseconds: its waits, and the
// watch's and the sort timer's intervals as the store holds them and as the
// user types them in the dialog. On the real clock (Windows) a wait takes
// its time, so there the sessions keep to a third of a second and fewer of
// them run; sanitized builds run many times slower and check fewer too.
struct TTimes {
  std::vector<int> Waits, StoredWatch, StoredSort, TypedWatch, TypedSort;
};
#if defined(__SANITIZE_ADDRESS__)
#define TABULON_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TABULON_SANITIZED 1
#endif
#endif
#ifdef _WIN32
const TTimes kTimes = {{1, 10, 30, 49, 50, 51, 60, 100, 120, 300},
                       {1, 10, 50, 120},
                       {50, 300},
                       {10, 50, 120},
                       {50, 300}};
constexpr int kDefaultSessions = 40;
// How long past its interval the session waits for a tick that the real
// clock lets a loaded machine fire late.
constexpr int kLateBy = 20000;
#else
const TTimes kTimes = {
    {1, 10, 30, 49, 50, 51, 60, 100, 120, 300, 500, 1000, 2000, 2500, 5000, 10000, 11000},
    {1, 10, 50, 120, 2000, 5000},
    {50, 300, 1000, 10000},
    {10, 50, 120, 2000, 5000},
    {50, 300, 1000, 10000}};
#ifdef TABULON_SANITIZED
constexpr int kDefaultSessions = 300;
#else
constexpr int kDefaultSessions = 2000;
#endif
constexpr int kLateBy = 0;
#endif

const std::vector<std::string> kPagePool = {
    "Standard", "Additional", "Win32",   "System",  "Data Access", "Data Controls", "ADO",
    "BDE",      "Internet",   "Samples", "Dialogs", "Servers",     "Foo",           "Bar"};
// The names a user gives groups.
const std::vector<std::string> kGroupPool = {kAlpha, kBeta, kGamma, kDelta, kEcho};

std::string Show(const std::vector<std::string>& List) {
  std::string R = "[";
  for (const auto& S : List)
    R += (R.size() > 1 ? "," : "") + S;
  return R + "]";
}

// Pages as the words of a script's command, each after a blank.
std::string Words(const std::vector<std::string>& Pages) {
  std::string R;
  for (const auto& P : Pages) {
    R += ' ';
    R += TSessionScript::Word(P);
  }
  return R;
}

bool Contains(const std::vector<std::string>& List, const std::string& Name) {
  return std::any_of(List.begin(), List.end(),
                     [&](const std::string& S) { return AnsiSameText(S, Name); });
}

// A stored list back as names: a pair of 0x1F is one line break, a single
// 0x1F a CR, as the store reads it.
std::vector<std::string> Unstore(const std::string& Text) {
  std::string Plain;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '\x1F')
      Plain += Text[i];
    else if (i + 1 < Text.size() && Text[i + 1] == '\x1F')
      Plain += "\r\n", ++i;
    else
      Plain += '\r';
  }
  TStringList L;
  L.SetText(Plain);
  return Lines(&L);
}

// The IDE's palette handler as the expert finds it: it records whether any
// run saw less than the IDE's full current palette, then lets the IDE load.
class TPaletteWatch : public TObject {
 public:
  explicit TPaletteWatch(TIdeMainForm* Ide) : FIde(Ide) {}
  void Change(TObject* Sender) {
    TTabControl* Palette = FIde->Palette();
    const auto Tabs = Lines(Palette->Tabs());
    const int Index = Palette->TabIndex();
    const int Count = static_cast<int>(Tabs.size());
    if (Fault.empty() && Tabs != FIde->Pages())
      Fault = "the IDE's handler saw the tabs " + Show(Tabs) + " while its pages are " +
              Show(FIde->Pages());
    else if (Fault.empty() && (Count == 0 ? Index != -1 : Index < 0 || Index >= Count))
      Fault = "the IDE's handler saw tab " + std::to_string(Index) + " selected of " +
              std::to_string(Count);
    FIde->IdePaletteChange()(Sender);
  }
  std::string Fault;

 private:
  TIdeMainForm* FIde;
};

class TSession {
 public:
  explicit TSession(std::uint64_t Seed) : FSeed(Seed), FRng(Seed) {}
  ~TSession() {
    KeyboardState().ReleaseAll();
    delete FExpert;
    FApp.reset();
  }

  // Empty when every check held; else the seed, the step and the actions,
  // and the session is written out as a script into a folder of Dir.
  // Always writes it when Write; then the expert stays loaded at the end.
  std::string Run(const std::filesystem::path& Dir, bool Write = false);
  // The folder that Run writes the script into.
  std::filesystem::path Folder(const std::filesystem::path& Dir) const {
    return Dir / ("tabulon-session-" + std::to_string(HostVersion) + "-" + std::to_string(FSeed));
  }
  const TSessionScript& Script() const { return FScript; }

 private:
  int Pick(int N) { return static_cast<int>(FRng() % static_cast<std::uint64_t>(N)); }
  bool Chance(int Percent) { return Pick(100) < Percent; }
  template <class T>
  const T& OneOf(const std::vector<T>& List) {
    return List[static_cast<std::size_t>(Pick(static_cast<int>(List.size())))];
  }
  std::string Variant(const std::string& Name) {
    const int R = Pick(10);
    return R == 0 ? AnsiLowerCase(Name) : R == 1 ? AnsiUpperCase(Name) : Name;
  }
  void Log(const std::string& Action) { FLog.push_back(Action); }
  // The step as a line of the script: inside the settings dialog, a line
  // of its block, after the answers the input boxes took.
  void Say(const std::string& Line) {
    if (!FInDialog)
      return FScript.Add(Line);
    FBlock.insert(FBlock.end(), FInputs.begin(), FInputs.end());
    FInputs.clear();
    FBlock.push_back(Line);
  }
  void ExpectState();
  void Fail(const std::string& Message) {
    if (FFault.empty())
      FFault = Message;
  }

  void Prepare();
  void Step();
  void RunDialog(TCustomForm* Form);
  void Load();
  void Unload();
  // What the user would find wrong now, or nothing; Settled once the watch's
  // tick has taken every change of the IDE's palette.
  std::string Fault(bool Settled);
  void Check(bool Settled) {
    if (std::string Message = Fault(Settled); !Message.empty())
      Fail(Message);
  }
  void PassTime(int Milliseconds, bool Settles);
  void CheckUnloaded();
  TORVExpertProbe X() const { return TORVExpertProbe(FExpert); }
  bool Started() const { return FExpert != nullptr && FShown; }

  std::uint64_t FSeed;
  std::mt19937_64 FRng;
  std::unique_ptr<TApplication> FApp;
  std::unique_ptr<RegistryHive> FHive;
  TIdeMainForm* FIde = nullptr;
  std::unique_ptr<TPaletteWatch> FWatch;
  TORVExpert* FExpert = nullptr;
  bool FShown = false;
  bool FKeyExists = false;
  bool FIdeEmptied = false;
  int FComponents = 0;
  std::vector<std::string> FLog;
  std::string FFault;
  TSessionScript FScript;
  bool FInDialog = false, FDialogRan = false;
  std::vector<std::string> FBlock, FInputs;
};

std::string TSession::Run(const std::filesystem::path& Dir, bool Write) {
  FApp = std::make_unique<TApplication>();
  FHive = std::make_unique<RegistryHive>(":memory:");
  try {
    Prepare();
    const int Steps = 15 + Pick(30);
    for (int i = 0; i < Steps && FFault.empty(); ++i)
      Step();
    if (FFault.empty() && Started()) {
      const int Wait = X().PaletteChangeTimer()->Interval() + 1;
      Log("wait " + std::to_string(Wait) + " (settle)");
      Say("wait " + std::to_string(Wait));
      PassTime(Wait, true);
      Check(true);
    }
    if (FFault.empty() && FExpert != nullptr && !Write)
      Unload();
  } catch (const Exception& E) {
    Fail("raised " + E.Message());
  }
  if (FFault.empty() && !Write)
    return "";
  std::ostringstream Out;
  Out << "seed " << FSeed << ", step " << FLog.size() << " (" << FLog.back()
      << "): " << (FFault.empty() ? "no fault" : FFault) << "\nactions:";
  for (std::size_t i = 0; i < FLog.size(); ++i)
    Out << "\n  " << i + 1 << ". " << FLog[i];
  const std::string Report = Win1251ToUtf8(Out.str());
  ExpectState();
  const std::string Path = FScript.Write(
      Folder(Dir), "A random session of the engine tests, " + SeedNote(FSeed) + ":\n" + Report);
  return FFault.empty() ? "" : Report + "\nreplay: " + Path;
}

// The state the session reached, as the script's last lines check it.
void TSession::ExpectState() {
  FScript.Expect("/hostPalette/pages", TSessionScript::Json(FIde->Pages()));
  FScript.Expect("/palette/tabs", TSessionScript::Json(Lines(FIde->Palette()->Tabs())));
  FScript.Expect("/palette/tabIndex", std::to_string(FIde->Palette()->TabIndex()));
  if (FExpert == nullptr)
    return;
  FScript.Expect("/expert/groupsActive", X().GroupsActive() ? "true" : "false");
  TPageControl* Bar = X().GroupBar();
  std::string Sheets = "[";
  for (int i = 0; i < Bar->PageCount(); ++i)
    Sheets += std::string(i > 0 ? "," : "") +
              "{\"caption\":" + TSessionScript::Json(Bar->Pages(i)->Caption()) +
              ",\"tabVisible\":" + (Bar->Pages(i)->TabVisible() ? "true" : "false") + "}";
  FScript.Expect("/groupBar/sheets", Sheets + "]");
  FScript.Expect("/groupBar/activeIndex", std::to_string(Bar->ActivePageIndex()));
  FScript.Expect("/master/tabs", TSessionScript::Json(Lines(X().Master()->Tabs())));
}

void TSession::Prepare() {
  std::vector<std::string> Pages;
  for (int n = Pick(11); n > 0; --n) {
    const std::string& Page = OneOf(kPagePool);
    if (!Contains(Pages, Page))
      Pages.push_back(Variant(Page));
  }
  const bool Panel = Chance(25);
  FIde = new TIdeMainForm(FApp.get(), Panel ? TPaletteLayout::Panel : TPaletteLayout::ControlBar,
                          Pages);
  FWatch = std::make_unique<TPaletteWatch>(FIde);
  FIde->Palette()->SetOnChange(TNotifyEvent::Of<&TPaletteWatch::Change>(FWatch.get()));
  FComponents = FIde->ComponentCount();
  std::string Setup = "IDE " + Show(Pages) + (Panel ? " in a panel" : "");

  FKeyExists = Chance(70);
  if (FKeyExists) {
    TRegIniFile Reg;
    Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, true);
    std::vector<std::string> Names;
    for (int g = Pick(5); g > 0; --g) {
      Names.push_back(OneOf(kGroupPool));
      std::vector<std::string> Group;
      for (int p = Pick(5); p > 0; --p)
        Group.push_back(Variant(OneOf(kPagePool)));
      Reg.WriteString("Pages", Names.back(), Stored(Group));
      Setup += "; group " + std::to_string(Names.size()) + " " + Show(Group);
    }
    Reg.WriteString("Timer", "PagesSort", Stored(Names));
    const int Watch = OneOf(kTimes.StoredWatch);
    const int Sort = OneOf(kTimes.StoredSort);
    Reg.WriteInteger("Timer", "PageTimerRefreshInstallMSec", Watch);
    Reg.WriteInteger("Timer", "PageTimerRefreshMSec", Sort);
    Setup += "; watch " + std::to_string(Watch) + " ms, sort " + std::to_string(Sort) + " ms";
    for (const char* Option : {"PageGroupTimerRun", "PagePaletteTimerRun", "PageGroupKeep",
                               "PagesPaletteMultiLine", "PagesGroupMultiLine"}) {
      const bool On = Chance(40);
      Reg.WriteBool("Timer", Option, On);
      if (On)
        Setup += std::string("; ") + Option;
    }
    Reg.CloseKey();
  }
  Log(Setup);
  FScript.Setup(Pages, Panel, FHive->Text());
  if (Chance(50)) {
    Log("show");
    Say("show");
    FIde->Show();
    FIde->SetActive(true);
    FShown = true;
  }
  Load();
}

void TSession::Load() {
  Log("load");
  Say("load");
  FExpert = new TORVExpert();
  Check(false);
}

void TSession::Unload() {
  Log("unload");
  Say("unload");
  delete FExpert;
  FExpert = nullptr;
  CheckUnloaded();
}

void TSession::Step() {
  TTabControl* Palette = FIde->Palette();
  const int Action = Pick(100);
  bool Settled = false;
  if (!FShown && Action < 15) {
    Log("show");
    Say("show");
    FIde->Show();
    FIde->SetActive(true);
    FShown = true;
  } else if (Action < 27) {
    if (FExpert == nullptr || !X().GroupBar()->Showing() || X().GroupBar()->Tabs()->Count() == 0)
      return;
    TPageControl* Bar = X().GroupBar();
    const int Tab = Pick(Bar->Tabs()->Count());
    Log("group " + Bar->Tabs()->Get(Tab));
    Say("group #" + std::to_string(Tab));
    ClickTab(Bar, Tab);
  } else if (Action < 40) {
    if (!Palette->Showing() || Palette->Tabs()->Count() == 0)
      return;
    const int Tab = Pick(Palette->Tabs()->Count());
    const std::string Page = Palette->Tabs()->Get(Tab);
    const bool Changes = Tab != Palette->TabIndex();
    Log("page " + Page);
    Say("page #" + std::to_string(Tab));
    ClickTab(Palette, Tab);
    if (Changes && !AnsiSameText(FIde->LastLoad()->Page, Page))
      Fail("the user clicked " + Page + " and the IDE loaded " + FIde->LastLoad()->Page);
  } else if (Action < 50) {
    std::vector<std::string> Added;
    for (int n = 1 + Pick(3); n > 0; --n)
      Added.push_back(Chance(25) && !FIde->Pages().empty() ? Variant(OneOf(FIde->Pages()))
                                                           : Variant(OneOf(kPagePool)));
    Log("install " + Show(Added));
    Say("install" + Words(Added));
    FIde->InstallPages(Added);
  } else if (Action < 58) {
    if (FIde->Pages().empty())
      return;
    std::vector<std::string> Removed;
    if (Chance(10)) {
      Removed = FIde->Pages();
    } else {
      for (int n = 1 + Pick(2); n > 0; --n)
        Removed.push_back(Variant(OneOf(FIde->Pages())));
    }
    Log("uninstall " + Show(Removed));
    Say("uninstall" + Words(Removed));
    FIde->UninstallPages(Removed);
  } else if (Action < 75) {
    const int Wait = OneOf(kTimes.Waits);
    // A wait longer than the watch's interval lets its pending tick run.
    Settled = Started() && Wait > X().PaletteChangeTimer()->Interval();
    Log("wait " + std::to_string(Wait));
    Say("wait " + std::to_string(Wait));
    PassTime(Wait, Settled);
  } else if (Action < 83) {
    const bool Active = !FIde->Active();
    if (Active && !FIde->Showing())
      return;
    Log(Active ? "activate" : "deactivate");
    Say(Active ? "activate" : "deactivate");
    FIde->SetActive(Active);
  } else if (Action < 86) {
    if (!Palette->Showing())
      return;
    Log("popup");
    Say("popup");
    const TMenuLetGo LetGo;
    FIde->PaletteMenu()->Popup(0, 0);
  } else if (Action < 95) {
    if (FExpert == nullptr || !FIde->Showing())
      return;
    const bool Quick = Chance(20);
    const int Key = Chance(50) ? VK_LSHIFT : VK_LCONTROL;
    Log(Quick ? (Key == VK_LSHIFT ? "menu with left Shift" : "menu with left Ctrl")
              : "settings dialog:");
    const std::string KeyName = Key == VK_LSHIFT ? "LSHIFT" : "LCTRL";
    if (Quick)
      KeyboardState().Press(Key);
    FBlock.clear();
    FDialogRan = false;
    const bool Component = Chance(50);
    {
      TModalUser User([this](TCustomForm* Form) { RunDialog(Form); },
                      [this](const std::string&, const std::string&, std::string& Value) {
                        Value = OneOf(kGroupPool);
                        FInputs.push_back("input " + TSessionScript::Word(Value));
                        return true;
                      });
      (Component ? X().ComponentMenuItem() : X().PaletteMenuItem())->Click();
    }
    KeyboardState().ReleaseAll();
    // The dialog's block goes before the command that opens the dialog.
    if (Quick)
      Say("key down " + KeyName);
    if (FDialogRan) {
      Say("dialog");
      for (const auto& Line : FBlock)
        Say(Line);
      Say("end");
    }
    Say(Component ? "menu component" : "menu palette");
    if (Quick)
      Say("key up " + KeyName);
  } else {
    if (FExpert != nullptr)
      Unload();
    else
      Load();
    return;
  }
  Check(Settled);
}

void TSession::PassTime(int Milliseconds, bool Settles) {
  FApp->AdvanceTime(Milliseconds);
  // The headless clock fires the pending tick on the dot; the real one may
  // fire it late, so the session waits on while what it will check has not
  // settled, and a state that never settles is still its fault.
  for (int Late = 0; Settles && Late < kLateBy && !Fault(true).empty(); Late += 10)
    FApp->AdvanceTime(10);
}

void TSession::RunDialog(TCustomForm* Form) {
  auto* F = static_cast<TFrmMainORVExpert*>(Form);
  TDialogDriver D(Form);
  FDialogRan = FInDialog = true;
  ScopeExit Leave([&] { FInDialog = false; });
  auto Offered = Lines(F->LBoxPagePalette->Items());
  auto Pages = FIde->Pages();
  std::sort(Offered.begin(), Offered.end());
  std::sort(Pages.begin(), Pages.end());
  if (Offered != Pages)
    Fail("the dialog offers the pages " + Show(Offered) + " while the IDE has " + Show(Pages));
  for (int n = Pick(5); n > 0 && FFault.empty(); --n) {
    const int Act = Pick(8);
    TListBox* Groups = F->LBoxPageGroup;
    if (Act == 0) {
      const int Wait = OneOf(kTimes.Waits);
      Log("  wait " + std::to_string(Wait));
      Say("wait " + std::to_string(Wait));
      FApp->AdvanceTime(Wait);
      Check(false);
    } else if (Act == 1) {
      Log("  add a group");
      D.Sheet("TSGroupPage");
      Say("sheet TSGroupPage");
      D.Click("BtnAdd");
      Say("click BtnAdd");
    } else if (Act <= 4 && Groups->Items()->Count() > 0) {
      D.Sheet("TSGroupPage");
      Say("sheet TSGroupPage");
      const int Group = Pick(Groups->Items()->Count());
      D.Select("LBoxPageGroup", Group);
      Say("select LBoxPageGroup " + std::to_string(Group));
      TListBox* From = Act == 2 ? F->LBoxPagePalette : F->LBoxPagePalettePerPageGroup;
      if (Act == 4) {
        Log("  delete group " + std::to_string(Group + 1));
        D.Click("BtnDelete");
        Say("click BtnDelete");
      } else if (From->Items()->Count() > 0) {
        const int Item = Pick(From->Items()->Count());
        Log((Act == 2 ? "  into group " : "  out of group ") + std::to_string(Group + 1) + ": " +
            From->Items()->Get(Item));
        const std::string Button = Act == 2 ? "BtnMoveToLeftOne" : "BtnMoveToRightOne";
        D.Select(From->Name(), Item);
        Say("select " + From->Name() + " " + std::to_string(Item));
        D.Click(Button);
        Say("click " + Button);
      }
    } else if (Act == 5 || Act == 6) {
      D.Sheet("TSMain");
      Say("sheet TSMain");
      TCheckBox* Box = OneOf(std::vector<TCheckBox*>{
          F->CheckBoxTimerRefreshPageGroup, F->CheckBoxTimerRefreshPagePalette,
          F->CheckBoxTimerKeepSelectPageGroup, F->CheckBoxMultilinePalette,
          F->CheckBoxMultilinePagesGroup});
      if (Box->Enabled()) {
        Log("  click " + Box->Name());
        D.Click(Box->Name());
        Say("click " + Box->Name());
      }
    } else if (Act == 7) {
      D.Sheet("TSMain");
      Say("sheet TSMain");
      const bool Watch = Chance(50);
      const std::string Spin = Watch ? "SpinTimerInstallRefresh" : "SpinTimerRefreshPagesInterval";
      const auto* Control = static_cast<TControl*>(Form->FindComponent(Spin));
      if (Control->Enabled()) {
        const int Ms = Watch ? OneOf(kTimes.TypedWatch) : OneOf(kTimes.TypedSort);
        Log("  type " + Spin + " " + std::to_string(Ms));
        D.Type(Spin, std::to_string(Ms));
        Say("type " + Spin + " " + std::to_string(Ms));
      }
    }
  }
  const int End = Pick(10);
  Log(End < 6 ? "  ok" : End < 9 ? "  cancel" : "  close box");
  if (End < 6) {
    D.Ok();
    Say("ok");
    FKeyExists = true;
  } else if (End < 9) {
    D.Cancel();
    Say("cancel");
  } else {
    D.CloseBox();
  }
}

std::string TSession::Fault(bool Settled) {
  const auto& Pages = FIde->Pages();
  const auto Tabs = Lines(FIde->Palette()->Tabs());
  if (Pages.empty())
    FIdeEmptied = true;
  if (!FWatch->Fault.empty())
    return FWatch->Fault;
  if (const auto& Load = FIde->LastLoad()) {
    const int Index = FIde->Palette()->TabIndex();
    const std::string Selected = Index >= 0 ? Tabs.at(static_cast<std::size_t>(Index)) : "";
    if (!AnsiSameText(Selected, Load->Page))
      return "the palette shows " + Selected + " selected, the IDE loaded " + Load->Page;
  }
  if (FExpert == nullptr)
    return {};
  TPageControl* Bar = X().GroupBar();
  if (!Bar->Visible())
    return "the group bar is left hidden";
  if (!Started() || !X().GroupsActive()) {
    if (Tabs != Pages)
      return "grouping is off and the palette shows " + Show(Tabs) + ", not " + Show(Pages);
    if (Started() && FKeyExists && !FIdeEmptied)
      return "grouping went off";
    return {};
  }

  // What the store says each tab of the group bar shows now.
  TRegIniFile Reg;
  Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, false);
  std::vector<std::string> Names;
  for (const auto& Name : Unstore(Reg.ReadString("Timer", "PagesSort", "")))
    if (!Name.empty())
      Names.push_back(Name);
  std::vector<std::vector<std::string>> Shows;
  std::vector<bool> Grouped(Pages.size(), false);
  for (const auto& Name : Names) {
    Shows.emplace_back();
    for (const auto& Page : Unstore(Reg.ReadString("Pages", Name, ""))) {
      for (std::size_t i = 0; i < Pages.size(); ++i)
        if (AnsiSameText(Pages[i], Page)) {
          Shows.back().push_back(Page);
          Grouped[i] = true;
          break;
        }
    }
  }
  Shows.emplace_back();
  for (std::size_t i = 0; i < Pages.size(); ++i)
    if (!Grouped[i])
      Shows.back().push_back(Pages[i]);

  const int Active = Bar->ActivePageIndex();
  if (Bar->PageCount() != static_cast<int>(Shows.size()))
    return "the group bar has " + std::to_string(Bar->PageCount()) + " tabs, the store " +
           std::to_string(Names.size()) + " groups";
  const auto& Expected = Shows[static_cast<std::size_t>(Active)];
  if (!Settled) {
    // Until the watch's tick the palette may hold the IDE's rewrite as it is.
    if (Tabs != Expected && Tabs != Pages)
      return "the palette shows " + Show(Tabs) + " on group " + std::to_string(Active + 1) +
             ", which shows " + Show(Expected);
    return {};
  }
  const auto Master = Lines(X().Master()->Tabs());
  if (Master != Pages)
    return "the master list is " + Show(Master) + ", the IDE's pages " + Show(Pages);
  for (int i = 0; i < Bar->PageCount(); ++i)
    if (Bar->Pages(i)->TabVisible() != !Shows[static_cast<std::size_t>(i)].empty())
      return "group tab " + std::to_string(i + 1) + " is " +
             (Bar->Pages(i)->TabVisible() ? "shown" : "hidden");
  if (Tabs != Expected)
    return "the palette shows " + Show(Tabs) + " on group " + std::to_string(Active + 1) +
           ", which shows " + Show(Expected);
  if (FIde->Palette()->Parent() != Bar->ActivePage())
    return "the palette is not on the active group's tab";
  return {};
}

void TSession::CheckUnloaded() {
  TTabControl* Palette = FIde->Palette();
  const auto Tabs = Lines(Palette->Tabs());
  if (Tabs != FIde->Pages())
    return Fail("after unload the palette shows " + Show(Tabs) + ", the IDE's pages are " +
                Show(FIde->Pages()));
  if (const auto& Load = FIde->LastLoad())
    if (Palette->TabIndex() != Load->TabIndex)
      return Fail("after unload tab " + std::to_string(Palette->TabIndex()) +
                  " is selected, the IDE last loaded tab " + std::to_string(Load->TabIndex));
  if (Palette->OnChange() != TNotifyEvent::Of<&TPaletteWatch::Change>(FWatch.get()) ||
      FIde->OnActivate() != FIde->IdeActivate() || FIde->OnDeactivate() != FIde->IdeDeactivate() ||
      FIde->OnShow() != FIde->IdeShow() ||
      FIde->PaletteMenu()->OnPopup() != FIde->IdePaletteMenuPopup())
    return Fail("after unload a handler of the IDE is not back");
  if (Palette->Parent() != FIde->PaletteHome() || Palette->MultiLine() || !Palette->ParentFont())
    return Fail("after unload the palette is not back in its place");
  // A palette without a page has no row to fit; what height it keeps then
  // is not checked.
  const int Height = Palette->RowCount() * (Palette->Font()->Size() + 8);
  if (Height > 0 && (Palette->Height() != Height || FIde->PaletteHome()->Height() != Height))
    return Fail("after unload the palette is " + std::to_string(Palette->Height()) +
                " high, its panel " + std::to_string(FIde->PaletteHome()->Height()) + ", not " +
                std::to_string(Height));
  if (FIde->ComponentCount() != FComponents)
    return Fail("after unload the main form has components of the expert left");
  Check(false);
}

int EnvInt(const char* Name, int Default) {
  const char* Value = std::getenv(Name);
  return Value != nullptr && *Value != '\0' ? std::atoi(Value) : Default;
}

// Where a failing session's script goes: the tests' temporary folder.
std::filesystem::path ScriptFolder() {
  const char* Dir = std::getenv("TEST_TMPDIR");
  return Dir != nullptr && *Dir != '\0' ? std::filesystem::path(Dir)
                                        : std::filesystem::temp_directory_path();
}

}  // namespace

// The sessions, in slices that run as tests of their own: slice K of
// kSlices runs its share of the seeds First .. First + Count - 1.
constexpr int kSlices = 20;
class Session : public ::testing::TestWithParam<int> {};

TEST_P(Session, NoPaletteChangeIsLostInRandomSessions) {
  const auto Given = GivenSeed();
  const int First = Given ? static_cast<int>(*Given) : 1;
  const int Count = EnvInt("TABULON_SESSIONS", Given ? 1 : kDefaultSessions);
  const int From = First + Count * GetParam() / kSlices;
  const int To = First + Count * (GetParam() + 1) / kSlices;
  if (From == To)
    GTEST_SKIP() << "no session falls in this slice";
  std::cout << "seeds " << From << " to " << To - 1 << " (TABULON_SEED=S replays seed S)\n";
  int Failed = 0;
  for (int s = From; s < To; ++s) {
    const std::string Fault = TSession(static_cast<std::uint64_t>(s)).Run(ScriptFolder());
    if (!Fault.empty() && ++Failed <= 3)
      ADD_FAILURE() << Fault;
  }
  EXPECT_EQ(Failed, 0) << "of the sessions of seeds " << From << " to " << To - 1;
}

INSTANTIATE_TEST_SUITE_P(Slices, Session, ::testing::Range(0, kSlices));

#ifdef TABULON_IDE_PATH
// A session written out and run by tabulon-ide of this build ends in the
// state the session reached: every `expect` at its end holds. Only the
// headless builds name the simulator: on the real clock a session's ticks
// fall where the machine's load puts them, and a replay would not meet them
// where the session did.
TEST(Session, ScriptReplaysTheSessionInTheSimulator) {
  const std::filesystem::path Dir = ScriptFolder();
  for (std::uint64_t Seed = 1; Seed <= 12; ++Seed) {
    TSession Session(Seed);
    ASSERT_EQ(Session.Run(Dir, true), "") << SeedNote(Seed);
    const std::filesystem::path Folder = Session.Folder(Dir);
    const std::string Hive = (Folder / "replay.reg").string();
    std::filesystem::copy_file(Folder / "hive.reg", Hive,
                               std::filesystem::copy_options::overwrite_existing);
    const std::string Command =
        std::string(TABULON_IDE_PATH) + " " + Session.Script().Options(Folder, Hive) + " " +
        (Folder / "session.tide").string() + " > " + (Folder / "replay.out").string() + " 2>&1";
    EXPECT_EQ(std::system(Command.c_str()), 0) << SeedNote(Seed) << ": " << Command << "\n"
                                               << std::ifstream(Folder / "replay.out").rdbuf();
    std::filesystem::remove_all(Folder);
  }
}
#endif
