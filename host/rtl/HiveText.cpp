#include "HiveText.h"

#include <cstdio>
#include <vector>

#include "HiveError.h"

const char* const HiveRootName = "HKEY_CURRENT_USER";

namespace {

struct TLine {
  std::string Text;
  int Number;
};

// CR, LF and CR LF each end a line, so files edited on any system read.
std::vector<TLine> SplitLines(const std::string& Text) {
  std::vector<TLine> Lines;
  std::string Current;
  int Number = 1;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char C = Text[i];
    if (C == '\r' || C == '\n') {
      Lines.push_back({Current, Number++});
      Current.clear();
      if (C == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
        ++i;
    } else {
      Current += C;
    }
  }
  if (!Current.empty())
    Lines.push_back({Current, Number});
  return Lines;
}

bool IsBlank(char C) {
  return C == ' ' || C == '\t';
}

std::size_t SkipBlanks(const std::string& S, std::size_t Pos) {
  while (Pos < S.size() && IsBlank(S[Pos]))
    ++Pos;
  return Pos;
}

std::string TrimBlanks(const std::string& S) {
  std::size_t B = SkipBlanks(S, 0), E = S.size();
  while (E > B && IsBlank(S[E - 1]))
    --E;
  return S.substr(B, E - B);
}

bool IsBlankOrComment(const std::string& S) {
  const std::size_t P = SkipBlanks(S, 0);
  return P == S.size() || S[P] == ';';
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'a' && C <= 'f')
    return C - 'a' + 10;
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  return -1;
}

bool StartsWithNoCase(const std::string& S, std::size_t Pos, const char* Prefix) {
  for (std::size_t i = 0; Prefix[i] != '\0'; ++i)
    if (Pos + i >= S.size() || AnsiUpperChar(S[Pos + i]) != AnsiUpperChar(Prefix[i]))
      return false;
  return true;
}

class TParser {
 public:
  TParser(const std::string& Text, const std::string& FileName, HiveKey& Root)
      : FLines(SplitLines(Text)), FFileName(FileName), FRoot(Root) {}

  void Run() {
    if (FLines.empty() || TrimBlanks(FLines[0].Text) != "REGEDIT4")
      Fail(1, "the file does not start with the line REGEDIT4");
    for (FIndex = 1; FIndex < FLines.size(); ++FIndex) {
      const std::string& S = FLines[FIndex].Text;
      if (IsBlankOrComment(S))
        continue;
      const std::size_t P = SkipBlanks(S, 0);
      if (S[P] == '[')
        KeyLine(TrimBlanks(S));
      else if (S[P] == '"' || S[P] == '@')
        ValueLine(S, P);
      else
        Fail("expected a [key] line, a value line, a comment or a blank line");
    }
  }

 private:
  [[noreturn]] void Fail(int Line, const std::string& Reason) const {
    throw ERegistryException(FFileName + ", line " + std::to_string(Line) + ": " + Reason);
  }
  [[noreturn]] void Fail(const std::string& Reason) const { Fail(FLines[FIndex].Number, Reason); }

  void KeyLine(const std::string& S) {
    if (S.size() < 2 || S.back() != ']')
      Fail("a key line must end with ]");
    std::string Inner = S.substr(1, S.size() - 2);
    const bool Delete = !Inner.empty() && Inner[0] == '-';
    if (Delete)
      Inner.erase(0, 1);
    const std::string Root = HiveRootName;
    if (!StartsWithNoCase(Inner, 0, HiveRootName) ||
        (Inner.size() > Root.size() && Inner[Root.size()] != '\\'))
      Fail("the key is not under " + Root);
    HiveOp Op;
    Op.Kind = Delete ? HiveOp::DeleteKey : HiveOp::CreateKey;
    const std::string Rest = Inner.size() > Root.size() ? Inner.substr(Root.size() + 1) : "";
    if (!SplitKeyPath(Rest, Op.Path))
      Fail("the key path has an empty name");
    ApplyHiveOp(FRoot, Op);
    FCurrent = Delete ? nullptr : FindHiveKey(FRoot, Op.Path);
    FAfterDelete = Delete;
  }

  // Reads a quoted text starting at S[Pos] == '"'; Pos ends after the quote.
  std::string Quoted(const std::string& S, std::size_t& Pos) const {
    std::string Out;
    for (std::size_t i = Pos + 1; i < S.size(); ++i) {
      const char C = S[i];
      if (C == '"') {
        Pos = i + 1;
        return Out;
      }
      // Only \\ and \" are escapes; any other backslash is kept as it stands,
      // as regedit keeps it, so hand-written paths like "C:\dir" still load.
      if (C == '\\' && i + 1 < S.size() && (S[i + 1] == '\\' || S[i + 1] == '"'))
        Out += S[++i];
      else
        Out += C;
    }
    Fail("a quoted text has no closing \"");
  }

  void EndOfValue(const std::string& S, std::size_t Pos) const {
    Pos = SkipBlanks(S, Pos);
    if (Pos < S.size() && S[Pos] != ';')
      Fail("unexpected text after the value");
  }

  void ValueLine(const std::string& S, std::size_t Pos) {
    if (FCurrent == nullptr)
      Fail(FAfterDelete ? "a value follows a key deletion" : "a value comes before any [key] line");
    std::string Name;
    if (S[Pos] == '@')
      ++Pos;
    else
      Name = Quoted(S, Pos);
    Pos = SkipBlanks(S, Pos);
    if (Pos >= S.size() || S[Pos] != '=')
      Fail("expected = after the value name");
    Pos = SkipBlanks(S, Pos + 1);
    if (Pos < S.size() && S[Pos] == '"') {
      std::string Text = Quoted(S, Pos);
      EndOfValue(S, Pos);
      FCurrent->SetValue(Name, REG_SZ, Text + '\0');
    } else if (Pos < S.size() && S[Pos] == '-') {
      EndOfValue(S, Pos + 1);
      FCurrent->DeleteValue(Name);
    } else if (StartsWithNoCase(S, Pos, "dword:")) {
      FCurrent->SetValue(Name, REG_DWORD, Dword(S, Pos + 6));
    } else if (StartsWithNoCase(S, Pos, "hex:")) {
      FCurrent->SetValue(Name, REG_BINARY, HexBytes(S.substr(Pos + 4)));
    } else if (StartsWithNoCase(S, Pos, "hex(")) {
      Cardinal Type = 0;
      std::size_t P = Pos + 4, Digits = 0;
      for (; P < S.size() && HexDigit(S[P]) >= 0; ++P, ++Digits)
        Type = Type * 16 + static_cast<Cardinal>(HexDigit(S[P]));
      if (Digits == 0 || Digits > 8 || !StartsWithNoCase(S, P, "):"))
        Fail("expected hex(type): with a hexadecimal type");
      FCurrent->SetValue(Name, Type, HexBytes(S.substr(P + 2)));
    } else {
      Fail("expected \"text\", -, dword: or hex: after =");
    }
  }

  std::string Dword(const std::string& S, std::size_t Pos) const {
    Cardinal V = 0;
    std::size_t Digits = 0;
    for (; Pos < S.size() && HexDigit(S[Pos]) >= 0; ++Pos, ++Digits)
      V = V * 16 + static_cast<Cardinal>(HexDigit(S[Pos]));
    if (Digits == 0 || Digits > 8)
      Fail("dword: needs 1 to 8 hexadecimal digits");
    EndOfValue(S, Pos);
    std::string Data(4, '\0');
    for (int i = 0; i < 4; ++i)
      Data[i] = static_cast<char>((V >> (8 * i)) & 0xFF);
    return Data;
  }

  // The comma-separated bytes of a hex value, following "\" continuations.
  // FIndex ends on the value's last line.
  std::string HexBytes(std::string Segment) {
    std::string Data;
    for (;;) {
      const std::size_t Comment = Segment.find(';');
      if (Comment != std::string::npos)
        Segment.erase(Comment);
      Segment = TrimBlanks(Segment);
      const bool Continued = !Segment.empty() && Segment.back() == '\\';
      if (Continued)
        Segment.pop_back();
      HexSegment(Segment, Data);
      if (!Continued)
        return Data;
      const int ValueLineNo = FLines[FIndex].Number;
      do {
        if (++FIndex >= FLines.size()) {
          --FIndex;
          Fail(ValueLineNo, "the hex value ends with \\ but no line follows");
        }
      } while (IsBlankOrComment(FLines[FIndex].Text));
      Segment = FLines[FIndex].Text;
      if (HexDigit(Segment[SkipBlanks(Segment, 0)]) < 0)
        Fail("expected a continuation line of hex bytes");
    }
  }

  void HexSegment(const std::string& Segment, std::string& Data) const {
    std::size_t Start = 0;
    while (Start < Segment.size()) {
      std::size_t End = Segment.find(',', Start);
      const bool Last = End == std::string::npos;
      if (Last)
        End = Segment.size();
      const std::string Token = TrimBlanks(Segment.substr(Start, End - Start));
      // A trailing comma before the continuation "\" leaves an empty token.
      if (Token.empty() && Last)
        break;
      if (Token.empty() || Token.size() > 2 || HexDigit(Token[0]) < 0 ||
          (Token.size() == 2 && HexDigit(Token[1]) < 0))
        Fail("\"" + Token + "\" is not a hex byte");
      int B = HexDigit(Token[0]);
      if (Token.size() == 2)
        B = B * 16 + HexDigit(Token[1]);
      Data += static_cast<char>(B);
      Start = End + 1;
    }
  }

  std::vector<TLine> FLines;
  const std::string& FFileName;
  HiveKey& FRoot;
  std::size_t FIndex = 0;
  HiveKey* FCurrent = nullptr;
  bool FAfterDelete = false;
};

void AppendQuoted(std::string& Out, const std::string& S) {
  Out += '"';
  for (char C : S) {
    if (C == '\\' || C == '"')
      Out += '\\';
    Out += C;
  }
  Out += '"';
}

// A REG_SZ can be written as "text" when it is one NUL-terminated text with no
// line break: the only form regedit reads back to the same bytes.
bool IsPlainText(const HiveValue& V) {
  if (V.Type != REG_SZ || V.Data.empty() || V.Data.back() != '\0')
    return false;
  return V.Data.find_first_of(std::string("\r\n\0", 3)) == V.Data.size() - 1;
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

void AppendValue(std::string& Out, const HiveValue& V) {
  const std::size_t LineStart = Out.size();
  if (V.Name.empty())
    Out += '@';
  else
    AppendQuoted(Out, V.Name);
  Out += '=';
  if (IsPlainText(V)) {
    AppendQuoted(Out, V.Data.substr(0, V.Data.size() - 1));
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
    AppendHex(Out, LineStart, V.Data);
  }
  Out += "\r\n";
}

void AppendKey(std::string& Out, const HiveKey& Key, const std::string& Path, bool IsRoot) {
  if (!IsRoot || !Key.Values().empty()) {
    Out += "[" + Path + "]\r\n";
    for (const HiveValue& V : Key.Values())
      AppendValue(Out, V);
    Out += "\r\n";
  }
  for (const auto& [Name, Child] : Key.Children())
    AppendKey(Out, *Child, Path + "\\" + Child->Name(), false);
}

}  // namespace

void ParseHiveText(const std::string& Text, const std::string& FileName, HiveKey& Root) {
  if (Text.empty())
    return;
  TParser(Text, FileName, Root).Run();
}

std::string FormatHiveText(const HiveKey& Root) {
  std::string Out = "REGEDIT4\r\n\r\n";
  AppendKey(Out, Root, HiveRootName, true);
  return Out;
}
