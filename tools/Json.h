#pragma once

// A small JSON value with a compact writer, a strict parser (RFC 8259) and
// JSON Pointer lookup (RFC 6901). Objects keep their members in insertion
// order, so a dump always lists its keys in the same order. Text is UTF-8.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class EJsonError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TJson {
 public:
  enum class TKind { Null, Bool, Integer, Real, String, Array, Object };

  TJson() = default;
  TJson(std::nullptr_t) {}  // NOLINT: null converts implicitly, as the others do
  TJson(bool Value) : FKind(TKind::Bool), FBool(Value) {}                        // NOLINT
  TJson(int Value) : FKind(TKind::Integer), FInteger(Value) {}                   // NOLINT
  TJson(std::int64_t Value) : FKind(TKind::Integer), FInteger(Value) {}          // NOLINT
  TJson(double Value) : FKind(TKind::Real), FReal(Value) {}                      // NOLINT
  TJson(const char* Value) : FKind(TKind::String), FString(Value) {}             // NOLINT
  TJson(std::string Value) : FKind(TKind::String), FString(std::move(Value)) {}  // NOLINT
  static TJson Array();
  static TJson Object();
  // An array of strings, the common case of the dump.
  static TJson Strings(const std::vector<std::string>& Items);

  TKind Kind() const { return FKind; }
  bool IsNull() const { return FKind == TKind::Null; }
  bool AsBool() const { return FBool; }
  std::int64_t AsInteger() const { return FInteger; }
  double AsReal() const { return FKind == TKind::Integer ? static_cast<double>(FInteger) : FReal; }
  const std::string& AsString() const { return FString; }

  // Arrays and objects: their elements (an object's values, in order).
  std::size_t Size() const { return FItems.size(); }
  const std::vector<TJson>& Items() const { return FItems; }
  const std::vector<std::string>& Keys() const { return FKeys; }
  // Appends to an array.
  TJson& Push(TJson Value);
  // Sets an object's member, adding it at the end when it is new.
  TJson& Set(const std::string& Key, TJson Value);
  // An object's member; nullptr when absent.
  const TJson* Find(const std::string& Key) const;

  // The value a JSON Pointer names; nullptr when there is none. Raises
  // EJsonError for a malformed pointer.
  const TJson* At(const std::string& Pointer) const;

  // Compact text, on one line.
  std::string Write() const;
  // Parses one JSON text (blanks around it allowed); raises EJsonError,
  // naming the offset, for anything else.
  static TJson Parse(const std::string& Text);

  // Numbers compare by value (1 equals 1.0); objects regardless of order.
  friend bool operator==(const TJson& L, const TJson& R);

 private:
  void WriteTo(std::string& Out) const;

  TKind FKind = TKind::Null;
  bool FBool = false;
  std::int64_t FInteger = 0;
  double FReal = 0;
  std::string FString;
  std::vector<std::string> FKeys;  // objects: one per item
  std::vector<TJson> FItems;
};
