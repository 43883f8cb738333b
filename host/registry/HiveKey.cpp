#include "HiveKey.h"

#include <algorithm>

#include "CodePage.h"

HiveKey::~HiveKey() {
  std::vector<std::unique_ptr<HiveKey>> Doomed;
  for (auto& [Name, Child] : FChildren)
    Doomed.push_back(std::move(Child));
  while (!Doomed.empty()) {
    std::unique_ptr<HiveKey> Key = std::move(Doomed.back());
    Doomed.pop_back();
    for (auto& [Name, Child] : Key->FChildren)
      Doomed.push_back(std::move(Child));
    // Key goes at the end of this round with no children left, so its own
    // destructor finds nothing to do.
    Key->FChildren.clear();
  }
}

HiveKey* HiveKey::FindChild(const std::string& Name) {
  auto It = FChildren.find(Name);
  return It == FChildren.end() ? nullptr : It->second.get();
}

const HiveKey* HiveKey::FindChild(const std::string& Name) const {
  auto It = FChildren.find(Name);
  return It == FChildren.end() ? nullptr : It->second.get();
}

HiveKey& HiveKey::AddChild(const std::string& Name) {
  auto& Slot = FChildren[Name];
  if (!Slot)
    Slot = std::make_unique<HiveKey>(Name);
  return *Slot;
}

bool HiveKey::RemoveChild(const std::string& Name) {
  return FChildren.erase(Name) != 0;
}

const HiveValue* HiveKey::FindValue(const std::string& Name) const {
  auto It = FValueIndex.find(Name);
  return It == FValueIndex.end() ? nullptr : &FValues[It->second];
}

void HiveKey::SetValue(const std::string& Name, Cardinal Type, std::string Data, std::string Wide) {
  auto [It, Added] = FValueIndex.try_emplace(Name, FValues.size());
  if (Added) {
    FValues.push_back(HiveValue{Name, Type, std::move(Data), std::move(Wide)});
  } else {
    HiveValue& V = FValues[It->second];
    V.Type = Type;
    V.Data = std::move(Data);
    V.Wide = std::move(Wide);
  }
}

bool HiveKey::DeleteValue(const std::string& Name) {
  auto It = FValueIndex.find(Name);
  if (It == FValueIndex.end())
    return false;
  // The value's slot stays behind, unindexed, until the slots are compacted:
  // erasing it at once would move every later value and renumber the index,
  // and a file of N "name"=- lines would load in time N squared.
  FValueIndex.erase(It);
  if (FValues.size() - FValueIndex.size() > FValueIndex.size())
    Compact();
  return true;
}

const std::vector<HiveValue>& HiveKey::Values() const {
  if (FValues.size() != FValueIndex.size())
    Compact();
  return FValues;
}

void HiveKey::Compact() const {
  // A slot is alive when the index still leads to it: a deleted name leads
  // nowhere, or to its later slot when it was set again.
  std::size_t Kept = 0;
  for (std::size_t i = 0; i < FValues.size(); ++i) {
    ++FCompactSteps;
    auto It = FValueIndex.find(FValues[i].Name);
    if (It == FValueIndex.end() || It->second != i)
      continue;
    It->second = Kept;
    if (Kept != i)
      FValues[Kept] = std::move(FValues[i]);
    ++Kept;
  }
  FValues.resize(Kept);
}

void HiveKey::Clear() {
  FValues.clear();
  FValueIndex.clear();
  FChildren.clear();
}

namespace {

bool HasLineBreakOrNul(const std::string& S) {
  return S.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

}  // namespace

std::string HiveNameTooLong(const std::string& Name, bool Value) {
  const std::size_t Limit = Value ? HiveMaxValueName : HiveMaxKeyName;
  // Windows counts UTF-16 code units; hive text spends several bytes on some.
  if (Name.size() <= Limit || HiveTextLength(Name) <= Limit)
    return std::string();
  return HiveNameLengthError(Name, HiveTextLength(Name), Value);
}

std::string HiveNameLengthError(const std::string& Start, std::size_t Length, bool Value) {
  // The start of the name is enough to find it by.
  return std::string(Value ? "the value name '" : "the key name '") +
         HiveTextToAnsi(Start).substr(0, 40) + "...' is " + std::to_string(Length) +
         " characters long; Windows allows " +
         std::to_string(Value ? HiveMaxValueName : HiveMaxKeyName);
}

bool SplitKeyPath(const std::string& Path, std::vector<std::string>& Names) {
  Names.clear();
  std::size_t Start = 0;
  while (Start < Path.size()) {
    std::size_t End = Path.find('\\', Start);
    if (End == std::string::npos)
      End = Path.size();
    std::string Name = Path.substr(Start, End - Start);
    if (Name.empty() || HasLineBreakOrNul(Name) || Names.size() == HiveMaxDepth)
      return false;
    Names.push_back(std::move(Name));
    Start = End + 1;
  }
  return true;
}

bool IsStorableValueName(const std::string& Name) {
  return !HasLineBreakOrNul(Name);
}

HiveKey* FindHiveKey(HiveKey& Root, const std::vector<std::string>& Path) {
  HiveKey* Key = &Root;
  for (const std::string& Name : Path) {
    Key = Key->FindChild(Name);
    if (Key == nullptr)
      return nullptr;
  }
  return Key;
}

const HiveKey* FindHiveKey(const HiveKey& Root, const std::vector<std::string>& Path) {
  return FindHiveKey(const_cast<HiveKey&>(Root), Path);
}

HiveKey& EnsureHiveKey(HiveKey& Root, const std::vector<std::string>& Path) {
  HiveKey* Key = &Root;
  for (const std::string& Name : Path)
    Key = &Key->AddChild(Name);
  return *Key;
}

void ApplyHiveOp(HiveKey& Root, const HiveOp& Op) {
  ApplyHiveOp(Root, Op.Kind, Op.Path, Op.Name, Op.Type, Op.Data);
}

void ApplyHiveOp(HiveKey& Root, HiveOp::TKind Kind, const std::vector<std::string>& Path,
                 const std::string& Name, Cardinal Type, const std::string& Data) {
  switch (Kind) {
    case HiveOp::CreateKey:
      EnsureHiveKey(Root, Path);
      break;
    case HiveOp::SetValue:
      EnsureHiveKey(Root, Path).SetValue(Name, Type, Data);
      break;
    case HiveOp::DeleteValue:
      if (HiveKey* Key = FindHiveKey(Root, Path))
        Key->DeleteValue(Name);
      break;
    case HiveOp::DeleteKey:
      if (Path.empty()) {
        Root.Clear();
      } else {
        std::vector<std::string> Parent(Path.begin(), Path.end() - 1);
        if (HiveKey* Key = FindHiveKey(Root, Parent))
          Key->RemoveChild(Path.back());
      }
      break;
  }
}
