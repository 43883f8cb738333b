#include "UserText.h"

#include "CodePage.h"
#include "Json.h"
#include "Script.h"

TUtf8 UserText(const std::string& Host) {
  return TUtf8(Win1251ToUtf8(Host));
}

TUtf8 Printable(const TUtf8& Text) {
  return TUtf8(Printable(Text.Str()));
}

std::string HostText(const std::string& Utf8) {
  std::string Host = Utf8ToWin1251(Utf8);
  if (Win1251ToUtf8(Host) != Utf8)
    throw ECommandError("'" + Utf8 + "' holds characters that Windows-1251 cannot represent");
  return Host;
}

void to_json(TJson& J, const TUtf8& Text) {
  J = Text.Str();
}

// What the type is for: host text printed unconverted does not compile.
template <class T>
concept CanPrint = requires(TUtf8Stream& S, const T& Text) {
  S << Text;
};
static_assert(!CanPrint<std::string> && !CanPrint<const char*>);
static_assert(CanPrint<TUtf8> && CanPrint<char[14]> && CanPrint<int>);
