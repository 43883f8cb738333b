#include "HiveKey.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "CodePage.h"
#include "SysUtils.h"

namespace {

// Every byte's place in the order in which AnsiCompareText sorts single
// characters; letters that differ only in case share a place. AnsiCompareText
// compares character by character, so comparing names place by place is the
// same comparison, without folding each byte again in every comparison of a
// lookup (which made loading a large key several times slower).
std::array<unsigned short, 256> MakePlaces() {
  std::array<int, 256> Bytes;
  std::iota(Bytes.begin(), Bytes.end(), 0);
  const auto Compare = [](int A, int B) {
    return AnsiCompareText(std::string(1, static_cast<char>(A)),
                           std::string(1, static_cast<char>(B)));
  };
  std::stable_sort(Bytes.begin(), Bytes.end(),
                   [&Compare](int A, int B) { return Compare(A, B) < 0; });
  std::array<unsigned short, 256> Places{};
  unsigned short Place = 0;
  for (std::size_t i = 0; i < Bytes.size(); ++i) {
    if (i > 0 && Compare(Bytes[i - 1], Bytes[i]) != 0)
      ++Place;
    Places[static_cast<std::size_t>(Bytes[i])] = Place;
  }
  return Places;
}

const std::array<unsigned short, 256> Places = MakePlaces();

unsigned short PlaceOf(char C) {
  return Places[static_cast<unsigned char>(C)];
}

}  // namespace

bool HiveNameLess::operator()(const std::string& A, const std::string& B) const {
  const std::size_t N = std::min(A.size(), B.size());
  for (std::size_t i = 0; i < N; ++i)
    if (PlaceOf(A[i]) != PlaceOf(B[i]))
      return PlaceOf(A[i]) < PlaceOf(B[i]);
  return A.size() < B.size();
}

std::size_t HiveNameHash::operator()(const std::string& Name) const {
  // FNV-1a over the places: names that compare equal hash alike.
  std::size_t H = 14695981039346656037ull;
  for (char C : Name)
    H = (H ^ PlaceOf(C)) * 1099511628211ull;
  return H;
}

bool HiveNameEqual::operator()(const std::string& A, const std::string& B) const {
  if (A.size() != B.size())
    return false;
  for (std::size_t i = 0; i < A.size(); ++i)
    if (PlaceOf(A[i]) != PlaceOf(B[i]))
      return false;
  return true;
}

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
  // The start of the name is enough to find it by.
  return std::string(Value ? "the value name '" : "the key name '") +
         HiveTextToAnsi(Name).substr(0, 40) + "...' is " + std::to_string(HiveTextLength(Name)) +
         " characters long; Windows allows " + std::to_string(Limit);
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
