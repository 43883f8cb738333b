#pragma once

// JSON text written as it goes, for the package's description of its
// expert: one object of a few members, and lists of page names that run to
// thousands. Members and items are separated as they come; strings are
// UTF-8, with quotes, backslashes and control characters escaped (as \n,
// \t and their kin where JSON has a short form, else as \u00xx).

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "CodePage.h"

class TJsonText {
 public:
  void BeginObject() {
    Separate();
    FText += '{';
    FFirst = true;
  }
  void EndObject() {
    FText += '}';
    FFirst = false;
  }
  void BeginArray() {
    Separate();
    FText += '[';
    FFirst = true;
  }
  void EndArray() {
    FText += ']';
    FFirst = false;
  }
  // The name of the member whose value comes next.
  void Key(std::string_view Name) {
    Separate();
    Quoted(Name);
    FText += ':';
    FAfterKey = true;
  }
  void Utf8(std::string_view Text) {
    Separate();
    Quoted(Text);
  }
  // Host text, Windows-1251.
  void Host(const std::string& Text) { Utf8(Win1251ToUtf8(Text)); }
  void Integer(long long Value) {
    Separate();
    FText += std::to_string(Value);
  }
  void Bool(bool Value) {
    Separate();
    FText += Value ? "true" : "false";
  }
  void Null() {
    Separate();
    FText += "null";
  }

  const std::string& Text() const { return FText; }

 private:
  // A comma before every item of a container but its first; none between a
  // member's name and its value.
  void Separate() {
    if (FAfterKey)
      FAfterKey = false;
    else if (!FFirst)
      FText += ',';
    FFirst = false;
  }
  static bool Plain(char C) {
    return C != '"' && C != '\\' && static_cast<unsigned char>(C) >= 0x20;
  }
  // The escapes JSON writers use where one exists (nlohmann's serializer,
  // which writes the simulator's dump, among them), so that this text is
  // byte for byte what such a writer makes of its value.
  static const char* ShortEscape(char C) {
    switch (C) {
      case '"':
        return "\\\"";
      case '\\':
        return "\\\\";
      case '\b':
        return "\\b";
      case '\f':
        return "\\f";
      case '\n':
        return "\\n";
      case '\r':
        return "\\r";
      case '\t':
        return "\\t";
      default:
        return nullptr;
    }
  }
  // Mostly a name with nothing to escape: written in one piece.
  void Quoted(std::string_view Text) {
    if (std::all_of(Text.begin(), Text.end(), Plain)) {
      const std::size_t At = FText.size();
      FText.resize(At + Text.size() + 2);
      char* Out = FText.data() + At;
      *Out = '"';
      std::copy(Text.begin(), Text.end(), Out + 1);
      Out[Text.size() + 1] = '"';
      return;
    }
    FText += '"';
    for (auto P = Text.begin(); P != Text.end();) {
      const auto Run = std::find_if_not(P, Text.end(), Plain);
      FText.append(P, Run);
      if (Run == Text.end())
        break;
      if (const char* Short = ShortEscape(*Run)) {
        FText += Short;
      } else {
        char Code[8];
        std::snprintf(Code, sizeof Code, "\\u%04x", static_cast<unsigned>(*Run));
        FText += Code;
      }
      P = Run + 1;
    }
    FText += '"';
  }

  std::string FText;
  bool FFirst = true;
  bool FAfterKey = false;
};
