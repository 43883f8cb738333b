#include "TypInfo.h"

const TPropType BooleanType{tkEnumeration, "Boolean", {"False", "True"}};
const TPropType IntegerType{tkInteger, "Integer", {}};
const TPropType Int64Type{tkInt64, "Int64", {}};
const TPropType ColorType{tkInteger, "TColor", {}};
const TPropType AlignmentType{
    tkEnumeration, "TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};

namespace {

const TPropInfo& Published(const TObject* Instance, const std::string& PropName) {
  const TPropInfo* Info = GetPropInfo(Instance, PropName);
  if (Info == nullptr)
    throw EPropertyError("Property " + PropName + " does not exist");
  return *Info;
}

const TPropInfo& Readable(const TObject* Instance, const std::string& PropName) {
  const TPropInfo& Info = Published(Instance, PropName);
  if (Info.GetProc == nullptr)
    throw EPropertyError("Property " + PropName + " cannot be read");
  return Info;
}

const TPropInfo& Writable(TObject* Instance, const std::string& PropName) {
  const TPropInfo& Info = Published(Instance, PropName);
  if (Info.SetProc == nullptr)
    throw EPropertyError("Property " + PropName + " is read-only");
  return Info;
}

}  // namespace

const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& PropName) {
  const TTypeInfo* Info = Instance != nullptr ? Instance->ClassInfo() : nullptr;
  if (Info == nullptr)
    return nullptr;
  for (const TPropInfo& P : Info->Props)
    if (AnsiSameText(P.Name, PropName))
      return &P;
  return nullptr;
}

bool IsPublishedProp(const TObject* Instance, const std::string& PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}

Integer GetOrdProp(const TObject* Instance, const std::string& PropName) {
  return static_cast<Integer>(Readable(Instance, PropName).GetProc(Instance));
}

Int64 GetInt64Prop(const TObject* Instance, const std::string& PropName) {
  return Readable(Instance, PropName).GetProc(Instance);
}

void SetOrdProp(TObject* Instance, const std::string& PropName, Integer Value) {
  Writable(Instance, PropName).SetProc(Instance, Value);
}

void SetInt64Prop(TObject* Instance, const std::string& PropName, Int64 Value) {
  Writable(Instance, PropName).SetProc(Instance, Value);
}

std::string GetSetProp(const TObject* Instance, const std::string& PropName, bool Brackets) {
  const TPropInfo& Info = Readable(Instance, PropName);
  if (Info.PropType == nullptr || Info.PropType->Kind != tkSet)
    throw EPropertyError("Property " + PropName + " is not a set");
  const auto Bits = static_cast<std::uint64_t>(Info.GetProc(Instance));
  std::string Result;
  const std::vector<const char*>& Names = Info.PropType->Names;
  for (std::size_t i = 0; i < Names.size() && i < 64; ++i)
    if ((Bits >> i) & 1)
      Result += (Result.empty() ? "" : ",") + std::string(Names[i]);
  return Brackets ? "[" + Result + "]" : Result;
}
