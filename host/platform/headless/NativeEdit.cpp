#include "NativeEdit.h"

#include <algorithm>
#include <cstdint>

#include "NativePaint.h"
#include "Natives.h"
#include "TextMetrics.h"

const char* const WC_EDIT = "EDIT";

int EditBorderWidth(DWORD Style) {
  return (Style & WS_BORDER) != 0 ? 1 : 2;
}

namespace {

class TNativeEdit : public TNativeWindow {
 public:
  // The window's name is its first text, taken without a notification.
  void Created(HWND Wnd, const std::string& WindowName) override {
    (void)Wnd;
    FText = WindowName;
  }
  LRESULT Handle(HWND Wnd, TMessage& M) override;
  // The background in the owner's colour (the face colour while disabled)
  // and the first line of text in the formatting rectangle, aligned as the
  // style says.
  void Paint(HWND Wnd, HDC DC) override;

 private:
  std::size_t SelMin() const { return std::min(FAnchor, FCaret); }
  std::size_t SelMax() const { return std::max(FAnchor, FCaret); }
  bool ReadOnly(HWND Wnd) const { return (GetWindowStyle(Wnd) & ES_READONLY) != 0; }
  bool MultiLine(HWND Wnd) const { return (GetWindowStyle(Wnd) & ES_MULTILINE) != 0; }
  // Puts Text in place of the selection, cut to the length limit; the caret
  // ends after it. Returns whether the text changed.
  bool Replace(std::string Text);
  bool DeleteSelection();
  void MoveCaret(std::size_t Pos, bool Extend);
  void OnChar(HWND Wnd, unsigned char Ch);
  void OnKeyDown(HWND Wnd, int Key);
  // Handle's messages by what they are about: the whole text, the
  // selection, the edit's settings and formatting rectangle, the user's
  // input, the clipboard.
  LRESULT TextMessage(HWND Wnd, TMessage& M);
  LRESULT SelectionMessage(HWND Wnd, TMessage& M);
  LRESULT SettingMessage(HWND Wnd, TMessage& M);
  LRESULT InputMessage(HWND Wnd, TMessage& M);
  LRESULT ClipboardMessage(HWND Wnd, TMessage& M);
  TRect ClientArea(HWND Wnd) const;
  // The character boundary of the first line nearest client position X.
  std::size_t CaretAt(HWND Wnd, int X) const;

  std::string FText;
  // The selection runs from the anchor to the caret; both are equal when
  // nothing is selected.
  std::size_t FAnchor = 0, FCaret = 0;
  std::size_t FLimit = EditDefaultLimit;
  bool FHasFormatRect = false;
  TRect FFormatRect;
};

// The edit shows, and tells its owner of, every change (Natives.h).
void NotifyChange(HWND Wnd) {
  InvalidateRect(Wnd, nullptr, 1);
  NotifyOwner(Wnd, EN_CHANGE);
}

bool TNativeEdit::Replace(std::string Text) {
  const std::size_t Kept = FText.size() - (SelMax() - SelMin());
  const std::size_t Room = FLimit > Kept ? FLimit - Kept : 0;
  if (Text.size() > Room)
    Text.resize(Room);
  if (Text.empty() && SelMin() == SelMax())
    return false;
  const std::size_t At = SelMin();
  FText.replace(At, SelMax() - At, Text);
  FAnchor = FCaret = At + Text.size();
  return true;
}

bool TNativeEdit::DeleteSelection() {
  return SelMin() != SelMax() && Replace({});
}

void TNativeEdit::MoveCaret(std::size_t Pos, bool Extend) {
  FCaret = std::min(Pos, FText.size());
  if (!Extend)
    FAnchor = FCaret;
}

TRect TNativeEdit::ClientArea(HWND Wnd) const {
  const TWindowRecord& W = *WindowRecord(Wnd);
  const int B = EditBorderWidth(W.Style);
  return {0, 0, std::max(0, W.Width - 2 * B), std::max(0, W.Height - 2 * B)};
}

void TNativeEdit::Paint(HWND Wnd, HDC DC) {
  const TWindowRecord& W = *WindowRecord(Wnd);
  const TWindowFont Font(Wnd, DC);
  const bool Enabled = IsWindowEnabled(Wnd) != 0;
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLOREDIT, COLOR_WINDOW);
  const TRect Client = ClientArea(Wnd);
  Pixels(DC, Client, Enabled ? Colors.Background : GetSysColor(COLOR_BTNFACE));
  const TRect Format = FHasFormatRect ? FFormatRect : Client;
  const int Left = Format.Left + 1;
  const int Right = std::min(Client.Right - 1, Format.Right - 1);
  const std::string Line = FText.substr(0, std::min(FText.find_first_of("\r\n"), FText.size()));
  const int Width = FontTextWidth(Font.Desc(), Line);
  const int X = (W.Style & ES_RIGHT) != 0    ? Right - Width
                : (W.Style & ES_CENTER) != 0 ? (Left + Right - Width) / 2
                                             : Left;
  const TRect Clip{0, 0, Right, Client.Bottom};
  Write(DC, X, (W.Height - Font.Height()) / 2 - EditBorderWidth(W.Style), Line,
        Enabled ? Colors.Text : GetSysColor(COLOR_GRAYTEXT), &Clip);
}

std::size_t TNativeEdit::CaretAt(HWND Wnd, int X) const {
  const TWindowRecord& W = *WindowRecord(Wnd);
  const std::size_t LineEnd = std::min(FText.find_first_of("\r\n"), FText.size());
  const TRect Area = FHasFormatRect ? FFormatRect : ClientArea(Wnd);
  const int Width = FontTextWidth(W.Font, FText.substr(0, LineEnd));
  int Left = Area.Left;
  if ((W.Style & ES_RIGHT) != 0)
    Left = Area.Right - Width;
  else if ((W.Style & ES_CENTER) != 0)
    Left = Area.Left + (Area.Right - Area.Left - Width) / 2;
  std::size_t Pos = 0;
  int Before = Left;
  while (Pos < LineEnd) {
    const int After = Left + FontTextWidth(W.Font, FText.substr(0, Pos + 1));
    // Past the middle of the character: the boundary after it is nearer.
    if (X < (Before + After + 1) / 2)
      break;
    Before = After;
    ++Pos;
  }
  return Pos;
}

void TNativeEdit::OnChar(HWND Wnd, unsigned char Ch) {
  // The edit class turns the clipboard shortcuts into their messages, so
  // that the control sees a typed Ctrl+V as WM_PASTE.
  switch (Ch) {
    case 0x03:
      SendMessage(Wnd, WM_COPY, 0, 0);
      return;
    case 0x16:
      SendMessage(Wnd, WM_PASTE, 0, 0);
      return;
    case 0x18:
      SendMessage(Wnd, WM_CUT, 0, 0);
      return;
    case 0x1A:
      SendMessage(Wnd, WM_UNDO, 0, 0);
      return;
    default:
      break;
  }
  if (ReadOnly(Wnd))
    return;
  bool Changed = false;
  if (Ch == '\b') {
    if (SelMin() != SelMax()) {
      Changed = DeleteSelection();
    } else if (FCaret > 0) {
      FText.erase(FCaret - 1, 1);
      FAnchor = --FCaret;
      Changed = true;
    }
  } else if (Ch == '\r') {
    // A single-line edit has no use for Enter; a multi-line one breaks the line.
    if (MultiLine(Wnd))
      Changed = Replace("\r\n");
  } else if (Ch >= 0x20) {
    Changed = Replace(std::string(1, static_cast<char>(Ch)));
  }
  if (Changed)
    NotifyChange(Wnd);
}

void TNativeEdit::OnKeyDown(HWND Wnd, int Key) {
  const bool Shift = KeyboardState().IsDown(VK_SHIFT);
  switch (Key) {
    case VK_LEFT:
      MoveCaret(FCaret > 0 ? FCaret - 1 : 0, Shift);
      break;
    case VK_RIGHT:
      MoveCaret(FCaret + 1, Shift);
      break;
    case VK_HOME:
      MoveCaret(0, Shift);
      break;
    case VK_END:
      MoveCaret(FText.size(), Shift);
      break;
    case VK_DELETE: {
      if (ReadOnly(Wnd))
        return;
      bool Changed = DeleteSelection();
      if (!Changed && FCaret < FText.size()) {
        FText.erase(FCaret, 1);
        Changed = true;
      }
      if (Changed)
        NotifyChange(Wnd);
      break;
    }
    default:
      break;
  }
}

LRESULT TNativeEdit::Handle(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case WM_SETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETTEXT:
      return TextMessage(Wnd, M);
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_REPLACESEL:
      return SelectionMessage(Wnd, M);
    case EM_LIMITTEXT:
    case EM_SETREADONLY:
    case EM_GETRECT:
    case EM_SETRECT:
    case EM_SETRECTNP:
    case WM_SIZE:
      return SettingMessage(Wnd, M);
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
      return InputMessage(Wnd, M);
    case WM_COPY:
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
      return ClipboardMessage(Wnd, M);
    default:
      return TNativeWindow::Handle(Wnd, M);
  }
}

LRESULT TNativeEdit::TextMessage(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case WM_SETTEXT: {
      const char* S = reinterpret_cast<const char*>(M.LParam);
      FText = S != nullptr ? S : "";
      FAnchor = FCaret = 0;
      if (!MultiLine(Wnd))
        NotifyChange(Wnd);
      return 1;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(FText.size());
    case WM_GETTEXT: {
      auto* Buffer = reinterpret_cast<char*>(M.LParam);
      if (Buffer == nullptr || M.WParam == 0)
        return 0;
      const std::size_t n = std::min<std::size_t>(FText.size(), M.WParam - 1);
      std::copy_n(FText.data(), n, Buffer);
      Buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    default:
      return 0;
  }
}

LRESULT TNativeEdit::SelectionMessage(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case EM_GETSEL: {
      if (auto* Start = reinterpret_cast<DWORD*>(M.WParam))
        *Start = static_cast<DWORD>(SelMin());
      if (auto* End = reinterpret_cast<DWORD*>(M.LParam))
        *End = static_cast<DWORD>(SelMax());
      return static_cast<LRESULT>((SelMin() & 0xFFFF) | ((SelMax() & 0xFFFF) << 16));
    }
    case EM_SETSEL: {
      const auto Start = static_cast<std::intptr_t>(M.WParam);
      const auto End = static_cast<std::intptr_t>(M.LParam);
      const std::size_t Size = FText.size();
      auto Clamp = [Size](std::intptr_t P) {
        return P < 0 ? Size : std::min(static_cast<std::size_t>(P), Size);
      };
      // A start of -1 only removes the selection; an end of -1 is the end.
      if (Start == -1) {
        FAnchor = FCaret;
      } else {
        FAnchor = Clamp(Start);
        FCaret = Clamp(End);
      }
      return 1;
    }
    case EM_REPLACESEL: {
      const char* S = reinterpret_cast<const char*>(M.LParam);
      if (Replace(S != nullptr ? S : ""))
        NotifyChange(Wnd);
      // Documented as answering nothing; Windows' edit answers TRUE.
      return 1;
    }
    default:
      return 0;
  }
}

LRESULT TNativeEdit::SettingMessage(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case EM_LIMITTEXT:
      FLimit = M.WParam == 0 ? static_cast<std::size_t>(EditDefaultLimit) : M.WParam;
      return 0;
    case EM_SETREADONLY:
      if (TWindowRecord* W = WindowRecord(Wnd))
        W->Style = M.WParam != 0 ? (W->Style | ES_READONLY) : (W->Style & ~ES_READONLY);
      return 1;
    case EM_GETRECT:
      if (auto* R = reinterpret_cast<TRect*>(M.LParam))
        *R = FHasFormatRect ? FFormatRect : ClientArea(Wnd);
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (const auto* R = reinterpret_cast<const TRect*>(M.LParam)) {
        FFormatRect = *R;
        FHasFormatRect = true;
      } else {
        FHasFormatRect = false;
      }
      return 0;
    case WM_SIZE:
      // A multi-line edit goes back to its default formatting rectangle when
      // it is resized; its owner sets its own again if it wants one.
      if (MultiLine(Wnd))
        FHasFormatRect = false;
      return 0;
    default:
      return 0;
  }
}

LRESULT TNativeEdit::InputMessage(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case WM_CHAR:
      OnChar(Wnd, static_cast<unsigned char>(M.WParam));
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(Wnd, static_cast<int>(M.WParam));
      return 0;
    case WM_LBUTTONDOWN:
      // As Windows' edit does: the caret goes to the character boundary
      // nearest the click, so a click at the left edge (a position of 0, 0)
      // puts it before the text and one right of the text after it.
      MoveCaret(
          CaretAt(Wnd, static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(M.LParam)))),
          false);
      return 0;
    default:
      return 0;
  }
}

LRESULT TNativeEdit::ClipboardMessage(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case WM_COPY:
      if (SelMin() != SelMax())
        SystemClipboard().SetText(FText.substr(SelMin(), SelMax() - SelMin()));
      return 0;
    case WM_CUT:
      if (ReadOnly(Wnd) || SelMin() == SelMax())
        return 0;
      SystemClipboard().SetText(FText.substr(SelMin(), SelMax() - SelMin()));
      DeleteSelection();
      NotifyChange(Wnd);
      return 0;
    case WM_CLEAR:
      if (!ReadOnly(Wnd) && DeleteSelection())
        NotifyChange(Wnd);
      return 0;
    case WM_PASTE: {
      if (ReadOnly(Wnd) || !SystemClipboard().HasText())
        return 0;
      std::string S = SystemClipboard().Text();
      // A single-line edit takes the clipboard's first line only.
      if (!MultiLine(Wnd))
        S = S.substr(0, S.find_first_of("\r\n"));
      if (Replace(S))
        NotifyChange(Wnd);
      return 0;
    }
    default:
      return 0;
  }
}

struct TEditRegistrar {
  TEditRegistrar() {
    RegisterNativeClass(WC_EDIT, [] { return std::unique_ptr<TNativeWindow>(new TNativeEdit); });
  }
} EditRegistrar;

}  // namespace
