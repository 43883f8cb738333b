#include "Json.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

namespace {

// The library's messages start with "[json.exception.parse_error.101] ";
// the user needs only what follows.
std::string Reason(const nlohmann::json::exception& E) {
  const std::string Text = E.what();
  const std::size_t End = Text.find("] ");
  return End == std::string::npos ? Text : Text.substr(End + 2);
}

// What JSON allows between tokens.
bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

// A value as a difference line shows it: compact, and cut short.
std::string Shown(const TJson* Value) {
  constexpr std::size_t kLongest = 80;
  if (Value == nullptr)
    return "(no such value)";
  std::string Text = WriteJson(*Value);
  if (Text.size() > kLongest) {
    std::size_t Cut = kLongest;
    // Not inside a UTF-8 sequence.
    while (Cut > 0 && (static_cast<unsigned char>(Text[Cut]) & 0xC0) == 0x80)
      --Cut;
    Text = Text.substr(0, Cut) + "...";
  }
  return Text;
}

std::string PointerToken(const std::string& Key) {
  std::string Token;
  for (char C : Key)
    Token += C == '~' ? "~0" : C == '/' ? "~1" : std::string(1, C);
  return Token;
}

struct TDifference {
  std::string Pointer;
  const TJson* Expected;
  const TJson* Actual;
};

void Differences(const std::string& Pointer, const TJson* Expected, const TJson* Actual,
                 std::vector<TDifference>& Out) {
  if (Expected != nullptr && Actual != nullptr && Expected->is_object() && Actual->is_object()) {
    for (const auto& [Key, Value] : Expected->items()) {
      const auto It = Actual->find(Key);
      Differences(Pointer + "/" + PointerToken(Key), &Value, It != Actual->end() ? &*It : nullptr,
                  Out);
    }
    for (const auto& [Key, Value] : Actual->items())
      if (!Expected->contains(Key))
        Differences(Pointer + "/" + PointerToken(Key), nullptr, &Value, Out);
    return;
  }
  // Arrays of one length differ item by item; of two lengths, an item
  // added or taken away would make every later item differ, so the arrays
  // are shown whole.
  if (Expected != nullptr && Actual != nullptr && Expected->is_array() && Actual->is_array() &&
      Expected->size() == Actual->size()) {
    for (std::size_t i = 0; i < Expected->size(); ++i)
      Differences(Pointer + "/" + std::to_string(i), &(*Expected)[i], &(*Actual)[i], Out);
    return;
  }
  if (Expected == nullptr || Actual == nullptr || !JsonEqual(*Expected, *Actual))
    Out.push_back({Pointer, Expected, Actual});
}

}  // namespace

TJson ParseJson(const std::string& Text) {
  // The keys of the objects being read, innermost last.
  std::vector<std::set<std::string>> Keys;
  const TJson::parser_callback_t Check = [&Keys](int, nlohmann::json::parse_event_t Event,
                                                 TJson& Parsed) {
    using E = nlohmann::json::parse_event_t;
    if (Event == E::object_start)
      Keys.emplace_back();
    else if (Event == E::object_end)
      Keys.pop_back();
    else if (Event == E::key && !Keys.back().insert(Parsed.get<std::string>()).second)
      throw EJsonError("invalid JSON: the key '" + Parsed.get<std::string>() +
                       "' is given twice in one object");
    return true;
  };
  try {
    return TJson::parse(Text, Check);
  } catch (const nlohmann::json::parse_error& E) {
    // A bare word is text left without its quotes, the commonest slip.
    const std::size_t First = std::min(Text.find_first_not_of(" \t"), Text.size());
    const std::size_t Last = Text.find_last_not_of(" \t");
    const std::string Word = Text.substr(First, Last - First + 1);
    const bool Bare = !Word.empty() && std::isalpha(static_cast<unsigned char>(Word[0])) &&
                      Word.find_first_of(" \t\"[]{}:,") == std::string::npos;
    if (Bare)
      throw EJsonError("invalid JSON: " + Word +
                       " is no JSON value (a text goes in double quotes: \"" + Word + "\")");
    // "parse error at line 1, column 4: syntax error while parsing value -
    // invalid literal; last read: '[1,x'": the place and what was wrong.
    std::string Why = Reason(E);
    if (const std::size_t Dash = Why.find(" - "); Dash != std::string::npos)
      Why = Why.substr(Dash + 3);
    throw EJsonError("invalid JSON at character " + std::to_string(E.byte) + ": " + Why);
  } catch (const nlohmann::json::exception& E) {
    throw EJsonError("invalid JSON: " + Reason(E));
  }
}

const TJson* JsonAt(const TJson& Json, const std::string& Pointer) {
  if (!Pointer.empty() && Pointer[0] != '/')
    throw EJsonError("a JSON pointer starts with '/', as in /palette/tabs/0");
  try {
    const TJson::json_pointer Path(Pointer);
    return Json.contains(Path) ? &Json.at(Path) : nullptr;
  } catch (const nlohmann::json::exception& E) {
    std::string Why = Reason(E);
    if (Why.rfind("parse error: ", 0) == 0)
      Why.erase(0, 13);
    throw EJsonError(Why);
  }
}

bool JsonEqual(const TJson& L, const TJson& R) {
  if (L.is_object() && R.is_object()) {
    if (L.size() != R.size())
      return false;
    for (const auto& [Key, Value] : L.items()) {
      const auto It = R.find(Key);
      if (It == R.end() || !JsonEqual(Value, *It))
        return false;
    }
    return true;
  }
  if (L.is_array() && R.is_array()) {
    if (L.size() != R.size())
      return false;
    for (std::size_t i = 0; i < L.size(); ++i)
      if (!JsonEqual(L[i], R[i]))
        return false;
    return true;
  }
  return L == R;
}

std::vector<TJsonMember> JsonMembers(std::string_view Object) {
  const auto Fail = [](const char* Why) {
    throw EJsonError(std::string("not a JSON object: ") + Why);
  };
  std::size_t At = 0;
  const auto Blanks = [&] {
    while (At < Object.size() && IsBlank(Object[At]))
      ++At;
  };
  // At the opening quote; leaves At after the closing one.
  const auto SkipString = [&] {
    for (++At; At < Object.size() && Object[At] != '"'; ++At)
      if (Object[At] == '\\')
        ++At;
    if (At >= Object.size())
      Fail("a text has no closing quote");
    ++At;
  };
  std::vector<TJsonMember> Members;
  Blanks();
  if (At >= Object.size() || Object[At] != '{')
    Fail("it does not start with {");
  ++At;
  Blanks();
  bool Closed = At < Object.size() && Object[At] == '}';
  if (Closed)
    ++At;
  while (!Closed) {
    Blanks();
    if (At >= Object.size() || Object[At] != '"')
      Fail("a member has no quoted name");
    const std::size_t NameStart = At + 1;
    SkipString();
    TJsonMember& M = Members.emplace_back();
    M.Name = Object.substr(NameStart, At - 1 - NameStart);
    Blanks();
    if (At >= Object.size() || Object[At] != ':')
      Fail("a member's name is not followed by :");
    ++At;
    Blanks();
    const std::size_t ValueStart = At;
    int Depth = 0;
    for (; At < Object.size(); ++At) {
      const char C = Object[At];
      if (C == '"') {
        SkipString();
        --At;
      } else if (C == '{' || C == '[') {
        ++Depth;
      } else if ((C == '}' || C == ']') && Depth > 0) {
        --Depth;
      } else if ((C == '}' || C == ',') && Depth == 0) {
        break;
      }
    }
    if (At >= Object.size())
      Fail("it has no closing }");
    std::size_t ValueEnd = At;
    while (ValueEnd > ValueStart && IsBlank(Object[ValueEnd - 1]))
      --ValueEnd;
    if (ValueEnd == ValueStart)
      Fail("a member has no value");
    M.Value = Object.substr(ValueStart, ValueEnd - ValueStart);
    Closed = Object[At++] == '}';
  }
  Blanks();
  if (At != Object.size())
    Fail("something follows its closing }");
  return Members;
}

std::string WriteJson(const TJson& Json, int Indent) {
  // Text that is not UTF-8 never reaches a dump; should it, a replacement
  // character stands in rather than the dump failing.
  return Json.dump(Indent, ' ', false, TJson::error_handler_t::replace);
}

std::string JsonDifferences(const std::string& Pointer, const TJson& Expected, const TJson* Actual,
                            std::size_t MaxLines) {
  const bool Containers = Actual != nullptr && ((Expected.is_object() && Actual->is_object()) ||
                                                (Expected.is_array() && Actual->is_array()));
  if (!Containers)
    return "  expected: " + Shown(&Expected) + "\n  actual:   " + Shown(Actual);
  std::vector<TDifference> All;
  Differences(Pointer, &Expected, Actual, All);
  std::string Out =
      "  " + std::to_string(All.size()) + (All.size() == 1 ? " value differs:" : " values differ:");
  for (std::size_t i = 0; i < All.size() && i < MaxLines; ++i)
    Out += "\n  " + (All[i].Pointer.empty() ? std::string("\"\"") : All[i].Pointer) +
           ": expected " + Shown(All[i].Expected) + ", actual " + Shown(All[i].Actual);
  if (All.size() > MaxLines)
    Out += "\n  ... and " + std::to_string(All.size() - MaxLines) + " more";
  return Out;
}
