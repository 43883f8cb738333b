#pragma once

// Delphi's TypInfo unit: the run-time type information of published
// properties. An object inspector or the form streaming reads and writes a
// component's properties by name through it, without knowing the
// component's class. A class with a published section returns its
// property table from ClassInfo(); a class without one inherits its
// ancestor's, as a Delphi class without a published section adds no
// properties.
//
// The substitute keeps what its callers use: ordinal, set and Int64
// properties with their read and write access. A property that a class only
// re-publishes from its ancestor may be listed by its name alone, or with
// its declared default, for the streaming order; it has no type and no
// access here, and reading or writing it raises EPropertyError.

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "Classes.h"

enum TTypeKind : Byte {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray
};

class EPropertyError : public Exception {
  using Exception::Exception;
};

// A property's type: its kind and name, and for an enumeration or a set the
// names of the (element) values in ordinal order.
struct TPropType {
  TTypeKind Kind = tkUnknown;
  const char* Name = "";
  std::vector<const char*> Names;
};

// One published property. Ordinal values travel as Int64: integers and
// colours as themselves, Booleans as 0 or 1, enumerations by ordinal, sets
// as their bit masks.
struct TPropInfo {
  const char* Name;
  // The declared default as the streaming stores it; none for "nodefault".
  std::optional<Integer> Default;
  const TPropType* PropType = nullptr;
  Int64 (*GetProc)(const TObject* Instance) = nullptr;
  void (*SetProc)(TObject* Instance, Int64 Value) = nullptr;
};

struct TTypeInfo {
  const char* Name;              // the class that publishes
  std::vector<TPropInfo> Props;  // in published order
};

// The published property of that name (letter case ignored, as Delphi's
// identifiers); nullptr when the instance's class publishes none such.
const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& PropName);
bool IsPublishedProp(const TObject* Instance, const std::string& PropName);

// Read and write a property by name; EPropertyError names a property that
// is not published or cannot be read or written.
Integer GetOrdProp(const TObject* Instance, const std::string& PropName);
Int64 GetInt64Prop(const TObject* Instance, const std::string& PropName);
void SetOrdProp(TObject* Instance, const std::string& PropName, Integer Value);
void SetInt64Prop(TObject* Instance, const std::string& PropName, Int64 Value);
// A set property as the object inspector shows it: "cbStandardColors,
// cbCustomColor", in square brackets with Brackets.
std::string GetSetProp(const TObject* Instance, const std::string& PropName, bool Brackets = false);

// The access functions of a table entry, made from the class's own getter
// and setter: TPropInfo{"Value", std::nullopt, &kInt64Type,
// PropGetter<&TMySpin::Value>, PropSetter<&TMySpin::SetValue>}.
namespace typinfo_detail {
template <class M>
struct TAccess;
template <class C, class R>
struct TAccess<R (C::*)() const> {
  using Class = C;
};
template <class C, class A>
struct TAccess<void (C::*)(A)> {
  using Class = C;
  using Type = std::decay_t<A>;
};

template <class T>
struct TIsSet : std::false_type {};
template <class E>
struct TIsSet<TSet<E>> : std::true_type {
  using Element = E;
};

template <class T>
Int64 ToOrdinal(const T& Value) {
  if constexpr (TIsSet<T>::value)
    return static_cast<Int64>(Value.Bits());
  else
    return static_cast<Int64>(Value);
}

template <class T>
T FromOrdinal(Int64 Value) {
  if constexpr (TIsSet<T>::value) {
    T Result;
    for (int i = 0; i < 64; ++i)
      if ((static_cast<std::uint64_t>(Value) >> i) & 1)
        Result.Include(static_cast<typename TIsSet<T>::Element>(i));
    return Result;
  } else if constexpr (std::is_same_v<T, bool>) {
    return Value != 0;
  } else {
    return static_cast<T>(Value);
  }
}
}  // namespace typinfo_detail

template <auto Getter>
Int64 PropGetter(const TObject* Instance) {
  using C = typename typinfo_detail::TAccess<decltype(Getter)>::Class;
  return typinfo_detail::ToOrdinal((static_cast<const C*>(Instance)->*Getter)());
}

template <auto Setter>
void PropSetter(TObject* Instance, Int64 Value) {
  using A = typinfo_detail::TAccess<decltype(Setter)>;
  (static_cast<typename A::Class*>(Instance)->*Setter)(
      typinfo_detail::FromOrdinal<typename A::Type>(Value));
}

// The types that the published tables of the host and its packages name.
extern const TPropType BooleanType;
extern const TPropType IntegerType;
extern const TPropType Int64Type;
extern const TPropType ColorType;      // Graphics' TColor
extern const TPropType AlignmentType;  // Classes' TAlignment
