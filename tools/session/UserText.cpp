#include "UserText.h"

#include "CodePage.h"
#include "Json.h"
#include "Script.h"
#include "WrappingStreamBuf.h"

TUtf8::TUtf8(std::string Utf8) : FText(std::move(Utf8)) {
  if (!Utf8Problem(FText).empty())
    FText = ShowNonUtf8(FText);
}

TUtf8 UserText(const THostText& Host) {
  return TUtf8(Win1251ToUtf8(Host.Str()));
}

TUtf8 UserText(const std::string& Host) {
  return UserText(THostText(Host));
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

TUtf8Stream& TUtf8Stream::Verbatim(const TUtf8& Text) {
  auto* Wrapping = dynamic_cast<TWrappingStreamBuf*>(FStream.rdbuf());
  if (Wrapping != nullptr)
    Wrapping->SetVerbatim(true);
  FStream << Text.Str();
  if (Wrapping != nullptr)
    Wrapping->SetVerbatim(false);
  return *this;
}
