#pragma once

// Text at the simulator's edges. The host holds Windows-1251 in plain
// std::string; what the simulator reads (scripts, -e lines, arguments) and
// writes (the terminal, JSON, pictures) is UTF-8. Each has a type of its
// own where the simulator carries it: THostText is what it took from the
// host, TUtf8 what the user reads. Host text becomes UTF-8 only through
// UserText; the output streams take TUtf8 and the program's own string
// literals, never a plain std::string or THostText, so a message that would
// print host text unconverted does not compile. A std::string becomes either
// type only by name, never silently, and TUtf8 checks what it is given: a
// byte that is no part of UTF-8 is shown as \xNN, so that a slip can never
// put Windows-1251 on a terminal.

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
  // made of such text and its own words. Bytes that are not UTF-8 are
  // written as \xNN.
  explicit TUtf8(std::string Utf8);
  const std::string& Str() const { return FText; }

 private:
  std::string FText;
};

// Windows-1251 text as the host gave it: a group name, a caption, a host
// exception's message. The host's own calls take Str().
class THostText {
 public:
  explicit THostText(std::string Win1251) : FText(std::move(Win1251)) {}
  const std::string& Str() const { return FText; }
  bool operator==(const THostText&) const = default;

 private:
  std::string FText;
};

// So that a dump's value can be set from one: JSON text is UTF-8.
void to_json(nlohmann::ordered_json& J, const TUtf8& Text);

// Host text (Windows-1251) as the user reads it.
TUtf8 UserText(const THostText& Host);
TUtf8 UserText(const std::string& Host);
// The user's text (UTF-8) as the host holds it; raises ECommandError for
// characters Windows-1251 cannot hold.
std::string HostText(const std::string& Utf8);

// Printable (Script.h) for text the user reads.
TUtf8 Printable(const TUtf8& Text);

// A stream the user reads (the terminal, standard output and error). It
// takes UTF-8 text, the program's own string literals (its sources are
// UTF-8) and numbers; a std::string, a char pointer or host text is refused
// when the program is compiled.
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
  TUtf8Stream& operator<<(const THostText& Text) = delete;
  // Data a program may read back (a dump's JSON, the hive's text): on a
  // terminal it is not wrapped at blanks, which would break it into lines.
  TUtf8Stream& Verbatim(const TUtf8& Text);
  void flush() { FStream.flush(); }

 private:
  std::ostream& FStream;
};
