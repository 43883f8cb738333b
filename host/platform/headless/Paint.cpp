#include <algorithm>
#include <unordered_map>
#include <vector>

#include "DrawRecorder.h"
#include "Natives.h"
#include "Painting.h"
#include "WindowDrawing.h"
#include "Windows.h"

// The headless paint cycle. A window that is invalidated joins the list of
// windows waiting for WM_PAINT; the loop takes them in the order they were
// invalidated once nothing else waits, passing over those that are not on
// the screen (they keep waiting until they are). Each paint records what
// the window draws as its new picture. A window's whole area is painted
// each time: the headless platform keeps no update regions.

namespace {

struct TPaintState {
  std::vector<HWND> Queued;
  std::unordered_map<HWND, TDisplayList> Drawings;
  std::unordered_map<HWND, TDisplayList> Frames;
};

TPaintState& Painting() {
  static TPaintState State;
  return State;
}

}  // namespace

BOOL InvalidateRect(HWND Wnd, const TRect* R, BOOL Erase) {
  (void)R;
  TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr)
    return 0;
  Record->UpdatePending = true;
  Record->ErasePending = Record->ErasePending || Erase != 0;
  if (!Record->PaintQueued) {
    Record->PaintQueued = true;
    Painting().Queued.push_back(Wnd);
  }
  return 1;
}

BOOL ValidateRect(HWND Wnd, const TRect* R) {
  (void)R;
  TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr)
    return 0;
  Record->UpdatePending = false;
  Record->ErasePending = false;
  return 1;
}

BOOL GetUpdateRect(HWND Wnd, TRect* R, BOOL Erase) {
  (void)Erase;
  const TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr || !Record->UpdatePending) {
    if (R != nullptr)
      *R = {};
    return 0;
  }
  if (R != nullptr)
    *R = {0, 0, Record->Width, Record->Height};
  return 1;
}

HDC BeginPaint(HWND Wnd, PAINTSTRUCT& Paint) {
  TWindowRecord* Record = WindowRecord(Wnd);
  Paint = PAINTSTRUCT{};
  if (Record == nullptr)
    return nullptr;
  TDisplayList& List = Painting().Drawings[Wnd];
  List.Clear();
  Paint.fErase = Record->ErasePending ? 1 : 0;
  Paint.rcPaint = {0, 0, Record->Width, Record->Height};
  Record->UpdatePending = false;
  Record->ErasePending = false;
  // The frame first, as Windows paints it before the client area.
  if (HasFrame(Wnd))
    SendMessage(Wnd, WM_NCPAINT, 1, 0);
  if (!IsWindow(Wnd))
    return nullptr;
  // The system font, as Windows selects it: a class draws in the font it
  // was given by selecting that itself.
  Paint.hdc = CreateRecordingDC(&List, nullptr);
  // The background first, as Windows erases it for the window's procedure.
  if (Paint.fErase != 0 &&
      SendMessage(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Paint.hdc), 0) != 0)
    Paint.fErase = 0;
  return Paint.hdc;
}

BOOL EndPaint(HWND Wnd, const PAINTSTRUCT& Paint) {
  (void)Wnd;
  if (Paint.hdc == nullptr)
    return 0;
  DeleteDC(Paint.hdc);
  return 1;
}

BOOL UpdateWindow(HWND Wnd) {
  const TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr)
    return 0;
  if (Record->UpdatePending && IsWindowVisible(Wnd))
    SendMessage(Wnd, WM_PAINT, 0, 0);
  return 1;
}

bool NextPaint(HWND Filter, HWND& Wnd) {
  std::vector<HWND>& Queued = Painting().Queued;
  // Windows that went, or were painted by other means, leave the list.
  std::erase_if(Queued, [](HWND W) {
    TWindowRecord* Record = WindowRecord(W);
    if (Record != nullptr && Record->UpdatePending)
      return false;
    if (Record != nullptr)
      Record->PaintQueued = false;
    return true;
  });
  for (HWND W : Queued)
    if ((Filter == nullptr || W == Filter) && IsWindowVisible(W)) {
      Wnd = W;
      return true;
    }
  return false;
}

void PaintTaken(HWND Wnd) {
  std::vector<HWND>& Queued = Painting().Queued;
  const auto It = std::find(Queued.begin(), Queued.end(), Wnd);
  if (It != Queued.end())
    Queued.erase(It);
  if (TWindowRecord* Record = WindowRecord(Wnd))
    Record->PaintQueued = false;
}

TDisplayList& FrameRecording(HWND Wnd) {
  return Painting().Frames[Wnd];
}

void ForgetDrawing(HWND Wnd) {
  Painting().Drawings.erase(Wnd);
  Painting().Frames.erase(Wnd);
}

void ResetPainting() {
  Painting() = TPaintState{};
}

const TDisplayList* WindowDrawing(HWND Wnd) {
  const auto It = Painting().Drawings.find(Wnd);
  return It != Painting().Drawings.end() && IsWindow(Wnd) ? &It->second : nullptr;
}

const TDisplayList* WindowFrameDrawing(HWND Wnd) {
  const auto It = Painting().Frames.find(Wnd);
  return It != Painting().Frames.end() && IsWindow(Wnd) ? &It->second : nullptr;
}
