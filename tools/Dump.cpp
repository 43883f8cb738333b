#include "Dump.h"

#include <optional>

#include "AddinCommands.h"
#include "DialogBlock.h"
#include "DialogDriver.h"
#include "Simulator.h"

namespace {

TJson HostKey(TSimulator& Sim) {
  (void)Sim;
  return HostVersion;
}

TJson TimeKey(TSimulator& Sim) {
  return static_cast<std::int64_t>(Sim.Ide().App()->Now());
}

TJson MainFormKey(TSimulator& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  TJson J = TJson::Object();
  J.Set("showing", Form->Showing());
  J.Set("active", Form->Active());
  J.Set("sizeMessages", Form->SizeMessages());
  return J;
}

std::vector<std::string> UserTexts(const TStrings* List) {
  std::vector<std::string> Result;
  for (int i = 0; i < List->Count(); ++i)
    Result.push_back(UserText(List->Strings(i)));
  return Result;
}

std::vector<std::string> UserTexts(const std::vector<std::string>& List) {
  std::vector<std::string> Result;
  for (const std::string& S : List)
    Result.push_back(UserText(S));
  return Result;
}

TJson PaletteKey(TSimulator& Sim) {
  TTabControl* Palette = Sim.MainForm()->Palette();
  TJson J = TJson::Object();
  J.Set("parent", PaletteParentName(Sim));
  J.Set("tabs", TJson::Strings(UserTexts(Palette->Tabs())));
  J.Set("tabIndex", Palette->TabIndex());
  J.Set("multiLine", Palette->MultiLine());
  J.Set("rowCount", Palette->RowCount());
  J.Set("height", Palette->Height());
  J.Set("parentFont", Palette->ParentFont());
  return J;
}

TJson HostPaletteKey(TSimulator& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  TJson J = TJson::Object();
  J.Set("pages", TJson::Strings(UserTexts(Form->Pages())));
  J.Set("loads", Form->Loads());
  if (const auto& Load = Form->LastLoad()) {
    TJson L = TJson::Object();
    L.Set("page", UserText(Load->Page));
    L.Set("tabIndex", Load->TabIndex);
    L.Set("tabCount", Load->TabCount);
    J.Set("lastLoad", L);
  } else {
    J.Set("lastLoad", nullptr);
  }
  return J;
}

TJson HostCallsKey(TSimulator& Sim) {
  TJson J = TJson::Object();
  for (const char* Event :
       {"mainForm.OnShow", "mainForm.OnActivate", "mainForm.OnDeactivate", "paletteMenu.OnPopup"})
    J.Set(Event, Sim.MainForm()->HostCalls(Event));
  return J;
}

TJson MenuItems(const TMenuItem* Menu) {
  TJson J = TJson::Array();
  for (int i = 0; i < Menu->Count(); ++i) {
    const TMenuItem* Item = Menu->Items(i);
    TJson I = TJson::Object();
    I.Set("caption", UserText(Item->Caption()));
    I.Set("shortCut", ShortCutToText(Item->ShortCut()));
    I.Set("checked", Item->Checked());
    J.Push(I);
  }
  return J;
}

TJson MenusKey(TSimulator& Sim) {
  TJson J = TJson::Object();
  J.Set("paletteMenu", MenuItems(Sim.MainForm()->PaletteMenu()->Items()));
  J.Set("componentMenu", MenuItems(Sim.MainForm()->ComponentMenu()));
  return J;
}

// Whose handler an event holds: the IDE's own, none, or someone else's
// (the add-in's, as nothing else installs handlers).
template <class E>
TJson Holder(TSimulator& Sim, const E& Event) {
  if (!Event.Assigned())
    return "none";
  return Sim.MainForm()->IsIdeObject(Event.Data) ? "host" : "expert";
}

TJson HandlersKey(TSimulator& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  TTabControl* P = Form->Palette();
  TJson J = TJson::Object();
  J.Set("mainForm.OnShow", Holder(Sim, Form->OnShow()));
  J.Set("mainForm.OnActivate", Holder(Sim, Form->OnActivate()));
  J.Set("mainForm.OnDeactivate", Holder(Sim, Form->OnDeactivate()));
  J.Set("palette.OnChange", Holder(Sim, P->OnChange()));
  J.Set("paletteMenu.OnPopup", Holder(Sim, Form->PaletteMenu()->OnPopup()));
  J.Set("palette.OnStartDock", Holder(Sim, P->OnStartDock()));
  J.Set("palette.OnStartDrag", Holder(Sim, P->OnStartDrag()));
  J.Set("palette.OnDragDrop", Holder(Sim, P->OnDragDrop()));
  J.Set("palette.OnDragOver", Holder(Sim, P->OnDragOver()));
  J.Set("palette.OnDockDrop", Holder(Sim, P->OnDockDrop()));
  J.Set("palette.OnDockOver", Holder(Sim, P->OnDockOver()));
  J.Set("palette.OnUnDock", Holder(Sim, P->OnUnDock()));
  J.Set("palette.OnEndDock", Holder(Sim, P->OnEndDock()));
  J.Set("palette.OnEndDrag", Holder(Sim, P->OnEndDrag()));
  return J;
}

TJson PackageKey(TSimulator& Sim) {
  TJson J = TJson::Object();
  const TLoadedPackage* P = Sim.Package();
  J.Set("loaded", P != nullptr);
  J.Set("description", P != nullptr ? TJson(UserText(P->Info.Description)) : TJson(nullptr));
  J.Set("requires", P != nullptr ? TJson::Strings(UserTexts(P->Info.Requires)) : TJson(nullptr));
  return J;
}

// One part of what the add-in's package says of its expert; null while the
// add-in is not loaded.
TJson AddinPart(TSimulator& Sim, const char* Part) {
  TJson State = AddinState(Sim);
  if (State.IsNull())
    return nullptr;
  const TJson* Value = State.Find(Part);
  return Value != nullptr ? *Value : TJson(nullptr);
}

TJson ExpertKey(TSimulator& Sim) {
  return AddinPart(Sim, "expert");
}
TJson GroupBarKey(TSimulator& Sim) {
  return AddinPart(Sim, "groupBar");
}
TJson MasterKey(TSimulator& Sim) {
  return AddinPart(Sim, "master");
}
TJson TimersKey(TSimulator& Sim) {
  return AddinPart(Sim, "timers");
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
    {"expert", ExpertKey},
    {"groupBar", GroupBarKey},
    {"master", MasterKey},
    {"timers", TimersKey},
};

std::optional<std::string> HostPlace(TSimulator& Sim, TWinControl* Parent) {
  if (Parent == Sim.MainForm()->PaletteHome())
    return "host";
  return std::nullopt;
}

// Each entry names the palette's parent when it knows it. The add-in's group
// bar ("groupBar.sheets[N]", "groupBar") comes here as one more entry.
using TParentNamer = std::optional<std::string> (*)(TSimulator& Sim, TWinControl* Parent);
// The add-in's group bar, as its package names the palette's place there.
std::optional<std::string> AddinPlace(TSimulator& Sim, TWinControl* Parent) {
  (void)Parent;
  const TJson Name = AddinPart(Sim, "paletteParent");
  if (Name.Kind() == TJson::TKind::String)
    return Name.AsString();
  return std::nullopt;
}

const TParentNamer kParentNamers[] = {HostPlace, AddinPlace};

}  // namespace

TJson PaletteParentName(TSimulator& Sim) {
  TWinControl* Parent = Sim.MainForm()->Palette()->Parent();
  if (Parent == nullptr)
    return nullptr;
  for (TParentNamer Namer : kParentNamers)
    if (auto Name = Namer(Sim, Parent))
      return *Name;
  std::string Name = Parent->ClassName();
  if (!Parent->Name().empty())
    Name.append(" ").append(UserText(Parent->Name()));
  return Name;
}

TJson Dump(TSimulator& Sim) {
  TJson J = TJson::Object();
  if (TDialogDriver* Dialog = Sim.Dialogs().Open()) {
    J.Set("dialog", TJson::Parse(Dialog->DumpJson()));
    return J;
  }
  for (const TDumpKey& Key : kDumpKeys)
    J.Set(Key.Name, Key.Build(Sim));
  return J;
}
