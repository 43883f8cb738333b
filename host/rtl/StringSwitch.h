#pragma once

// A value chosen by a name, written as the list of its cases rather than as
// a loop over a table or a chain of comparisons:
//
//   const auto Make = StringSwitch<TNotifyFactory>(Name)
//                         .Case("FormCreate", &Notify<&F::FormCreate>)
//                         .Case("FormShow", &Notify<&F::FormShow>)
//                         .Default(nullptr);
//
// Names are compared whole and byte for byte. The first case that matches
// wins and the later ones are passed over, though their values are still
// made: a value should be cheap to make (a constant, a pointer, a few
// pointers). A table whose rows carry their own names gives them all as
// cases with Rows, each worth its row's address. Default ends the choice
// with the value for no match, Find with an empty optional.

#include <optional>
#include <string_view>
#include <utility>

template <class T>
class StringSwitch {
 public:
  explicit constexpr StringSwitch(std::string_view Text) : FText(Text) {}
  // Chained on a temporary only: no copy can keep a choice half made.
  StringSwitch(const StringSwitch&) = delete;
  StringSwitch& operator=(const StringSwitch&) = delete;

  constexpr StringSwitch& Case(std::string_view Name, T Value) {
    if (!FResult && Name == FText)
      FResult.emplace(std::move(Value));
    return *this;
  }

  // Every row of Table as a case named by its member Name, worth the row's
  // address; a row whose Name is nullptr names nothing.
  template <class TTable, class TRow>
  constexpr StringSwitch& Rows(const TTable& Table, const char* TRow::*Name) {
    for (const TRow& Row : Table)
      if (!FResult && Row.*Name != nullptr && FText == Row.*Name)
        FResult.emplace(&Row);
    return *this;
  }

  constexpr T Default(T Value) { return FResult ? std::move(*FResult) : std::move(Value); }
  constexpr std::optional<T> Find() { return std::move(FResult); }

 private:
  std::string_view FText;
  std::optional<T> FResult;
};
