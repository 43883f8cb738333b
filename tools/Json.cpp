#include "Json.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

TJson TJson::Array() {
  TJson J;
  J.FKind = TKind::Array;
  return J;
}

TJson TJson::Object() {
  TJson J;
  J.FKind = TKind::Object;
  return J;
}

TJson TJson::Strings(const std::vector<std::string>& Items) {
  TJson J = Array();
  for (const std::string& S : Items)
    J.Push(S);
  return J;
}

TJson& TJson::Push(TJson Value) {
  if (FKind != TKind::Array)
    throw EJsonError("not an array");
  FItems.push_back(std::move(Value));
  return FItems.back();
}

TJson& TJson::Set(const std::string& Key, TJson Value) {
  if (FKind != TKind::Object)
    throw EJsonError("not an object");
  for (std::size_t i = 0; i < FKeys.size(); ++i)
    if (FKeys[i] == Key)
      return FItems[i] = std::move(Value);
  FKeys.push_back(Key);
  FItems.push_back(std::move(Value));
  return FItems.back();
}

const TJson* TJson::Find(const std::string& Key) const {
  if (FKind != TKind::Object)
    return nullptr;
  for (std::size_t i = 0; i < FKeys.size(); ++i)
    if (FKeys[i] == Key)
      return &FItems[i];
  return nullptr;
}

const TJson* TJson::At(const std::string& Pointer) const {
  if (Pointer.empty())
    return this;
  if (Pointer[0] != '/')
    throw EJsonError("a JSON pointer starts with '/'");
  const TJson* Node = this;
  std::size_t Pos = 1;
  for (;;) {
    const std::size_t End = Pointer.find('/', Pos);
    const std::string Raw = Pointer.substr(Pos, End == std::string::npos ? End : End - Pos);
    std::string Token;
    for (std::size_t i = 0; i < Raw.size(); ++i) {
      if (Raw[i] != '~') {
        Token += Raw[i];
        continue;
      }
      if (i + 1 < Raw.size() && (Raw[i + 1] == '0' || Raw[i + 1] == '1')) {
        Token += Raw[i + 1] == '0' ? '~' : '/';
        ++i;
      } else {
        throw EJsonError("'~' in a JSON pointer must be followed by 0 or 1");
      }
    }
    if (Node != nullptr) {
      if (Node->FKind == TKind::Object) {
        Node = Node->Find(Token);
      } else if (Node->FKind == TKind::Array) {
        const bool Digits = !Token.empty() && Token.find_first_not_of("0123456789") == Token.npos &&
                            (Token.size() == 1 || Token[0] != '0');
        const std::size_t Index = Digits ? std::strtoull(Token.c_str(), nullptr, 10) : 0;
        Node = Digits && Token.size() < 10 && Index < Node->FItems.size() ? &Node->FItems[Index]
                                                                          : nullptr;
      } else {
        Node = nullptr;
      }
    }
    // The whole pointer is checked even past a missing member.
    if (End == std::string::npos)
      return Node;
    Pos = End + 1;
  }
}

namespace {

void WriteString(std::string& Out, const std::string& S) {
  Out += '"';
  for (unsigned char C : S) {
    switch (C) {
      case '"':
        Out += "\\\"";
        break;
      case '\\':
        Out += "\\\\";
        break;
      case '\n':
        Out += "\\n";
        break;
      case '\r':
        Out += "\\r";
        break;
      case '\t':
        Out += "\\t";
        break;
      default:
        if (C < 0x20) {
          char Buf[8];
          std::snprintf(Buf, sizeof Buf, "\\u%04x", C);
          Out += Buf;
        } else {
          Out += static_cast<char>(C);
        }
    }
  }
  Out += '"';
}

}  // namespace

std::string TJson::Write() const {
  std::string Out;
  WriteTo(Out);
  return Out;
}

void TJson::WriteTo(std::string& Out) const {
  switch (FKind) {
    case TKind::Null:
      Out += "null";
      break;
    case TKind::Bool:
      Out += FBool ? "true" : "false";
      break;
    case TKind::Integer:
      Out += std::to_string(FInteger);
      break;
    case TKind::Real: {
      if (!std::isfinite(FReal)) {
        Out += "null";
        break;
      }
      char Buf[32];
      std::snprintf(Buf, sizeof Buf, "%.17g", FReal);
      Out += Buf;
      break;
    }
    case TKind::String:
      WriteString(Out, FString);
      break;
    case TKind::Array:
      Out += '[';
      for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0)
          Out += ',';
        FItems[i].WriteTo(Out);
      }
      Out += ']';
      break;
    case TKind::Object:
      Out += '{';
      for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0)
          Out += ',';
        WriteString(Out, FKeys[i]);
        Out += ':';
        FItems[i].WriteTo(Out);
      }
      Out += '}';
      break;
  }
}

namespace {

class TParser {
 public:
  explicit TParser(const std::string& Text) : FText(Text) {}

  TJson Document() {
    TJson Result = Value(0);
    SkipBlanks();
    if (FPos != FText.size())
      Fail("unexpected text after the value");
    return Result;
  }

 private:
  static constexpr int kMaxDepth = 200;

  [[noreturn]] void Fail(const std::string& What) const {
    throw EJsonError("invalid JSON at offset " + std::to_string(FPos) + ": " + What);
  }
  void SkipBlanks() {
    while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t' ||
                                   FText[FPos] == '\n' || FText[FPos] == '\r'))
      ++FPos;
  }
  bool Take(char C) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == C) {
      ++FPos;
      return true;
    }
    return false;
  }
  void Expect(char C) {
    if (!Take(C))
      Fail(std::string("'") + C + "' expected");
  }
  bool Word(const char* W) {
    const std::string S(W);
    if (FText.compare(FPos, S.size(), S) != 0)
      return false;
    FPos += S.size();
    return true;
  }

  TJson Value(int Depth) {
    if (Depth > kMaxDepth)
      Fail("nested too deeply");
    SkipBlanks();
    if (FPos >= FText.size())
      Fail("a value expected");
    const char C = FText[FPos];
    if (C == '{')
      return ObjectValue(Depth);
    if (C == '[')
      return ArrayValue(Depth);
    if (C == '"')
      return TJson(StringValue());
    if (C == '-' || (C >= '0' && C <= '9'))
      return Number();
    if (Word("true"))
      return TJson(true);
    if (Word("false"))
      return TJson(false);
    if (Word("null"))
      return TJson();
    Fail("a value expected");
  }

  TJson ObjectValue(int Depth) {
    ++FPos;
    TJson Result = TJson::Object();
    if (Take('}'))
      return Result;
    do {
      SkipBlanks();
      if (FPos >= FText.size() || FText[FPos] != '"')
        Fail("a member name expected");
      std::string Key = StringValue();
      Expect(':');
      if (Result.Find(Key) != nullptr)
        Fail("member \"" + Key + "\" given twice");
      Result.Set(Key, Value(Depth + 1));
    } while (Take(','));
    Expect('}');
    return Result;
  }

  TJson ArrayValue(int Depth) {
    ++FPos;
    TJson Result = TJson::Array();
    if (Take(']'))
      return Result;
    do
      Result.Push(Value(Depth + 1));
    while (Take(','));
    Expect(']');
    return Result;
  }

  unsigned Hex4() {
    if (FPos + 4 > FText.size())
      Fail("four hex digits expected");
    unsigned V = 0;
    for (int i = 0; i < 4; ++i) {
      const char C = FText[FPos++];
      V <<= 4;
      if (C >= '0' && C <= '9')
        V |= static_cast<unsigned>(C - '0');
      else if (C >= 'a' && C <= 'f')
        V |= static_cast<unsigned>(C - 'a' + 10);
      else if (C >= 'A' && C <= 'F')
        V |= static_cast<unsigned>(C - 'A' + 10);
      else
        Fail("four hex digits expected");
    }
    return V;
  }

  static void AppendUtf8(std::string& Out, unsigned Cp) {
    if (Cp < 0x80) {
      Out += static_cast<char>(Cp);
    } else if (Cp < 0x800) {
      Out += static_cast<char>(0xC0 | (Cp >> 6));
      Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else if (Cp < 0x10000) {
      Out += static_cast<char>(0xE0 | (Cp >> 12));
      Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
      Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else {
      Out += static_cast<char>(0xF0 | (Cp >> 18));
      Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
      Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
      Out += static_cast<char>(0x80 | (Cp & 0x3F));
    }
  }

  std::string StringValue() {
    ++FPos;
    std::string Out;
    for (;;) {
      if (FPos >= FText.size())
        Fail("unterminated string");
      const unsigned char C = static_cast<unsigned char>(FText[FPos++]);
      if (C == '"')
        return Out;
      if (C < 0x20)
        Fail("control character in a string");
      if (C != '\\') {
        Out += static_cast<char>(C);
        continue;
      }
      if (FPos >= FText.size())
        Fail("unterminated string");
      switch (FText[FPos++]) {
        case '"':
          Out += '"';
          break;
        case '\\':
          Out += '\\';
          break;
        case '/':
          Out += '/';
          break;
        case 'b':
          Out += '\b';
          break;
        case 'f':
          Out += '\f';
          break;
        case 'n':
          Out += '\n';
          break;
        case 'r':
          Out += '\r';
          break;
        case 't':
          Out += '\t';
          break;
        case 'u': {
          unsigned Cp = Hex4();
          if (Cp >= 0xD800 && Cp < 0xDC00) {
            if (!Word("\\u"))
              Fail("a surrogate pair expected");
            const unsigned Low = Hex4();
            if (Low < 0xDC00 || Low >= 0xE000)
              Fail("a low surrogate expected");
            Cp = 0x10000 + ((Cp - 0xD800) << 10) + (Low - 0xDC00);
          } else if (Cp >= 0xDC00 && Cp < 0xE000) {
            Fail("a lone low surrogate");
          }
          AppendUtf8(Out, Cp);
          break;
        }
        default:
          --FPos;
          Fail("unknown escape");
      }
    }
  }

  TJson Number() {
    const std::size_t Start = FPos;
    auto Digits = [&] {
      const std::size_t From = FPos;
      while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9')
        ++FPos;
      return FPos - From;
    };
    bool Integral = true;
    if (FText[FPos] == '-')
      ++FPos;
    const std::size_t IntStart = FPos;
    const std::size_t IntDigits = Digits();
    if (IntDigits == 0 || (IntDigits > 1 && FText[IntStart] == '0'))
      Fail("malformed number");
    if (FPos < FText.size() && FText[FPos] == '.') {
      ++FPos;
      Integral = false;
      if (Digits() == 0)
        Fail("malformed number");
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      ++FPos;
      Integral = false;
      if (FPos < FText.size() && (FText[FPos] == '+' || FText[FPos] == '-'))
        ++FPos;
      if (Digits() == 0)
        Fail("malformed number");
    }
    const std::string S = FText.substr(Start, FPos - Start);
    if (Integral) {
      errno = 0;
      const long long V = std::strtoll(S.c_str(), nullptr, 10);
      if (errno == 0)
        return TJson(static_cast<std::int64_t>(V));
    }
    return TJson(std::strtod(S.c_str(), nullptr));
  }

  const std::string& FText;
  std::size_t FPos = 0;
};

}  // namespace

TJson TJson::Parse(const std::string& Text) {
  return TParser(Text).Document();
}

bool operator==(const TJson& L, const TJson& R) {
  using K = TJson::TKind;
  const bool LNum = L.FKind == K::Integer || L.FKind == K::Real;
  const bool RNum = R.FKind == K::Integer || R.FKind == K::Real;
  if (LNum && RNum) {
    if (L.FKind == K::Integer && R.FKind == K::Integer)
      return L.FInteger == R.FInteger;
    return L.AsReal() == R.AsReal();
  }
  if (L.FKind != R.FKind)
    return false;
  switch (L.FKind) {
    case K::Null:
      return true;
    case K::Bool:
      return L.FBool == R.FBool;
    case K::String:
      return L.FString == R.FString;
    case K::Array:
      return L.FItems == R.FItems;
    case K::Object:
      if (L.FItems.size() != R.FItems.size())
        return false;
      for (std::size_t i = 0; i < L.FKeys.size(); ++i) {
        const TJson* Other = R.Find(L.FKeys[i]);
        if (Other == nullptr || !(*Other == L.FItems[i]))
          return false;
      }
      return true;
    default:
      return false;
  }
}
