#include "Classes.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>
#include <typeinfo>

#include "ScopeExit.h"

std::string ClassNameOf(const std::type_info& Type) {
  // A class of the global namespace, which every VCL class is, is mangled
  // as its name's length and the name ("9TTabSheet"): read so without the
  // demangler, since every window made asks for its class's name.
  const std::string_view Mangled = Type.name();
  std::size_t Digits = 0, Length = 0;
  for (; Digits < Mangled.size() && Mangled[Digits] >= '0' && Mangled[Digits] <= '9'; ++Digits)
    Length = Length * 10 + static_cast<std::size_t>(Mangled[Digits] - '0');
  if (Digits > 0 && Length == Mangled.size() - Digits)
    return std::string(Mangled.substr(Digits));
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Name(
      abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status), std::free);
  std::string Result = Status == 0 && Name ? Name.get() : Type.name();
  const auto Colon = Result.rfind("::");
  return Colon == std::string::npos ? Result : Result.substr(Colon + 2);
}

std::string TObject::ClassName() const {
  return ClassNameOf(typeid(*this));
}

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
    return;
  }
  AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) {
  const std::string From = this == Dest ? "nil" : ClassName();
  throw EConvertError("Cannot assign a " + From + " to a " + Dest->ClassName());
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr)
    AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Each one notified forgets this component first, so that what it does
  // then cannot reach back into the list.
  while (!FFreeNotifies.empty()) {
    TComponent* Other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(Other->FFreeNotifies, this);
    Other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr)
    FOwner->RemoveComponent(this);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this)
    return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr)
    return;
  std::erase(FFreeNotifies, AComponent);
  std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Instance = FComponents.back();
    RemoveComponent(Instance);
    delete Instance;
  }
}

namespace {
bool IsIdent(const std::string& S) {
  if (S.empty())
    return false;
  auto Letter = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; };
  if (!Letter(S[0]))
    return false;
  return std::all_of(S.begin(), S.end(),
                     [&](char C) { return Letter(C) || (C >= '0' && C <= '9'); });
}
}  // namespace

void TComponent::SetName(const std::string& NewName) {
  if (NewName == FName)
    return;
  if (!NewName.empty() && !IsIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (!NewName.empty() && FOwner != nullptr) {
    TComponent* Other = FOwner->FindComponent(NewName);
    if (Other != nullptr && Other != this)
      throw EComponentError("A component named " + NewName + " already exists");
  }
  FName = NewName;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty())
    return nullptr;
  for (TComponent* C : FComponents)
    if (AnsiSameText(C->FName, AName))
      return C;
  return nullptr;
}

void TComponent::SetDesigning(bool Value) {
  if (Value)
    FComponentState |= csDesigning;
  else
    FComponentState &= ~csDesigning;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner != nullptr)
    AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  // Components mostly go last first (an owner frees what it owns from its
  // last, hundreds of group sheets go so): they are looked for from the
  // end, so that each is found at once.
  auto It = std::find(FComponents.rbegin(), FComponents.rend(), AComponent);
  if (It != FComponents.rend())
    FComponents.erase(std::next(It).base());
  AComponent->FOwner = nullptr;
}

void TStrings::Put(int Index, const std::string& S) {
  const TItemObject Obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, Obj);
}

TItemObject TStrings::GetObject(int Index) const {
  (void)Index;
  return {};
}

void TStrings::PutObject(int Index, TItemObject AObject) {
  (void)Index;
  (void)AObject;
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareStrings(Get(i), S) == 0)
      return i;
  return -1;
}

int TStrings::Add(const std::string& S) {
  const int Result = Count();
  Insert(Result, S);
  return Result;
}

int TStrings::AddObject(const std::string& S, TItemObject AObject) {
  const int Result = Add(S);
  PutObject(Result, AObject);
  return Result;
}

void TStrings::InsertObject(int Index, const std::string& S, TItemObject AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings* Strings) {
  BeginUpdate();
  for (int i = 0; i < Strings->Count(); ++i)
    AddObject(Strings->Get(i), Strings->GetObject(i));
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex)
    return;
  BeginUpdate();
  const std::string S = Get(CurIndex);
  const TItemObject Obj = GetObject(CurIndex);
  Delete(CurIndex);
  try {
    InsertObject(NewIndex, S, Obj);
  } catch (...) {
    // A bad target index must not cost the item: put it back where it was.
    InsertObject(CurIndex, S, Obj);
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  const std::string S = Get(Index1);
  const TItemObject Obj = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, S);
  PutObject(Index2, Obj);
  EndUpdate();
}

std::string TStrings::Text() const {
  std::string Result;
  for (int i = 0, n = Count(); i < n; ++i) {
    Result += Get(i);
    Result += "\r\n";
  }
  return Result;
}

void TStrings::SetText(const std::string& Value) {
  BeginUpdate();
  ScopeExit Updated([this] { EndUpdate(); });
  Clear();
  ForEachTextLine(Value,
                  [this](const char* First, const char* Last) { Add(std::string(First, Last)); });
}

bool TStrings::Equals(const TStrings* Strings) const {
  const int n = Count();
  if (n != Strings->Count())
    return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != Strings->Get(i))
      return false;
  return true;
}

bool TStrings::EqualsWithObjects(const TStrings* Strings) const {
  if (!Equals(Strings))
    return false;
  for (int i = 0, n = Count(); i < n; ++i)
    if (GetObject(i) != Strings->GetObject(i))
      return false;
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TStrings*>(Source)) {
    BeginUpdate();
    ScopeExit Updated([this] { EndUpdate(); });
    Clear();
    AddStrings(S);
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0)
    SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (--FUpdateCount == 0)
    SetUpdateState(false);
}

void TStrings::Error(const std::string& Msg, int Data) const {
  throw EStringListError(Msg + " (" + IntToStr(Data) + ")");
}

TStringList::~TStringList() {
  FOnChange = {};
  FOnChanging = {};
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    Error("List index out of bounds", Index);
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return Items()[static_cast<std::size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted)
    throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  Items()[static_cast<std::size_t>(Index)].S = S;
  Changed();
}

TItemObject TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return Items()[static_cast<std::size_t>(Index)].Obj;
}

void TStringList::PutObject(int Index, TItemObject AObject) {
  CheckIndex(Index);
  Changing();
  Items()[static_cast<std::size_t>(Index)].Obj = AObject;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted)
    throw EStringListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > Count())
    Error("List index out of bounds", Index);
  InsertItem(Index, S, {});
}

void TStringList::InsertItem(int Index, const std::string& S, TItemObject AObject) {
  std::vector<Item>& All = Items();
  Changing();
  All.insert(All.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty() && !FUnsplit)
    return;
  Changing();
  FItems.clear();
  FText.clear();
  FUnsplit = false;
  Changed();
}

int TStringList::Add(const std::string& S) {
  int Index;
  if (!FSorted) {
    Index = Count();
  } else if (Find(S, Index)) {
    if (FDuplicates == dupIgnore)
      return Index;
    if (FDuplicates == dupError)
      throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(Index, S, {});
  return Index;
}

void TStringList::SetText(const std::string& Value) {
  if (FSorted) {
    TStrings::SetText(Value);  // each line goes to its place, duplicates as Add treats them
    return;
  }
  BeginUpdate();
  ScopeExit Updated([this] { EndUpdate(); });
  Clear();
  // A NUL ends the text: one that starts with it leaves the list empty.
  FUnsplit = !Value.empty() && Value[0] != '\0';
  if (FUnsplit)
    FText = Value;
}

void TStringList::Split() const {
  FUnsplit = false;
  std::string Text = std::move(FText);
  FText.clear();
  AppendTextLines(Text, FItems);
}

namespace {

// Whether a text is a list's own form: every line ended by CR LF, and no
// other CR, LF or NUL in it. Such a text is what the list's lines give
// back, byte for byte.
bool InListForm(const std::string& Text) {
  if (Text.size() < 2 || Text.compare(Text.size() - 2, 2, "\r\n") != 0)
    return false;
  const char* P = Text.data();
  const char* const End = P + Text.size();
  for (;;) {
    P = FindLineEnd(P, End);
    if (P == End)
      return true;
    if (*P != '\r' || End - P < 2 || P[1] != '\n')
      return false;
    P += 2;
  }
}

}  // namespace

std::string TStringList::Text() const {
  if (FUnsplit && InListForm(FText))
    return FText;
  std::size_t Size = 0;
  for (const Item& I : Items())
    Size += I.S.size() + 2;
  std::string Result(Size, '\0');
  char* Out = Result.data();
  for (const Item& I : FItems) {
    std::memcpy(Out, I.S.data(), I.S.size());
    Out += I.S.size();
    *Out++ = '\r';
    *Out++ = '\n';
  }
  return Result;
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted)
    return TStrings::IndexOf(S);
  int Index;
  return Find(S, Index) ? Index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  // Lower bound, so that among equal entries the first one is found, as the
  // VCL's Find does for a list that accepts duplicates.
  int L = 0, H = Count() - 1;
  bool Result = false;
  while (L <= H) {
    const int I = (L + H) / 2;
    const int C = CompareStrings(Items()[static_cast<std::size_t>(I)].S, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Result = true;
        if (FDuplicates != dupAccept)
          L = I;
      }
    }
  }
  Index = L;
  return Result;
}

void TStringList::Sort() {
  if (Count() <= 1)
    return;
  Changing();
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const Item& A, const Item& B) { return CompareStrings(A.S, B.S) < 0; });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value)
    return;
  if (Value)
    Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value)
    return;
  FCaseSensitive = Value;
  if (FSorted)
    Sort();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && FOnChange.Assigned())
    FOnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && FOnChanging.Assigned())
    FOnChanging(this);
}
