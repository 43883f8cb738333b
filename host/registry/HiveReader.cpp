// Reading a hive's text, in the form HiveText.h describes.
//
// The file's bytes are read where they lie: a REGEDIT4 file byte by byte, a
// 5.00 file unit by UTF-16 unit, and one line at a time, so reading holds the
// file and the tree it becomes and little else (no copy of the text, no list
// of its lines). Only names and values become hive text, as they are stored.

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "HiveError.h"
#include "HiveText.h"

namespace {

[[noreturn]] void FailAt(const std::string& FileName, int Line, const std::string& Reason) {
  throw ERegistryException(FileName + ":" + std::to_string(Line) + ": " + Reason);
}

// A REGEDIT4 file: Windows-1251 bytes.
class TNarrowText {
 public:
  explicit TNarrowText(std::string_view Bytes) : FBytes(Bytes) {}
  std::size_t Size() const { return FBytes.size(); }
  char32_t operator[](std::size_t I) const { return static_cast<unsigned char>(FBytes[I]); }
  static void AppendHiveText(std::string& Out, char32_t Unit) { Out += static_cast<char>(Unit); }
  // The byte the add-in's 8-bit calls read for the character; Wide is set
  // for one that Windows-1251 has no byte for, never here.
  static char AnsiOf(char32_t Unit, bool& /*Wide*/) { return static_cast<char>(Unit); }

 private:
  std::string_view FBytes;
};

// A 5.00 file after its byte-order mark: UTF-16LE units.
class TWideText {
 public:
  explicit TWideText(std::string_view Bytes) : FBytes(Bytes) {}
  std::size_t Size() const { return FBytes.size() / 2; }
  char32_t operator[](std::size_t I) const {
    return static_cast<unsigned char>(FBytes[2 * I]) |
           static_cast<char32_t>(static_cast<unsigned char>(FBytes[2 * I + 1])) << 8;
  }
  static void AppendHiveText(std::string& Out, char32_t Unit) {
    const int Byte = Unit == 0 ? -1 : UnicodeToWin1251(Unit);
    if (Byte >= 0) {
      Out += static_cast<char>(Byte);
      return;
    }
    char Buf[8];
    std::snprintf(Buf, sizeof Buf, "%04X", static_cast<unsigned>(Unit));
    Out += '\0';
    Out += Buf;
  }
  static char AnsiOf(char32_t Unit, bool& Wide) {
    if (Unit == 0)
      return '\0';
    const int Byte = UnicodeToWin1251(Unit);
    if (Byte >= 0)
      return static_cast<char>(Byte);
    Wide = true;
    return '?';
  }

 private:
  std::string_view FBytes;
};

bool IsBlank(char32_t C) {
  return C == ' ' || C == '\t';
}

int HexDigit(char32_t C) {
  if (C >= '0' && C <= '9')
    return static_cast<int>(C - '0');
  if (C >= 'a' && C <= 'f')
    return static_cast<int>(C - 'a' + 10);
  if (C >= 'A' && C <= 'F')
    return static_cast<int>(C - 'A' + 10);
  return -1;
}

char32_t UpperAscii(char32_t C) {
  return C >= 'a' && C <= 'z' ? C - 32 : C;
}

// What the tree of a file costs besides the text it holds, per key and per
// value: the objects, the index entries and the allocator's share, as
// measured on glibc (bench/HiveMemoryBench.cpp measures a whole read).
constexpr std::size_t KeyCost = 300;
constexpr std::size_t ValueCost = 200;

template <class TText>
class TParser {
 public:
  TParser(const TText& Text, const std::string& FileName, HiveKey& Root, HiveFormat Format,
          std::vector<std::string>* Warnings)
      : FText(Text), FFileName(FileName), FRoot(Root), FFormat(Format), FWarnings(Warnings) {}

  void Run() {
    NextLine();
    if (const std::string Problem =
            HiveHeaderProblem(LineIs(HiveHeader4), LineIs(HiveHeader5), FFormat);
        !Problem.empty())
      Fail(1, Problem);
    while (NextLine()) {
      if (IsBlankOrComment())
        continue;
      const std::size_t P = SkipBlanks(FBegin);
      if (FText[P] == '[')
        KeyLine(P);
      else if (FText[P] == '"' || FText[P] == '@')
        ValueLine(P);
      else
        Fail("expected a [key] line, a value line, a comment or a blank line");
    }
  }

  // The number of the line that the end of the text is on.
  int LineAtEnd() {
    while (NextLine()) {
    }
    const std::size_t N = FText.Size();
    return std::max(1, FNumber + (N > 0 && (FText[N - 1] == '\n' || FText[N - 1] == '\r') ? 1 : 0));
  }

 private:
  // CR, LF and CR LF each end a line, so files edited on any system read.
  // False at the end of the text.
  bool NextLine() {
    if (FNext >= FText.Size())
      return false;
    FBegin = FNext;
    FEnd = FBegin;
    while (FEnd < FText.Size() && FText[FEnd] != '\r' && FText[FEnd] != '\n')
      ++FEnd;
    FNext =
        FEnd + (FEnd + 1 < FText.Size() && FText[FEnd] == '\r' && FText[FEnd + 1] == '\n' ? 2 : 1);
    ++FNumber;
    return true;
  }
  struct TMark {
    std::size_t Begin, End, Next;
    int Number;
  };
  TMark Mark() const { return {FBegin, FEnd, FNext, FNumber}; }
  void Back(const TMark& M) {
    FBegin = M.Begin;
    FEnd = M.End;
    FNext = M.Next;
    FNumber = M.Number;
  }

  [[noreturn]] void Fail(int Line, const std::string& Reason) const {
    FailAt(FFileName, Line, Reason);
  }
  [[noreturn]] void Fail(const std::string& Reason) const { Fail(FNumber, Reason); }
  void Warn(const std::string& Reason) const {
    if (FWarnings != nullptr)
      FWarnings->push_back(FFileName + ":" + std::to_string(FNumber) + ": " + Reason);
  }

  std::size_t SkipBlanks(std::size_t Pos) const {
    while (Pos < FEnd && IsBlank(FText[Pos]))
      ++Pos;
    return Pos;
  }
  // Whether the line, without blanks around it, is Text.
  bool LineIs(std::string_view Text) const {
    std::size_t B = SkipBlanks(FBegin), E = FEnd;
    while (E > B && IsBlank(FText[E - 1]))
      --E;
    if (E - B != Text.size())
      return false;
    for (std::size_t i = 0; i < Text.size(); ++i)
      if (FText[B + i] != static_cast<unsigned char>(Text[i]))
        return false;
    return true;
  }
  // regedit takes a line whose first character is ; or # for a comment.
  bool IsBlankOrComment() const {
    const std::size_t P = SkipBlanks(FBegin);
    return P == FEnd || FText[P] == ';' || FText[P] == '#';
  }
  bool StartsWithNoCase(std::size_t Pos, const char* Prefix) const {
    for (std::size_t i = 0; Prefix[i] != '\0'; ++i)
      if (Pos + i >= FEnd || UpperAscii(FText[Pos + i]) != static_cast<unsigned char>(Prefix[i]))
        return false;
    return true;
  }
  std::string HiveTextOf(std::size_t Begin, std::size_t End) const {
    std::string Out;
    for (std::size_t i = Begin; i < End; ++i)
      TText::AppendHiveText(Out, FText[i]);
    return Out;
  }

  // The tree a file becomes may take several times the file's size; past
  // HiveMaxTreeSize it is refused rather than left to exhaust the memory.
  void Spend(std::size_t Bytes) {
    FSpent += Bytes;
    if (FSpent > HiveMaxTreeSize)
      Fail("the registry would take more than " + std::to_string(HiveMaxTreeSize >> 20) +
           " MB of memory; no registry comes near that");
  }

  void KeyLine(std::size_t Open) {
    // The key ends at the line's last ], as regedit reads it; regedit
    // ignores what follows, and so does this reader, saying so unless it
    // is a comment.
    std::size_t Close = FEnd;
    while (Close > Open + 1 && FText[Close - 1] != ']')
      --Close;
    if (Close <= Open + 1)
      Fail("a key line must end with ]");
    --Close;
    if (const std::size_t After = SkipBlanks(Close + 1); After < FEnd && FText[After] != ';')
      Warn("the text after the key's ] is ignored, as regedit ignores it");
    std::size_t Begin = Open + 1;
    const bool Delete = Begin < Close && FText[Begin] == '-';
    if (Delete)
      ++Begin;
    const std::size_t RootEnd = Begin + std::char_traits<char>::length(HiveRootName);
    if (!StartsWithNoCase(Begin, HiveRootName) || RootEnd > Close ||
        (RootEnd < Close && FText[RootEnd] != '\\'))
      Fail(std::string("the key is not under ") + HiveRootName);
    const std::size_t Rest = std::min(RootEnd + 1, Close);
    // Checked on the line as it is, before any name is made of it: a line
    // of a million names or one of a million characters costs no more.
    std::size_t Levels = 0;
    for (std::size_t Start = Rest; Start < Close; ++Levels) {
      std::size_t End = Start;
      while (End < Close && FText[End] != '\\') {
        if (FText[End] == 0)
          Fail("the key path holds a NUL byte");
        ++End;
      }
      if (End == Start)
        Fail("the key path has an empty name");
      if (End - Start > HiveMaxKeyName)
        Fail(HiveNameLengthError(HiveTextOf(Start, Start + 40), End - Start, false));
      Start = End + 1;
    }
    if (Levels > HiveMaxDepth)
      Fail("the key is " + std::to_string(Levels) + " levels deep; Windows allows " +
           std::to_string(HiveMaxDepth));
    std::vector<std::string> Names;
    for (std::size_t Start = Rest; Start < Close;) {
      std::size_t End = Start;
      while (End < Close && FText[End] != '\\')
        ++End;
      Names.push_back(HiveTextOf(Start, End));
      Start = End + 1;
    }
    FAfterDelete = Delete;
    if (Delete) {
      HiveOp Op;
      Op.Kind = HiveOp::DeleteKey;
      Op.Path = std::move(Names);
      ApplyHiveOp(FRoot, Op);
      FCurrent = nullptr;
      // The keys of the previous path may be gone.
      FPrevNames.clear();
      FPrevKeys.clear();
      return;
    }
    // A key line mostly repeats the path of the one before it (a parent, then
    // its children), and the keys along that shared part are known already:
    // only the rest is looked up, so reading stays linear in the file's size
    // however deep the keys are.
    std::size_t Shared = 0;
    while (Shared < Names.size() && Shared < FPrevNames.size() &&
           Names[Shared] == FPrevNames[Shared])
      ++Shared;
    FPrevKeys.resize(Shared);
    HiveKey* Key = Shared > 0 ? FPrevKeys.back() : &FRoot;
    for (std::size_t i = Shared; i < Names.size(); ++i) {
      HiveKey* Parent = Key;
      const std::size_t Before = Parent->Children().size();
      Key = &Parent->AddChild(Names[i]);
      if (Parent->Children().size() != Before)
        Spend(KeyCost + Names[i].size());
      FPrevKeys.push_back(Key);
    }
    FPrevNames = std::move(Names);
    FCurrent = Key;
  }

  // Reads a quoted text starting at the quote at Pos, giving each character
  // to Put; Pos ends after the closing quote. The escapes are regedit's:
  // \\, \", \n and \r; before any other character a backslash is dropped,
  // with a warning, as regedit drops it. In a name (Name set) regedit
  // skips a value whose name holds \0, and it stops reading the file at a
  // \0 in a text: here either is read as 0, and the warning says so.
  template <class FPut>
  void Quoted(std::size_t& Pos, bool Name, FPut Put) {
    for (std::size_t i = Pos + 1; i < FEnd; ++i) {
      const char32_t C = FText[i];
      if (C == '"') {
        Pos = i + 1;
        return;
      }
      if (C != '\\' || i + 1 >= FEnd) {
        Put(C);
        continue;
      }
      const char32_t E = FText[++i];
      if (E == 'n') {
        Put('\n');
      } else if (E == 'r') {
        Put('\r');
      } else {
        if (E == '0')
          Warn(Name ? "\\0 is not an escape; read as 0, where regedit skips the value"
                    : "\\0 is not an escape; read as 0, where regedit stops reading the file");
        else if (E != '\\' && E != '"')
          Warn("\\" + Shown(E) + " is not an escape; read as " + Shown(E) +
               ", as regedit reads it");
        Put(E);
      }
    }
    Fail("a quoted text has no closing \"");
  }
  // How many characters the quoted text starting at the quote at Pos holds,
  // so that what holds them is made once at its size.
  std::size_t QuotedLength(std::size_t Pos) const {
    std::size_t Count = 0;
    for (std::size_t i = Pos + 1; i < FEnd && FText[i] != '"'; ++i, ++Count)
      if (FText[i] == '\\' && i + 1 < FEnd)
        ++i;
    return Count;
  }
  // A character in a message: as itself (hive text), a NUL as ?.
  static std::string Shown(char32_t C) {
    std::string S;
    if (C == 0)
      S = "?";
    else
      TText::AppendHiveText(S, C);
    return S;
  }

  void EndOfValue(std::size_t Pos) const {
    Pos = SkipBlanks(Pos);
    if (Pos < FEnd && FText[Pos] != ';')
      Fail("unexpected text after the value");
  }

  void ValueLine(std::size_t Pos) {
    if (FCurrent == nullptr)
      Fail(FAfterDelete ? "a value follows a key deletion" : "a value comes before any [key] line");
    std::string Name;
    if (FText[Pos] == '@') {
      ++Pos;
    } else {
      std::size_t Length = 0;
      bool Nul = false;
      const std::size_t Start = Pos;
      Quoted(Pos, true, [&](char32_t C) {
        Nul = Nul || C == 0;
        // A name longer than Windows allows is refused without being held.
        if (++Length <= HiveMaxValueName)
          TText::AppendHiveText(Name, C);
      });
      if (Nul)
        Fail("the value name holds a NUL character");
      if (Length > HiveMaxValueName)
        Fail(HiveNameLengthError(HiveTextOf(Start + 1, Start + 41), Length, true));
    }
    Pos = SkipBlanks(Pos);
    if (Pos >= FEnd || FText[Pos] != '=')
      Fail("expected = after the value name");
    Pos = SkipBlanks(Pos + 1);
    if (Pos < FEnd && FText[Pos] == '"') {
      // The add-in's bytes, and the UTF-16LE ones as well once a character
      // needs them (everything before it has its own byte).
      std::string Data, Wide;
      const std::size_t Length = QuotedLength(Pos) + 1;
      Data.reserve(Length);
      bool IsWide = false;
      Quoted(Pos, false, [&](char32_t C) {
        const bool Before = IsWide;
        Data += TText::AnsiOf(C, IsWide);
        if (IsWide && !Before) {
          Wide = Win1251ToUtf16LE(Data.substr(0, Data.size() - 1));
          Wide.reserve(2 * Length);
        }
        if (IsWide) {
          Wide += static_cast<char>(C & 0xFF);
          Wide += static_cast<char>(C >> 8);
        }
      });
      EndOfValue(Pos);
      Data += '\0';
      if (IsWide)
        Wide.append(2, '\0');
      SetValue(Name, REG_SZ, std::move(Data), std::move(Wide));
    } else if (Pos < FEnd && FText[Pos] == '-') {
      EndOfValue(Pos + 1);
      FCurrent->DeleteValue(Name);
    } else if (StartsWithNoCase(Pos, "DWORD:")) {
      // regedit skips a dword it cannot read and goes on with the file.
      std::string Data;
      if (Dword(Pos + 6, Data))
        SetValue(Name, REG_DWORD, std::move(Data), std::string());
    } else if (StartsWithNoCase(Pos, "HEX:")) {
      std::string Data;
      if (HexBytes(Pos + 4, Data))
        SetValue(Name, REG_BINARY, std::move(Data), std::string());
    } else if (StartsWithNoCase(Pos, "HEX(")) {
      Cardinal Type = 0;
      std::size_t P = Pos + 4, Digits = 0;
      for (; P < FEnd && HexDigit(FText[P]) >= 0; ++P, ++Digits)
        Type = Type * 16 + static_cast<Cardinal>(HexDigit(FText[P]));
      if (Digits == 0 || Digits > 8 || !StartsWithNoCase(P, "):"))
        Fail("expected hex(type): with a hexadecimal type");
      const int Line = FNumber;
      std::string Data;
      if (HexBytes(P + 2, Data))
        SetHexValue(Name, Type, std::move(Data), Line);
    } else {
      Fail("expected \"text\", -, dword: or hex: after =");
    }
  }

  void SetValue(const std::string& Name, Cardinal Type, std::string Data, std::string Wide) {
    Spend(ValueCost + Name.size() + Data.size() + Wide.size());
    FCurrent->SetValue(Name, Type, std::move(Data), std::move(Wide));
  }

  // A 5.00 file holds the string types in UTF-16LE, as the registry keeps
  // them; inside they are Windows-1251 like every other text, and the
  // UTF-16LE bytes are kept too when the code page cannot hold them.
  void SetHexValue(const std::string& Name, Cardinal Type, std::string Data, int Line) {
    if (FFormat != HiveFormat::Regedit5 || !IsRegStringType(Type)) {
      SetValue(Name, Type, std::move(Data), std::string());
      return;
    }
    if (Data.size() % 2 != 0)
      Fail(Line,
           "a string value of a version 5.00 file must hold UTF-16 text, an even number "
           "of bytes");
    const TWideText Units(Data);
    std::string Ansi;
    Ansi.reserve(Units.Size());
    bool IsWide = false;
    for (std::size_t i = 0; i < Units.Size(); ++i)
      Ansi += TWideText::AnsiOf(Units[i], IsWide);
    SetValue(Name, Type, std::move(Ansi), IsWide ? std::move(Data) : std::string());
  }

  // Blanks, 1 to 8 hexadecimal digits, blanks and perhaps a comment, as
  // regedit reads a dword; false, with a warning, for anything else.
  bool Dword(std::size_t Pos, std::string& Data) const {
    Pos = SkipBlanks(Pos);
    Cardinal V = 0;
    std::size_t Digits = 0;
    for (; Pos < FEnd && HexDigit(FText[Pos]) >= 0; ++Pos, ++Digits)
      V = V * 16 + static_cast<Cardinal>(HexDigit(FText[Pos]));
    Pos = SkipBlanks(Pos);
    if (Digits == 0 || Digits > 8 || (Pos < FEnd && FText[Pos] != ';')) {
      Warn("dword: needs 1 to 8 hexadecimal digits; the value is skipped, as regedit skips it");
      return false;
    }
    Data.assign(4, '\0');
    for (int i = 0; i < 4; ++i)
      Data[i] = static_cast<char>((V >> (8 * i)) & 0xFF);
    return true;
  }

  // The comma-separated bytes of a hex value from Pos on, following "\"
  // continuations; the line ends on the value's last line. Blank lines and
  // ; comments between them are skipped, as regedit skips them; a # line
  // there ends the value for regedit, which then drops it and reads the
  // bytes that follow as lines it cannot read and ignores: so does this
  // reader, with a warning, and false.
  bool HexBytes(std::size_t Pos, std::string& Data) {
    bool Dropped = false;
    for (;;) {
      std::size_t End = Pos;
      while (End < FEnd && FText[End] != ';')
        ++End;
      while (End > Pos && IsBlank(FText[End - 1]))
        --End;
      const bool Continued = End > Pos && FText[End - 1] == '\\';
      if (Continued)
        --End;
      if (!Dropped)
        HexSegment(Pos, End, Data);
      if (!Continued)
        return !Dropped;
      const int ValueLine = FNumber;
      TMark Before = Mark();
      for (;;) {
        if (!NextLine()) {
          if (Dropped)
            return false;
          Fail(ValueLine, "the hex value ends with \\ but no line follows");
        }
        const std::size_t P = SkipBlanks(FBegin);
        if (P == FEnd || FText[P] == ';')
          continue;
        if (FText[P] != '#')
          break;
        if (!Dropped)
          Warn(
              "a # line inside a hex value ends it for regedit, which skips the value; so is it "
              "skipped here");
        Dropped = true;
        Before = Mark();
      }
      Pos = SkipBlanks(FBegin);
      if (HexDigit(FText[Pos]) < 0) {
        if (!Dropped)
          Fail("expected a continuation line of hex bytes");
        // Not a part of the dropped value: a line of its own.
        Back(Before);
        return false;
      }
    }
  }

  void HexSegment(std::size_t Start, std::size_t End, std::string& Data) const {
    while (Start < End) {
      std::size_t Comma = Start;
      while (Comma < End && FText[Comma] != ',')
        ++Comma;
      const bool Last = Comma == End;
      std::size_t B = Start, E = Comma;
      while (B < E && IsBlank(FText[B]))
        ++B;
      while (E > B && IsBlank(FText[E - 1]))
        --E;
      // A trailing comma before the continuation "\" leaves an empty token.
      if (B == E && Last)
        break;
      const int High = B < E ? HexDigit(FText[B]) : -1;
      const int Low = E - B == 2 ? HexDigit(FText[B + 1]) : 0;
      if (B == E || E - B > 2 || High < 0 || Low < 0)
        Fail("\"" + HiveTextOf(B, std::min(E, B + 40)) + "\" is not a hex byte");
      Data += static_cast<char>(E - B == 2 ? High * 16 + Low : High);
      Start = Comma + 1;
    }
  }

  const TText& FText;
  const std::string& FFileName;
  HiveKey& FRoot;
  HiveFormat FFormat;
  std::vector<std::string>* FWarnings;
  // The current line is [FBegin, FEnd), numbered FNumber; the next starts
  // at FNext.
  std::size_t FBegin = 0, FEnd = 0, FNext = 0;
  int FNumber = 0;
  std::size_t FSpent = 0;
  HiveKey* FCurrent = nullptr;
  bool FAfterDelete = false;
  // The names of the last key line that was not a deletion, and the key
  // each of them leads to.
  std::vector<std::string> FPrevNames;
  std::vector<HiveKey*> FPrevKeys;
};

}  // namespace

HiveFormat ParseHiveText(std::string_view Bytes, const std::string& FileName, HiveKey& Root,
                         std::vector<std::string>* Warnings) {
  if (Bytes.size() >= 2 && Bytes[0] == '\xFF' && Bytes[1] == '\xFE') {
    const TWideText Text(Bytes.substr(2));
    if (Bytes.size() % 2 != 0)
      FailAt(FileName,
             TParser<TWideText>(Text, FileName, Root, HiveFormat::Regedit5, nullptr).LineAtEnd(),
             "the file ends in the middle of a UTF-16 character");
    TParser<TWideText>(Text, FileName, Root, HiveFormat::Regedit5, Warnings).Run();
    return HiveFormat::Regedit5;
  }
  if (!Bytes.empty())
    TParser<TNarrowText>(TNarrowText(Bytes), FileName, Root, HiveFormat::Regedit4, Warnings).Run();
  return HiveFormat::Regedit4;
}
