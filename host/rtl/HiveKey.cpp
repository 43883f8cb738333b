#include "HiveKey.h"

#include "SysUtils.h"

bool HiveNameLess::operator()(const std::string& A, const std::string& B) const {
  return AnsiCompareText(A, B) < 0;
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
  for (const HiveValue& V : FValues)
    if (AnsiSameText(V.Name, Name))
      return &V;
  return nullptr;
}

void HiveKey::SetValue(const std::string& Name, Cardinal Type, std::string Data) {
  for (HiveValue& V : FValues)
    if (AnsiSameText(V.Name, Name)) {
      V.Type = Type;
      V.Data = std::move(Data);
      return;
    }
  FValues.push_back(HiveValue{Name, Type, std::move(Data)});
}

bool HiveKey::DeleteValue(const std::string& Name) {
  for (auto It = FValues.begin(); It != FValues.end(); ++It)
    if (AnsiSameText(It->Name, Name)) {
      FValues.erase(It);
      return true;
    }
  return false;
}

void HiveKey::Clear() {
  FValues.clear();
  FChildren.clear();
}

namespace {

bool HasLineBreakOrNul(const std::string& S) {
  return S.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

}  // namespace

bool SplitKeyPath(const std::string& Path, std::vector<std::string>& Names) {
  Names.clear();
  std::size_t Start = 0;
  while (Start < Path.size()) {
    std::size_t End = Path.find('\\', Start);
    if (End == std::string::npos)
      End = Path.size();
    std::string Name = Path.substr(Start, End - Start);
    if (Name.empty() || HasLineBreakOrNul(Name))
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

namespace {

HiveKey& EnsureHiveKey(HiveKey& Root, const std::vector<std::string>& Path) {
  HiveKey* Key = &Root;
  for (const std::string& Name : Path)
    Key = &Key->AddChild(Name);
  return *Key;
}

}  // namespace

void ApplyHiveOp(HiveKey& Root, const HiveOp& Op) {
  switch (Op.Kind) {
    case HiveOp::CreateKey:
      EnsureHiveKey(Root, Op.Path);
      break;
    case HiveOp::SetValue:
      EnsureHiveKey(Root, Op.Path).SetValue(Op.Name, Op.Type, Op.Data);
      break;
    case HiveOp::DeleteValue:
      if (HiveKey* Key = FindHiveKey(Root, Op.Path))
        Key->DeleteValue(Op.Name);
      break;
    case HiveOp::DeleteKey:
      if (Op.Path.empty()) {
        Root.Clear();
      } else {
        std::vector<std::string> Parent(Op.Path.begin(), Op.Path.end() - 1);
        if (HiveKey* Key = FindHiveKey(Root, Parent))
          Key->RemoveChild(Op.Path.back());
      }
      break;
  }
}
