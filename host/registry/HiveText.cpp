#include "HiveText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "CodePage.h"
#include "HiveError.h"

const char* const HiveRootName = "HKEY_CURRENT_USER";
const char* const HiveHeader4 = "REGEDIT4";
const char* const HiveHeader5 = "Windows Registry Editor Version 5.00";

namespace {

[[noreturn]] void FailAt(const std::string& FileName, int Line, const std::string& Reason) {
  throw ERegistryException(FileName + ":" + std::to_string(Line) + ": " + Reason);
}

// How hive text holds U+0000 (see CodePage.h).
const std::string NulUnit = std::string(1, '\0') + "0000";

// The number of the line that the end of Text is on, counting line breaks
// as SplitLines does.
int LineAtEnd(const std::string& Text) {
  int Line = 1;
  for (std::size_t i = 0; i < Text.size(); ++i)
    if (Text[i] == '\n' || (Text[i] == '\r' && (i + 1 >= Text.size() || Text[i + 1] != '\n')))
      ++Line;
  return Line;
}

// The hive text of a 5.00 file's UTF-16LE bytes after the BOM.
std::string DecodeFile(const std::string& Units, const std::string& FileName) {
  const bool Odd = Units.size() % 2 != 0;
  std::string Text = Utf16LEToHiveText(Odd ? Units.substr(0, Units.size() - 1) : Units);
  if (Odd)
    FailAt(FileName, LineAtEnd(Text), "the file ends in the middle of a UTF-16 character");
  return Text;
}

struct TLine {
  std::string Text;
  int Number;
};

// CR, LF and CR LF each end a line, so files edited on any system read.
std::vector<TLine> SplitLines(const std::string& Text) {
  std::vector<TLine> Lines;
  int Number = 1;
  std::size_t Start = 0;
  while (Start < Text.size()) {
    std::size_t End = Text.find_first_of("\r\n", Start);
    if (End == std::string::npos)
      End = Text.size();
    Lines.push_back({Text.substr(Start, End - Start), Number++});
    Start = End + (Text.compare(End, 2, "\r\n") == 0 ? 2 : 1);
  }
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

// regedit takes a line whose first character is ; or # for a comment.
bool IsBlankOrComment(const std::string& S) {
  const std::size_t P = SkipBlanks(S, 0);
  return P == S.size() || S[P] == ';' || S[P] == '#';
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

// Why a file of Format cannot start with the line First, or "".
std::string HeaderProblem(const std::string& First, HiveFormat Format) {
  const std::string Trimmed = TrimBlanks(First);
  if (Format == HiveFormat::Regedit5 && Trimmed != HiveHeader5)
    return std::string("a UTF-16LE file must start with the line ") + HiveHeader5;
  if (Format == HiveFormat::Regedit4 && Trimmed == HiveHeader5)
    return std::string("a file that starts with ") + HiveHeader5 +
           " must be UTF-16LE with a byte-order mark, as regedit writes it";
  if (Format == HiveFormat::Regedit4 && Trimmed != HiveHeader4)
    return std::string("the file does not start with the line ") + HiveHeader4 +
           " (or, in UTF-16LE, " + HiveHeader5 + ")";
  return std::string();
}

class TParser {
 public:
  TParser(const std::string& Text, const std::string& FileName, HiveKey& Root, HiveFormat Format,
          std::vector<std::string>* Warnings)
      : FLines(SplitLines(Text)),
        FFileName(FileName),
        FRoot(Root),
        FFormat(Format),
        FWarnings(Warnings) {}

  void Run() {
    const std::string First = FLines.empty() ? std::string() : FLines[0].Text;
    if (const std::string Problem = HeaderProblem(First, FFormat); !Problem.empty())
      Fail(1, Problem);
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
    FailAt(FFileName, Line, Reason);
  }
  [[noreturn]] void Fail(const std::string& Reason) const { Fail(FLines[FIndex].Number, Reason); }
  void Warn(const std::string& Reason) const {
    if (FWarnings != nullptr)
      FWarnings->push_back(FFileName + ":" + std::to_string(FLines[FIndex].Number) + ": " + Reason);
  }

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
    const std::string Rest = Inner.size() > Root.size() ? Inner.substr(Root.size() + 1) : "";
    if (Rest.find(NulUnit) != std::string::npos)
      Fail("the key path holds a NUL byte");
    // Where each name of the path ends in Rest.
    std::vector<std::size_t> Ends;
    for (std::size_t Start = 0; Start < Rest.size();) {
      std::size_t End = Rest.find('\\', Start);
      if (End == std::string::npos)
        End = Rest.size();
      if (End == Start)
        Fail("the key path has an empty name");
      Ends.push_back(End);
      Start = End + 1;
    }
    for (std::size_t i = 0, Start = 0; i < Ends.size(); Start = Ends[i++] + 1)
      if (const std::string Long = HiveNameTooLong(Rest.substr(Start, Ends[i] - Start), false);
          !Long.empty())
        Fail(Long);
    if (Ends.size() > HiveMaxDepth)
      Fail("the key is " + std::to_string(Ends.size()) + " levels deep; Windows allows " +
           std::to_string(HiveMaxDepth));
    FAfterDelete = Delete;
    if (Delete) {
      HiveOp Op;
      Op.Kind = HiveOp::DeleteKey;
      SplitKeyPath(Rest, Op.Path);
      ApplyHiveOp(FRoot, Op);
      FCurrent = nullptr;
      // The keys of the previous path may be gone.
      FPrevPath.clear();
      FPrevKeys.clear();
      FPrevEnds.clear();
      return;
    }
    // A key line mostly repeats the path of the one before it (a parent, then
    // its children), and the keys along that shared part are known already:
    // only the rest is looked up, so reading stays linear in the file's size
    // however deep the keys are.
    const std::size_t Same =
        std::mismatch(Rest.begin(), Rest.end(), FPrevPath.begin(), FPrevPath.end()).first -
        Rest.begin();
    std::size_t Shared = 0;
    while (Shared < Ends.size() && Shared < FPrevEnds.size() && Ends[Shared] == FPrevEnds[Shared] &&
           Ends[Shared] <= Same)
      ++Shared;
    FPrevKeys.resize(Shared);
    HiveKey* Key = Shared > 0 ? FPrevKeys.back() : &FRoot;
    for (std::size_t i = Shared; i < Ends.size(); ++i) {
      const std::size_t Start = i == 0 ? 0 : Ends[i - 1] + 1;
      Key = &Key->AddChild(Rest.substr(Start, Ends[i] - Start));
      FPrevKeys.push_back(Key);
    }
    FPrevPath = Rest;
    FPrevEnds = std::move(Ends);
    FCurrent = Key;
  }

  // Reads a quoted text starting at S[Pos] == '"'; Pos ends after the quote.
  // The escapes are regedit's: \\, \", \n and \r; before any other
  // character a backslash is dropped, with a warning, as regedit drops it.
  std::string Quoted(const std::string& S, std::size_t& Pos) const {
    std::string Out;
    for (std::size_t i = Pos + 1; i < S.size(); ++i) {
      const char C = S[i];
      if (C == '"') {
        Pos = i + 1;
        return Out;
      }
      if (C != '\\' || i + 1 >= S.size()) {
        Out += C;
        continue;
      }
      const char E = S[++i];
      if (E == 'n') {
        Out += '\n';
      } else if (E == 'r') {
        Out += '\r';
      } else {
        const std::string Shown = E == '\0' ? std::string("?") : std::string(1, E);
        if (E != '\\' && E != '"')
          Warn("\\" + Shown + " is not an escape; read as " + Shown + ", as regedit reads it");
        Out += E;
      }
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
    if (Name.find(NulUnit) != std::string::npos)
      Fail("the value name holds a NUL character");
    if (const std::string Long = HiveNameTooLong(Name, true); !Long.empty())
      Fail(Long);
    Pos = SkipBlanks(S, Pos);
    if (Pos >= S.size() || S[Pos] != '=')
      Fail("expected = after the value name");
    Pos = SkipBlanks(S, Pos + 1);
    if (Pos < S.size() && S[Pos] == '"') {
      std::string Text = Quoted(S, Pos);
      EndOfValue(S, Pos);
      FCurrent->SetValue(
          Name, REG_SZ, HiveTextToAnsi(Text) + '\0',
          HiveTextIsWide(Text) ? HiveTextToUtf16LE(Text) + std::string(2, '\0') : std::string());
    } else if (Pos < S.size() && S[Pos] == '-') {
      EndOfValue(S, Pos + 1);
      FCurrent->DeleteValue(Name);
    } else if (StartsWithNoCase(S, Pos, "dword:")) {
      // regedit skips a dword it cannot read and goes on with the file.
      std::string Data;
      if (Dword(S, Pos + 6, Data))
        FCurrent->SetValue(Name, REG_DWORD, std::move(Data));
    } else if (StartsWithNoCase(S, Pos, "hex:")) {
      FCurrent->SetValue(Name, REG_BINARY, HexBytes(S.substr(Pos + 4)));
    } else if (StartsWithNoCase(S, Pos, "hex(")) {
      Cardinal Type = 0;
      std::size_t P = Pos + 4, Digits = 0;
      for (; P < S.size() && HexDigit(S[P]) >= 0; ++P, ++Digits)
        Type = Type * 16 + static_cast<Cardinal>(HexDigit(S[P]));
      if (Digits == 0 || Digits > 8 || !StartsWithNoCase(S, P, "):"))
        Fail("expected hex(type): with a hexadecimal type");
      const int Line = FLines[FIndex].Number;
      std::string Data = HexBytes(S.substr(P + 2));
      SetHexValue(Name, Type, std::move(Data), Line);
    } else {
      Fail("expected \"text\", -, dword: or hex: after =");
    }
  }

  // A 5.00 file holds the string types in UTF-16LE, as the registry keeps
  // them; inside they are Windows-1251 like every other text, and the
  // UTF-16LE bytes are kept too when the code page cannot hold them.
  void SetHexValue(const std::string& Name, Cardinal Type, std::string Data, int Line) const {
    if (FFormat != HiveFormat::Regedit5 || !IsRegStringType(Type)) {
      FCurrent->SetValue(Name, Type, std::move(Data));
      return;
    }
    if (Data.size() % 2 != 0)
      Fail(Line,
           "a string value of a version 5.00 file must hold UTF-16 text, an even number "
           "of bytes");
    const std::string Text = Utf16LEToHiveText(Data);
    FCurrent->SetValue(Name, Type, HiveTextToAnsi(Text),
                       HiveTextIsWide(Text) ? std::move(Data) : std::string());
  }

  // Blanks, 1 to 8 hexadecimal digits, blanks and perhaps a comment, as
  // regedit reads a dword; false, with a warning, for anything else.
  bool Dword(const std::string& S, std::size_t Pos, std::string& Data) const {
    Pos = SkipBlanks(S, Pos);
    Cardinal V = 0;
    std::size_t Digits = 0;
    for (; Pos < S.size() && HexDigit(S[Pos]) >= 0; ++Pos, ++Digits)
      V = V * 16 + static_cast<Cardinal>(HexDigit(S[Pos]));
    Pos = SkipBlanks(S, Pos);
    if (Digits == 0 || Digits > 8 || (Pos < S.size() && S[Pos] != ';')) {
      Warn("dword: needs 1 to 8 hexadecimal digits; the value is skipped, as regedit skips it");
      return false;
    }
    Data.assign(4, '\0');
    for (int i = 0; i < 4; ++i)
      Data[i] = static_cast<char>((V >> (8 * i)) & 0xFF);
    return true;
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
  HiveFormat FFormat;
  std::vector<std::string>* FWarnings;
  std::size_t FIndex = 0;
  HiveKey* FCurrent = nullptr;
  bool FAfterDelete = false;
  // The path of the last key line that was not a deletion, where its names
  // end, and the key each of them leads to.
  std::string FPrevPath;
  std::vector<std::size_t> FPrevEnds;
  std::vector<HiveKey*> FPrevKeys;
};

}  // namespace

HiveFormat ParseHiveText(const std::string& Bytes, const std::string& FileName, HiveKey& Root,
                         std::vector<std::string>* Warnings) {
  if (Bytes.size() >= 2 && Bytes[0] == '\xFF' && Bytes[1] == '\xFE') {
    TParser(DecodeFile(Bytes.substr(2), FileName), FileName, Root, HiveFormat::Regedit5, Warnings)
        .Run();
    return HiveFormat::Regedit5;
  }
  if (Bytes.find('\0') != std::string::npos) {
    // A NUL byte of a REGEDIT4 file is held as hive text holds U+0000.
    std::string Text;
    Text.reserve(Bytes.size() + 16);
    for (char C : Bytes)
      if (C == '\0')
        Text += NulUnit;
      else
        Text += C;
    TParser(Text, FileName, Root, HiveFormat::Regedit4, Warnings).Run();
  } else if (!Bytes.empty()) {
    TParser(Bytes, FileName, Root, HiveFormat::Regedit4, Warnings).Run();
  }
  return HiveFormat::Regedit4;
}

void CheckHiveHead(const std::string& Head, bool Whole, const std::string& FileName) {
  if (Head.empty())
    return;
  const bool Wide = Head.size() >= 2 && Head[0] == '\xFF' && Head[1] == '\xFE';
  std::string First;
  bool Ended;
  if (Wide) {
    // The units of the first line, up to a CR or LF unit.
    std::size_t End = 2;
    while (End + 1 < Head.size() &&
           !((Head[End] == '\r' || Head[End] == '\n') && Head[End + 1] == '\0'))
      End += 2;
    Ended = End + 1 < Head.size();
    char32_t Refused = 0;
    if (!Utf16LEToWin1251(Head.substr(2, End - 2), First, Refused))
      First += '\x01';
  } else {
    const std::size_t End = Head.find_first_of("\r\n");
    Ended = End != std::string::npos;
    First = Head.substr(0, End);
  }
  // A first line that goes on past the head is judged only when what the
  // head holds of it can no longer become a header.
  const std::string Start = TrimBlanks(First);
  if (!Ended && !Whole)
    for (const char* H : {HiveHeader4, HiveHeader5})
      if (std::string(H).compare(0, Start.size(), Start) == 0)
        return;
  if (const std::string Problem =
          HeaderProblem(First, Wide ? HiveFormat::Regedit5 : HiveFormat::Regedit4);
      !Problem.empty())
    FailAt(FileName, 1, Problem);
}

std::string HiveDisplayText(const std::string& Raw) {
  std::string Shown;
  for (std::size_t i = 0; i < Raw.size(); ++i) {
    const unsigned char C = static_cast<unsigned char>(Raw[i]);
    if (C == '\0' && i + 4 < Raw.size()) {
      // A character Windows-1251 has no byte for, shown as itself.
      Shown.append(Raw, i, 5);
      i += 4;
    } else if (C == '\r' && i + 1 < Raw.size() && Raw[i + 1] == '\n') {
      Shown += '\n';
      ++i;
    } else if (C < 0x20 || C == 0x7F || C == 0x98) {
      // 0x98 is unassigned in Windows-1251 and would reach the terminal as
      // a C1 control character.
      char Buf[8];
      std::snprintf(Buf, sizeof Buf, "\\x%02x", C);
      Shown += Buf;
    } else {
      Shown += static_cast<char>(C);
    }
  }
  return HiveTextToUtf8(Shown);
}
