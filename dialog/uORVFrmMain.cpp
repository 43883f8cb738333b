#include "uORVFrmMain.h"

std::string RusToRus(const std::string& S) {
  std::string Result;
  Result.reserve(S.size());
  for (char Ch : S) {
    const auto B = static_cast<unsigned char>(Ch);
    if (B == 0x0A || B == 0x0D || B == 0x1F || B >= 0xC0)
      Result += Ch;
  }
  return Result;
}
