#pragma once

// What the add-in's package says of its expert: one JSON object (UTF-8)
// whose members are read apart. At thousands of pages the text runs to
// hundreds of kilobytes (the master list, every group's pages), and a dump
// prints most members as they stand, so a member is parsed only when its
// value is asked for, and its text can be passed on unparsed.

#include <string>
#include <string_view>
#include <vector>

#include "Json.h"

class TAddinDescription {
 public:
  // Raises EJsonError when Text is no JSON object.
  explicit TAddinDescription(std::string Text);
  TAddinDescription(const TAddinDescription&) = delete;
  TAddinDescription& operator=(const TAddinDescription&) = delete;

  // The member's value as the package wrote it (compact, as WriteJson
  // writes it); "null" where there is no such member.
  std::string_view Text(std::string_view Member) const;
  // The member's value; null where there is no such member.
  TJson Value(std::string_view Member) const;

 private:
  std::string FText;
  std::vector<TJsonMember> FMembers;
};
