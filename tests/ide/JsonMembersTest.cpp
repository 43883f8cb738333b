#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Json.h"

namespace {

struct TRow {
  const char* Name;
  const char* Text;
  // "name=value|..." of the members found; nullptr: refused.
  const char* Members;
};

// The members of an object's text are found by stepping over strings and
// brackets: a brace, bracket, comma or escaped quote inside a text or a
// nested value ends nothing.
TEST(JsonMembers, FindsEachMemberAndRefusesWhatIsNoObject) {
  const TRow Rows[] = {
      {"empty", " { } ", ""},
      {"flat", R"({"a":1,"b":"x"})", "a=1|b=\"x\""},
      {"blanks", "{ \"a\" :\t[1, 2] ,\n\"b\": null }", "a=[1, 2]|b=null"},
      {"nested", R"({"a":{"b":[{"c":"}"}]},"d":[]})", R"(a={"b":[{"c":"}"}]}|d=[])"},
      {"texts with marks", R"({"a":"x,}]\"\\","b":"\\"})", R"(a="x,}]\"\\"|b="\\")"},
      {"not an object", "[1]", nullptr},
      {"no closing brace", R"({"a":[1,2})", nullptr},
      {"open text", R"({"a":"x})", nullptr},
      {"no value", R"({"a":})", nullptr},
      {"no name", R"({1:2})", nullptr},
      {"text after it", R"({"a":1} x)", nullptr},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    if (Row.Members == nullptr) {
      EXPECT_THROW(JsonMembers(Row.Text), EJsonError);
      continue;
    }
    std::string Found;
    for (const TJsonMember& M : JsonMembers(Row.Text))
      Found += (Found.empty() ? "" : "|") + std::string(M.Name) + "=" + std::string(M.Value);
    EXPECT_EQ(Found, Row.Members);
  }
}

}  // namespace
