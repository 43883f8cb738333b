#pragma once

// Text at the simulator's edges. The host holds Windows-1251 in plain
// std::string; what the simulator reads (scripts, -e lines, arguments) and
// writes (the terminal, JSON, pictures) is UTF-8. TUtf8 is the outside text
// as a type of its own: host text becomes one only through UserText, and
// the simulator's output streams take TUtf8 and its own string literals,
// never a plain std::string, so a message that would print host text
// unconverted does not compile.

#include <cstddef>
#include <nlohmann/json_fwd.hpp>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>

class TUtf8 {
 public:
  TUtf8() = default;
  // Text that is UTF-8 already: what the user gave, or what the simulator
  // made of such text and its own words.
  explicit TUtf8(std::string Utf8) : FText(std::move(Utf8)) {}
  const std::string& Str() const { return FText; }

 private:
  std::string FText;
};

// So that a dump's value can be set from one: JSON text is UTF-8.
void to_json(nlohmann::ordered_json& J, const TUtf8& Text);

// Host text (Windows-1251) as the user reads it.
TUtf8 UserText(const std::string& Host);
// The user's text (UTF-8) as the host holds it; raises ECommandError for
// characters Windows-1251 cannot hold.
std::string HostText(const std::string& Utf8);

// Printable (Script.h) for text the user reads.
TUtf8 Printable(const TUtf8& Text);

// A stream the user reads (the terminal, standard output and error). It
// takes UTF-8 text, the program's own string literals (its sources are
// UTF-8) and numbers; a std::string or a char pointer is refused when the
// program is compiled, since either may hold host text.
class TUtf8Stream {
 public:
  explicit TUtf8Stream(std::ostream& Stream) : FStream(Stream) {}

  TUtf8Stream& operator<<(const TUtf8& Text) {
    FStream << Text.Str();
    return *this;
  }
  template <std::size_t N>
  TUtf8Stream& operator<<(const char (&Literal)[N]) {
    FStream << Literal;
    return *this;
  }
  template <class TNumber>
  requires std::is_arithmetic_v<TNumber> &&(!std::is_same_v<TNumber, char>)TUtf8Stream& operator<<(
      TNumber Number) {
    FStream << Number;
    return *this;
  }
  // std::flush.
  TUtf8Stream& operator<<(std::ostream& (*Manipulator)(std::ostream&)) {
    FStream << Manipulator;
    return *this;
  }
  TUtf8Stream& operator<<(const std::string& Text) = delete;
  void flush() { FStream.flush(); }

 private:
  std::ostream& FStream;
};
