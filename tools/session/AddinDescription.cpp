#include "AddinDescription.h"

#include <algorithm>

TAddinDescription::TAddinDescription(std::string Text)
    : FText(std::move(Text)), FMembers(JsonMembers(FText)) {}

std::string_view TAddinDescription::Text(std::string_view Member) const {
  const auto Found = std::find_if(FMembers.begin(), FMembers.end(),
                                  [Member](const TJsonMember& M) { return M.Name == Member; });
  return Found != FMembers.end() ? Found->Value : std::string_view("null");
}

TJson TAddinDescription::Value(std::string_view Member) const {
  return ParseJson(std::string(Text(Member)));
}
