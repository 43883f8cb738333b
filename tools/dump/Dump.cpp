#include "Dump.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

#include "Command.h"
#include "DialogBlock.h"
#include "DialogDriver.h"
#include "Package.h"
#include "SimulatorState.h"

namespace {

// What the keys of one dump read: the simulator, and what the add-in's
// package says of its expert. Describing the add-in writes the expert's
// whole state as text, which at thousands of pages costs more than all the
// rest of a dump; the keys of one dump share one description, made when the
// first of them asks.
class TDumpSource {
 public:
  explicit TDumpSource(TSimulatorState& Sim) : Sim(Sim) {}
  TDumpSource(const TDumpSource&) = delete;
  TDumpSource& operator=(const TDumpSource&) = delete;

  TSimulatorState& Sim;

  // One member of that description; null while the add-in is not loaded.
  TJson AddinPart(const char* Part) { return Addin() ? Addin()->Value(Part) : TJson(nullptr); }
  // The same as the package wrote it.
  std::string_view AddinText(const char* Part) {
    return Addin() ? Addin()->Text(Part) : std::string_view("null");
  }

 private:
  // The loaded add-in's description; nullptr when no package is loaded.
  const TAddinDescription* Addin() {
    if (!FAsked && Sim.Package() != nullptr)
      FAddin = DescribePackage(Sim.Ide().Packages(), *Sim.Package());
    FAsked = true;
    return FAddin.get();
  }

  bool FAsked = false;
  std::unique_ptr<TAddinDescription> FAddin;
};

// One top-level key of the dump. Adding a key is adding one entry to
// kDumpKeys; keys appear in table order. A key without Build is the member
// of that name of the add-in's description.
struct TDumpKey {
  const char* Name;
  TJson (*Build)(TDumpSource& D) = nullptr;
};

TJson PaletteParentName(TDumpSource& D);

TJson HostKey(TDumpSource& D) {
  (void)D;
  return HostVersion;
}

TJson TimeKey(TDumpSource& D) {
  return static_cast<std::int64_t>(D.Sim.Ide().App()->Now());
}

TJson MainFormKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TIdeMainForm* Form = Sim.MainForm();
  TJson J = TJson::object();
  J["showing"] = Form->Showing();
  J["active"] = Form->Active();
  J["sizeMessages"] = Form->SizeMessages();
  return J;
}

std::vector<std::string> UserTexts(const TStrings* List) {
  std::vector<std::string> Result;
  for (int i = 0; i < List->Count(); ++i)
    Result.push_back(UserText(List->Strings(i)).Str());
  return Result;
}

std::vector<std::string> UserTexts(const std::vector<std::string>& List) {
  std::vector<std::string> Result;
  for (const std::string& S : List)
    Result.push_back(UserText(S).Str());
  return Result;
}

TJson PaletteKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TTabControl* Palette = Sim.MainForm()->Palette();
  TJson J = TJson::object();
  J["parent"] = PaletteParentName(D);
  J["tabs"] = TJson(UserTexts(Palette->Tabs()));
  J["tabIndex"] = Palette->TabIndex();
  J["firstTab"] = Palette->FirstTabInView();
  J["multiLine"] = Palette->MultiLine();
  J["rowCount"] = Palette->RowCount();
  J["height"] = Palette->Height();
  J["parentFont"] = Palette->ParentFont();
  return J;
}

TJson HostPaletteKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TIdeMainForm* Form = Sim.MainForm();
  TJson J = TJson::object();
  J["pages"] = TJson(UserTexts(Form->Pages()));
  // Each page's components (class names), for the pages that have any.
  TJson Components = TJson::object();
  for (const std::string& Page : Form->Pages())
    if (const auto& List = Form->Components(Page); !List.empty())
      Components[UserText(Page).Str()] = TJson(UserTexts(List));
  J["components"] = Components;
  J["loads"] = Form->Loads();
  if (const auto& Load = Form->LastLoad()) {
    TJson L = TJson::object();
    L["page"] = UserText(Load->Page);
    L["tabIndex"] = Load->TabIndex;
    L["tabCount"] = Load->TabCount;
    J["lastLoad"] = L;
  } else {
    J["lastLoad"] = nullptr;
  }
  return J;
}

TJson HostCallsKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TJson J = TJson::object();
  for (const char* Event :
       {"mainForm.OnShow", "mainForm.OnActivate", "mainForm.OnDeactivate", "paletteMenu.OnPopup"})
    J[Event] = Sim.MainForm()->HostCalls(Event);
  return J;
}

TJson MenuItems(const TMenuItem* Menu) {
  TJson J = TJson::array();
  for (int i = 0; i < Menu->Count(); ++i) {
    const TMenuItem* Item = Menu->Items(i);
    TJson I = TJson::object();
    I["caption"] = UserText(Item->Caption());
    I["shortCut"] = ShortCutToText(Item->ShortCut());
    I["checked"] = Item->Checked();
    J.push_back(I);
  }
  return J;
}

TJson MenusKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TJson J = TJson::object();
  J["paletteMenu"] = MenuItems(Sim.MainForm()->PaletteMenu()->Items());
  J["componentMenu"] = MenuItems(Sim.MainForm()->ComponentMenu());
  return J;
}

// Whose handler an event holds: the IDE's own, none, or someone else's
// (the add-in's, as nothing else installs handlers).
template <class E>
TJson Holder(TSimulatorState& Sim, const E& Event) {
  if (!Event.Assigned())
    return "none";
  return Sim.MainForm()->IsIdeObject(Event.Data) ? "host" : "expert";
}

TJson HandlersKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TIdeMainForm* Form = Sim.MainForm();
  TTabControl* P = Form->Palette();
  TJson J = TJson::object();
  J["mainForm.OnShow"] = Holder(Sim, Form->OnShow());
  J["mainForm.OnActivate"] = Holder(Sim, Form->OnActivate());
  J["mainForm.OnDeactivate"] = Holder(Sim, Form->OnDeactivate());
  J["palette.OnChange"] = Holder(Sim, P->OnChange());
  J["paletteMenu.OnPopup"] = Holder(Sim, Form->PaletteMenu()->OnPopup());
  J["palette.OnStartDock"] = Holder(Sim, P->OnStartDock());
  J["palette.OnStartDrag"] = Holder(Sim, P->OnStartDrag());
  J["palette.OnDragDrop"] = Holder(Sim, P->OnDragDrop());
  J["palette.OnDragOver"] = Holder(Sim, P->OnDragOver());
  J["palette.OnDockDrop"] = Holder(Sim, P->OnDockDrop());
  J["palette.OnDockOver"] = Holder(Sim, P->OnDockOver());
  J["palette.OnUnDock"] = Holder(Sim, P->OnUnDock());
  J["palette.OnEndDock"] = Holder(Sim, P->OnEndDock());
  J["palette.OnEndDrag"] = Holder(Sim, P->OnEndDrag());
  return J;
}

TJson PackageKey(TDumpSource& D) {
  TSimulatorState& Sim = D.Sim;
  TJson J = TJson::object();
  const TLoadedPackage* P = Sim.Package();
  J["loaded"] = P != nullptr;
  J["description"] = P != nullptr ? TJson(UserText(P->Info.Description)) : TJson(nullptr);
  J["requires"] = P != nullptr ? TJson(UserTexts(P->Info.Requires)) : TJson(nullptr);
  return J;
}

const TDumpKey kDumpKeys[] = {
    {"host", HostKey},
    {"time", TimeKey},
    {"mainForm", MainFormKey},
    {"palette", PaletteKey},
    {"hostPalette", HostPaletteKey},
    {"hostCalls", HostCallsKey},
    {"menus", MenusKey},
    {"handlers", HandlersKey},
    {"package", PackageKey},
    {"expert"},
    {"groupBar"},
    {"master"},
    {"timers"},
};

std::optional<std::string> HostPlace(TDumpSource& D, TWinControl* Parent) {
  if (Parent == D.Sim.MainForm()->PaletteHome())
    return "host";
  return std::nullopt;
}

// Each entry names the palette's parent when it knows it. The add-in's group
// bar ("groupBar.sheets[N]", "groupBar") comes here as one more entry.
using TParentNamer = std::optional<std::string> (*)(TDumpSource& D, TWinControl* Parent);
// The add-in's group bar, as its package names the palette's place there.
std::optional<std::string> AddinPlace(TDumpSource& D, TWinControl* Parent) {
  (void)Parent;
  const TJson Name = D.AddinPart("paletteParent");
  if (Name.is_string())
    return Name.get<std::string>();
  return std::nullopt;
}

const TParentNamer kParentNamers[] = {HostPlace, AddinPlace};

TJson PaletteParentName(TDumpSource& D) {
  TWinControl* Parent = D.Sim.MainForm()->Palette()->Parent();
  if (Parent == nullptr)
    return nullptr;
  for (TParentNamer Namer : kParentNamers)
    if (auto Name = Namer(D, Parent))
      return *Name;
  std::string Name = Parent->ClassName();
  if (!Parent->Name().empty())
    Name.append(" ").append(UserText(Parent->Name()).Str());
  return Name;
}

}  // namespace

TJson PaletteParentName(TSimulatorState& Sim) {
  TDumpSource D(Sim);
  return PaletteParentName(D);
}

TJson Dump(TSimulatorState& Sim) {
  TJson J = TJson::object();
  if (TDialogDriver* Dialog = Sim.Dialogs().Open()) {
    J["dialog"] = Dialog->Dump();
    return J;
  }
  TDumpSource D(Sim);
  for (const TDumpKey& Key : kDumpKeys)
    J[Key.Name] = Key.Build != nullptr ? Key.Build(D) : D.AddinPart(Key.Name);
  return J;
}

std::string DumpText(TSimulatorState& Sim, const std::vector<std::string>& Keys, bool Pretty) {
  const bool InDialog = Sim.Dialogs().Open() != nullptr;
  std::vector<const TDumpKey*> Chosen;
  for (const std::string& Name : Keys) {
    const auto Found = std::find_if(std::begin(kDumpKeys), std::end(kDumpKeys),
                                    [&Name](const TDumpKey& K) { return Name == K.Name; });
    if (InDialog ? Name != "dialog" : Found == std::end(kDumpKeys)) {
      std::string Known = InDialog ? "dialog" : "";
      for (const TDumpKey& K : kDumpKeys)
        if (!InDialog)
          Known += (Known.empty() ? "" : ", ") + std::string(K.Name);
      throw ECommandError("dump: there is no key '" + Name + "' (the keys are " + Known + ")");
    }
    if (!InDialog && std::find(Chosen.begin(), Chosen.end(), &*Found) == Chosen.end())
      Chosen.push_back(&*Found);
  }
  if (Pretty || InDialog) {
    TJson State = Dump(Sim);
    if (!Chosen.empty()) {
      TJson Part = TJson::object();
      for (const TDumpKey* Key : Chosen)
        Part[Key->Name] = State[Key->Name];
      State = std::move(Part);
    }
    return WriteJson(State, Pretty ? 2 : -1);
  }
  if (Chosen.empty())
    for (const TDumpKey& Key : kDumpKeys)
      Chosen.push_back(&Key);
  // The add-in's members go out as its package wrote them, which is as
  // WriteJson would write them again once parsed.
  TDumpSource D(Sim);
  std::string Text = "{";
  for (const TDumpKey* Key : Chosen) {
    Text += (Text.size() > 1 ? ",\"" : "\"") + std::string(Key->Name) + "\":";
    if (Key->Build != nullptr)
      Text += WriteJson(Key->Build(D));
    else
      Text += D.AddinText(Key->Name);
  }
  return Text + "}";
}
