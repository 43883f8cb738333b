#pragma once

// The parts of Delphi's SysUtils unit that the host and the add-in use:
// exceptions, integer conversion with Delphi's syntax, and case-insensitive
// comparison in the Windows-1251 locale.

#include <exception>
#include <string>

#include "System.h"

class Exception : public std::exception {
 public:
  explicit Exception(std::string Msg) : FMessage(std::move(Msg)) {}
  ~Exception() override;
  const std::string& Message() const { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

class EConvertError : public Exception {
  using Exception::Exception;
};
class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
  ~EInvalidCast() override;
};
class EListError : public Exception {
  using Exception::Exception;
};
class EStringListError : public EListError {
  using EListError::EListError;
};
class EInvalidOperation : public Exception {
  using Exception::Exception;
};
class EComponentError : public Exception {
  using Exception::Exception;
};

// Delphi's Val syntax: leading blanks, an optional sign, then decimal digits or
// hexadecimal after "$", "x" or "0x". Anything else, an empty text or a value
// outside the type's range raises EConvertError.
Int64 StrToInt64(const std::string& S);
Integer StrToInt(const std::string& S);
bool TryStrToInt64(const std::string& S, Int64& Value);
bool TryStrToInt(const std::string& S, Integer& Value);
Int64 StrToInt64Def(const std::string& S, Int64 Default);
Integer StrToIntDef(const std::string& S, Integer Default);
std::string IntToStr(Int64 Value);
std::string IntToHex(Int64 Value, int Digits);

// Removes blanks and control characters (every byte up to 0x20) at both ends.
std::string Trim(const std::string& S);

// Case folding of the Windows-1251 locale: Latin and Cyrillic letters.
char AnsiUpperChar(char C);
char AnsiLowerChar(char C);
std::string AnsiUpperCase(const std::string& S);
std::string AnsiLowerCase(const std::string& S);
int AnsiCompareText(const std::string& S1, const std::string& S2);
bool AnsiSameText(const std::string& S1, const std::string& S2);
int AnsiCompareStr(const std::string& S1, const std::string& S2);
