#include "HiveText.h"

#include <cstdio>

#include "CodePage.h"
#include "HiveError.h"

const char* const HiveRootName = "HKEY_CURRENT_USER";
const char* const HiveHeader4 = "REGEDIT4";
const char* const HiveHeader5 = "Windows Registry Editor Version 5.00";

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

std::string HiveHeaderProblem(bool Is4, bool Is5, HiveFormat Format) {
  if (Format == HiveFormat::Regedit5 && !Is5)
    return std::string("a UTF-16LE file must start with the line ") + HiveHeader5;
  if (Format == HiveFormat::Regedit4 && Is5)
    return std::string("a file that starts with ") + HiveHeader5 +
           " must be UTF-16LE with a byte-order mark, as regedit writes it";
  if (Format == HiveFormat::Regedit4 && !Is4)
    return std::string("the file does not start with the line ") + HiveHeader4 +
           " (or, in UTF-16LE, " + HiveHeader5 + ")";
  return std::string();
}

namespace {

bool IsBlank(char C) {
  return C == ' ' || C == '\t';
}

}  // namespace

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
  std::size_t B = 0, E = First.size();
  while (B < E && IsBlank(First[B]))
    ++B;
  while (E > B && IsBlank(First[E - 1]))
    --E;
  const std::string Start = First.substr(B, E - B);
  // A first line that goes on past the head is judged only when what the
  // head holds of it can no longer become a header.
  if (!Ended && !Whole)
    for (const char* H : {HiveHeader4, HiveHeader5})
      if (std::string(H).compare(0, Start.size(), Start) == 0)
        return;
  if (const std::string Problem =
          HiveHeaderProblem(Start == HiveHeader4, Start == HiveHeader5,
                            Wide ? HiveFormat::Regedit5 : HiveFormat::Regedit4);
      !Problem.empty())
    throw ERegistryException(FileName + ":1: " + Problem);
}

namespace {

// The length of the UTF-8 sequence that starts at Text[i], 0 when none
// does there.
std::size_t Utf8SequenceAt(const std::string& Text, std::size_t i) {
  const auto Byte = [&](std::size_t k) { return static_cast<unsigned char>(Text[k]); };
  const unsigned char Lead = Byte(i);
  const std::size_t Length = Lead >= 0xF0 && Lead <= 0xF4 ? 4
                             : Lead >= 0xE0               ? 3
                             : Lead >= 0xC2               ? 2
                                                          : 0;
  if (Length == 0 || i + Length > Text.size())
    return 0;
  for (std::size_t k = i + 1; k < i + Length; ++k)
    if ((Byte(k) & 0xC0) != 0x80)
      return 0;
  return Length;
}

}  // namespace

std::string HiveReportToUtf8(const std::string& Message) {
  std::string Shown;
  for (std::size_t i = 0; i < Message.size();) {
    if (const std::size_t Length = Utf8SequenceAt(Message, i); Length > 0) {
      Shown.append(Message, i, Length);
      i += Length;
      continue;
    }
    // Hive text: a run of Windows-1251 bytes and NUL-led units, taken
    // whole so that a surrogate pair stays one character.
    std::size_t End = i;
    while (End < Message.size() && Utf8SequenceAt(Message, End) == 0)
      End += Message[End] == '\0' && End + 4 < Message.size() ? 5 : 1;
    Shown += HiveTextToUtf8(Message.substr(i, End - i));
    i = End;
  }
  return Shown;
}
