#pragma once

// The simulator's JSON: nlohmann's ordered_json, whose objects keep their
// members in insertion order, so that a dump always lists its keys in the
// same order. What the simulator adds: a strict parse for what a script
// writes, JSON Pointer lookup (RFC 6901) that tells a missing value from a
// malformed pointer, the comparison `expect` makes and what it reports when
// two values differ. Text is UTF-8.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using TJson = nlohmann::ordered_json;

class EJsonError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Parses one JSON text (RFC 8259, blanks around it allowed). Raises
// EJsonError, saying where, for anything else, for a key given twice in one
// object, and for a number too large for a double (1e400), which would
// otherwise have to become something it is not.
TJson ParseJson(const std::string& Text);

// The value a JSON pointer names; nullptr when there is none. Raises
// EJsonError for a malformed pointer.
const TJson* JsonAt(const TJson& Json, const std::string& Pointer);

// Numbers compare by value (1 equals 1.0), objects regardless of the order
// of their members, arrays element by element.
bool JsonEqual(const TJson& L, const TJson& R);

// One member of an object's text: its name as written between the quotes,
// and its value's text.
struct TJsonMember {
  std::string_view Name;
  std::string_view Value;
};

// The members of one JSON object's text, found by stepping over strings and
// nested brackets without reading them, so that a large object whose
// members are wanted one by one is parsed only where it is wanted. Raises
// EJsonError where the text is no object; a value's own text is not
// checked here (ParseJson checks the one that is read).
std::vector<TJsonMember> JsonMembers(std::string_view Object);

// One line of UTF-8 text; Indent > 0 spreads it over lines.
std::string WriteJson(const TJson& Json, int Indent = -1);

// What tells Actual from Expected, as lines "  /pointer: expected X, actual
// Y" for the places below two objects or arrays where they differ (Pointer
// is where both were found), at most MaxLines of them and each value cut
// short; two lines "  expected: X" and "  actual:   Y" otherwise. Actual
// nullptr: there is no such value.
std::string JsonDifferences(const std::string& Pointer, const TJson& Expected, const TJson* Actual,
                            std::size_t MaxLines = 10);
