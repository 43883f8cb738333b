#pragma once

// Text the tests compare: a string list as a vector, and the sample group
// names. Group names are Cyrillic only, so the samples are Windows-1251, as
// the add-in holds them.

#include <string>
#include <vector>

#include "Classes.h"

inline std::vector<std::string> Lines(const TStrings* S) {
  std::vector<std::string> R;
  for (int i = 0; i < S->Count(); ++i)
    R.push_back(S->Get(i));
  return R;
}

inline const std::string kAlpha = "\xC0\xEB\xF4\xE0";          // "Алфа"
inline const std::string kBeta = "\xC1\xE5\xF2\xE0";           // "Бета"
inline const std::string kGamma = "\xC3\xE0\xEC\xEC\xE0";      // "Гамма"
inline const std::string kDelta = "\xC4\xE5\xEB\xFC\xF2\xE0";  // "Дельта"
inline const std::string kEcho = "\xDD\xF5\xEE";               // "Эхо"
// The caption of the group of the pages no group holds: "НетГруппы".
inline const std::string kUngrouped = "\xCD\xE5\xF2\xC3\xF0\xF3\xEF\xEF\xFB";
