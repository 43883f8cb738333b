// Writing a hive as text, in the form HiveText.h describes.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "HiveError.h"
#include "HiveText.h"

namespace {

// Whether any of the eight bytes in W is one that a quoted text escapes:
// a byte equal to C leaves a zero byte in W ^ (C in every byte), and
// (X - 0x01..) & ~X & 0x80.. is not zero exactly when X holds a zero byte.
bool MayNeedEscape(std::uint64_t W) {
  constexpr std::uint64_t Ones = 0x0101010101010101ULL, Highs = 0x8080808080808080ULL;
  const auto Zero = [](std::uint64_t X) { return (X - Ones) & ~X & Highs; };
  return (Zero(W ^ (Ones * '\r')) | Zero(W ^ (Ones * '\n')) | Zero(W ^ (Ones * '\\')) |
          Zero(W ^ (Ones * '"'))) != 0;
}

// Whether a text holds none of Bytes. Mostly a value holds none of those a
// quoted text escapes: the C library's memchr looks at many bytes a step,
// so a few searches that find nothing cost less than one look at every
// word.
bool HoldsNone(std::string_view S, std::string_view Bytes) {
  if (S.empty())
    return true;
  for (const char C : Bytes)
    if (std::memchr(S.data(), C, S.size()) != nullptr)
      return false;
  return true;
}

// The bytes a quoted text escapes, the quote and the backslash first.
constexpr std::string_view Escaped = "\"\\\r\n";

// In a 5.00 file line breaks are written as regedit writes them there, as
// \r and \n; a REGEDIT4 file has no such text (see IsPlainText). The bytes
// between two that need an escape go in as one run, found eight at a time.
// Bytes are those of Escaped that S may hold, where the caller knows the
// others are absent.
void AppendQuoted(std::string& Out, std::string_view S, std::string_view Bytes = Escaped) {
  Out += '"';
  if (HoldsNone(S, Bytes)) {
    Out.append(S);
    Out += '"';
    return;
  }
  std::size_t Run = 0, i = 0;
  while (i < S.size()) {
    if (S.size() - i >= 8) {
      std::uint64_t W;
      std::memcpy(&W, S.data() + i, 8);
      if (!MayNeedEscape(W)) {
        i += 8;
        continue;
      }
    }
    for (const std::size_t End = std::min(S.size(), i + 8); i < End; ++i) {
      const char C = S[i];
      if (C != '\r' && C != '\n' && C != '\\' && C != '"')
        continue;
      Out.append(S.data() + Run, i - Run);
      Out += '\\';
      Out += C == '\r' ? 'r' : C == '\n' ? 'n' : C;
      Run = i + 1;
    }
  }
  Out.append(S.data() + Run, S.size() - Run);
  Out += '"';
}

// A REG_SZ can be written as "text" when it is one NUL-terminated text, with
// no line break in a REGEDIT4 file: the forms regedit reads back to the
// same bytes.
bool IsPlainText(const HiveValue& V, HiveFormat Format) {
  if (V.Type != REG_SZ || V.Data.empty() || V.Data.back() != '\0')
    return false;
  const std::size_t Size = V.Data.size() - 1;
  const char* Text = V.Data.data();
  if (std::memchr(Text, '\0', Size) != nullptr)
    return false;
  return Format == HiveFormat::Regedit5 ||
         (std::memchr(Text, '\r', Size) == nullptr && std::memchr(Text, '\n', Size) == nullptr);
}

void AppendHex(std::string& Out, std::size_t LineStart, const std::string& Data) {
  static const char Digits[] = "0123456789abcdef";
  bool FirstOnLine = true;
  for (std::size_t i = 0; i < Data.size(); ++i) {
    const unsigned char B = static_cast<unsigned char>(Data[i]);
    const std::size_t Width = i + 1 < Data.size() ? 3 : 2;
    // Break so that no line, with its closing "\", passes column 80.
    if (!FirstOnLine && Out.size() - LineStart + Width + 1 > 80) {
      Out += "\\\r\n  ";
      LineStart = Out.size() - 2;
    }
    Out += Digits[B >> 4];
    Out += Digits[B & 0xF];
    if (i + 1 < Data.size())
      Out += ',';
    FirstOnLine = false;
  }
}

// The one text a REG_SZ's UTF-16LE bytes hold, when they hold just one.
bool IsPlainWide(const HiveValue& V, std::string& Text) {
  const std::string& W = V.Wide;
  if (V.Type != REG_SZ || W.size() < 2 || W.size() % 2 != 0)
    return false;
  for (std::size_t i = 0; i < W.size(); i += 2)
    if (W[i] == '\0' && W[i + 1] == '\0' && i + 2 != W.size())
      return false;
  if (W[W.size() - 2] != '\0' || W.back() != '\0')
    return false;
  Text = Utf16LEToHiveText(W.substr(0, W.size() - 2));
  return true;
}

// Shown, a REGEDIT4 text holds the characters Windows-1251 lacks as hive
// text, where it can show them as text.
void AppendValue(std::string& Out, const HiveValue& V, HiveFormat Format, bool Shown) {
  const std::size_t LineStart = Out.size();
  if (V.Name.empty())
    Out += '@';
  else
    AppendQuoted(Out, V.Name);
  Out += '=';
  std::string WideText;
  if (Shown && !V.Wide.empty() && IsPlainWide(V, WideText)) {
    AppendQuoted(Out, WideText);
  } else if (!V.Wide.empty() && Format == HiveFormat::Regedit5) {
    // Written back as the file carried it.
    if (IsPlainWide(V, WideText)) {
      AppendQuoted(Out, WideText);
    } else {
      char Buf[24];
      std::snprintf(Buf, sizeof Buf, "hex(%x):", V.Type);
      Out += Buf;
      AppendHex(Out, LineStart, V.Wide);
    }
  } else if (IsPlainText(V, Format)) {
    // A plain text of a REGEDIT4 file has no line break.
    AppendQuoted(Out, std::string_view(V.Data).substr(0, V.Data.size() - 1),
                 Format == HiveFormat::Regedit4 ? Escaped.substr(0, 2) : Escaped);
  } else if (V.Type == REG_DWORD && V.Data.size() == 4) {
    Cardinal N = 0;
    for (int i = 3; i >= 0; --i)
      N = (N << 8) | static_cast<unsigned char>(V.Data[i]);
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "dword:%08x", N);
    Out += Buf;
  } else {
    if (V.Type == REG_BINARY) {
      Out += "hex:";
    } else {
      char Buf[24];
      std::snprintf(Buf, sizeof Buf, "hex(%x):", V.Type);
      Out += Buf;
    }
    const bool Wide = Format == HiveFormat::Regedit5 && IsRegStringType(V.Type);
    AppendHex(Out, LineStart, Wide ? Win1251ToUtf16LE(V.Data) : V.Data);
  }
  Out += "\r\n";
}

// A REGEDIT4 file is Windows-1251 text, which cannot carry every
// character a 5.00 file can; Strict refuses such a hive, naming the key and
// value, rather than writing '?' for the character.
void AppendBlock(std::string& Out, const HiveKey& Key, const std::string& Path, HiveFormat Format,
                 bool Strict) {
  const bool Narrow = Strict && Format == HiveFormat::Regedit4;
  if (Narrow && HiveTextIsWide(Path))
    throw EHiveNeedsUnicode("the key " + HiveTextToAnsi(Path) +
                            " has a name with a character that Windows-1251 has no byte for, "
                            "so a REGEDIT4 file cannot hold it");
  Out += '[';
  Out += Path;
  Out += "]\r\n";
  for (const HiveValue& V : Key.Values()) {
    if (Narrow && (!V.Wide.empty() || HiveTextIsWide(V.Name)))
      throw EHiveNeedsUnicode("the value '" + HiveTextToAnsi(V.Name) + "' of the key " +
                              HiveTextToAnsi(Path) +
                              " holds a character that Windows-1251 has no byte for, so a "
                              "REGEDIT4 file cannot hold it");
    AppendValue(Out, V, Format, !Strict && Format == HiveFormat::Regedit4);
  }
  Out += "\r\n";
}

}  // namespace

std::string FormatHiveText(const HiveKey& Root, HiveFormat Format, bool Strict) {
  std::string Out =
      std::string(Format == HiveFormat::Regedit5 ? HiveHeader5 : HiveHeader4) + "\r\n\r\n";
  std::string Path = HiveRootName;
  if (!Root.Values().empty())
    AppendBlock(Out, Root, Path, Format, Strict);
  // Depth first with a stack of its own: each entry is a key whose children
  // are being written, the next of them, and the length of the key's path.
  struct TFrame {
    const HiveKey* Key;
    HiveKey::TChildren::const_iterator Next;
    std::size_t PathSize;
  };
  std::vector<TFrame> Stack{{&Root, Root.Children().begin(), Path.size()}};
  while (!Stack.empty()) {
    TFrame& Top = Stack.back();
    if (Top.Next == Top.Key->Children().end()) {
      Stack.pop_back();
      continue;
    }
    const HiveKey& Child = *(Top.Next++)->second;
    Path.resize(Top.PathSize);
    Path += '\\';
    Path += Child.Name();
    AppendBlock(Out, Child, Path, Format, Strict);
    Stack.push_back({&Child, Child.Children().begin(), Path.size()});
  }
  if (Format == HiveFormat::Regedit5)
    return "\xFF\xFE" + HiveTextToUtf16LE(Out);
  return Out;
}
