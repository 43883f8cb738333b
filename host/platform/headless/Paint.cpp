#include <algorithm>
#include <unordered_map>
#include <vector>

#include "DrawRecorder.h"
#include "NativePaint.h"
#include "Natives.h"
#include "Painting.h"
#include "Rects.h"
#include "TextMetrics.h"
#include "WindowDrawing.h"
#include "Windows.h"
#include "WindowsGdi.h"

// The headless paint cycle. A window that is invalidated joins the list of
// windows waiting for WM_PAINT; the loop takes them in the order they were
// invalidated once nothing else waits, passing over those that are not on
// the screen (they keep waiting until they are). Each paint records what
// the window draws as its new picture. Most classes paint their whole area
// each time. A class that repaints in parts (a tab control whose selection
// moved) keeps its picture: the items that lay wholly inside a part are
// taken back, and the paint of each part, clipped to it, follows the rest.

namespace {

// A window's picture, and how many items its last whole paint recorded.
struct TDrawing {
  TDisplayList List;
  int WholeCount = 0;
};

struct TPaintState {
  std::vector<HWND> Queued;
  std::unordered_map<HWND, TDrawing> Drawings;
  std::unordered_map<HWND, TDisplayList> Frames;
};

TPaintState& Painting() {
  static TPaintState State;
  return State;
}

// Beyond this many parts a window waits to be painted whole.
constexpr std::size_t kMostParts = 8;

// Where an item may have drawn, as far as is known without measuring: its
// rectangle (a text's clip, the box round a polyline's points and pen)
// within the clip it was drawn under.
TRect Reach(const TDisplayItem& I) {
  TRect R = I.Rect;
  if (I.Kind == TDisplayItem::dkPolyline && !I.Points.empty()) {
    R = PointsBounds(I.Points);
    R = {R.Left - I.PenWidth, R.Top - I.PenWidth, R.Right + I.PenWidth, R.Bottom + I.PenWidth};
  }
  return I.Clipped ? Intersection(R, I.Clip) : R;
}

// Whether the item, reaching R as far as is known without measuring, drew
// only inside the part. A text reaches no further than its extent, clip or
// none; it is measured only where its clip reaches out of the part.
bool DrewWithin(const TDisplayItem& I, const TRect& R, const TRect& Part) {
  if (!Meets(R, Part))
    return false;
  if (Within(R, Part))
    return true;
  if (I.Kind != TDisplayItem::dkText)
    return false;
  const TRect Extent{I.X, I.Y, I.X + FontTextWidth(I.Font, I.Text),
                     I.Y + FontMetrics(I.Font).tmHeight};
  return Within(Intersection(R, Extent), Part);
}

// The invalidated parts gathered into the fewest rectangles that do not
// reach into each other: parts that meet or touch become their bounds.
std::vector<TRect> Gathered(std::vector<TRect> Parts) {
  const auto Near = [](const TRect& A, const TRect& B) {
    return A.Left <= B.Right && B.Left <= A.Right && A.Top <= B.Bottom && B.Top <= A.Bottom;
  };
  for (bool Merged = true; Merged;) {
    Merged = false;
    for (std::size_t i = 0; i < Parts.size() && !Merged; ++i)
      for (std::size_t j = i + 1; j < Parts.size() && !Merged; ++j)
        if (Near(Parts[i], Parts[j])) {
          Parts[i] = Bounds(Parts[i], Parts[j]);
          Parts.erase(Parts.begin() + static_cast<std::ptrdiff_t>(j));
          Merged = true;
        }
  }
  return Parts;
}

// Takes from the picture what a paint of the parts covers: the items that
// drew only inside one of them, and then the saves and restores of the DC
// that are left with nothing between them. Most items lie away from the
// parts' bounds and are passed over at one look.
void Uncover(TDisplayList& List, const std::vector<TRect>& Parts, const TRect& Bounds) {
  List.TakeBackIf([&](const TDisplayItem& I) {
    if (I.Kind == TDisplayItem::dkSaveDC || I.Kind == TDisplayItem::dkRestoreDC)
      return false;
    const TRect R = Reach(I);
    return Meets(R, Bounds) && std::any_of(Parts.begin(), Parts.end(),
                                           [&](const TRect& P) { return DrewWithin(I, R, P); });
  });
  List.TakeBackEmptySaves();
}

}  // namespace

BOOL InvalidateRect(HWND Wnd, const TRect* R, BOOL Erase) {
  TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr)
    return 0;
  if (!Record->UpdatePending) {
    Record->UpdateWhole = false;
    Record->UpdateParts.clear();
  }
  if (R == nullptr || Record->UpdateParts.size() >= kMostParts) {
    Record->UpdateWhole = true;
    Record->UpdateParts.clear();
  } else if (!Record->UpdateWhole) {
    const TRect Part = Intersection(*R, {0, 0, Record->Width, Record->Height});
    if (!IsEmpty(Part))
      Record->UpdateParts.push_back(Part);
  }
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
  Record->UpdateWhole = false;
  Record->UpdateParts.clear();
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
  TDrawing& Drawing = Painting().Drawings[Wnd];
  TDisplayList& List = Drawing.List;
  const TRect Whole{0, 0, Record->Width, Record->Height};
  // Parts are painted on the picture the window has, each on its own; a
  // picture that parts have grown to twice its whole paint's is drawn
  // whole again.
  std::vector<TRect> Parts;
  TRect Part = Whole;
  if (!Record->UpdateWhole && List.Count() > 0 && List.Count() <= 2 * Drawing.WholeCount + 64 &&
      Record->Native->PaintsInParts()) {
    Parts = Gathered(std::move(Record->UpdateParts));
    if (!Parts.empty())
      Part = Parts.front();
    for (const TRect& P : Parts)
      Part = Bounds(Part, P);
  }
  const bool InParts = !Parts.empty() && !Within(Whole, Part);
  if (InParts)
    Uncover(List, Parts, Part);
  else
    List.Clear();
  Paint.fErase = Record->ErasePending ? 1 : 0;
  Paint.rcPaint = InParts ? Part : Whole;
  Record->UpdatePending = false;
  Record->ErasePending = false;
  Record->UpdateWhole = false;
  Record->UpdateParts.clear();
  // The frame first, as Windows paints it before the client area.
  if (HasFrame(Wnd))
    SendMessage(Wnd, WM_NCPAINT, 1, 0);
  if (!IsWindow(Wnd))
    return nullptr;
  // The system font, as Windows selects it: a class draws in the font it
  // was given by selecting that itself.
  Paint.hdc = CreateRecordingDC(&List, nullptr);
  if (InParts) {
    IntersectClipRect(Paint.hdc, Part.Left, Part.Top, Part.Right, Part.Bottom);
    SetPaintParts(Paint.hdc, Parts);
  }
  // The background first, as Windows erases it for the window's procedure,
  // part by part where the window paints in parts.
  if (Paint.fErase != 0 && !InParts) {
    if (SendMessage(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Paint.hdc), 0) != 0)
      Paint.fErase = 0;
  } else if (Paint.fErase != 0) {
    bool Erased = true;
    for (const TRect& P : Parts) {
      const int Saved = SaveDC(Paint.hdc);
      IntersectClipRect(Paint.hdc, P.Left, P.Top, P.Right, P.Bottom);
      Erased =
          SendMessage(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Paint.hdc), 0) != 0 && Erased;
      RestoreDC(Paint.hdc, Saved);
    }
    if (Erased)
      Paint.fErase = 0;
  }
  return Paint.hdc;
}

BOOL EndPaint(HWND Wnd, const PAINTSTRUCT& Paint) {
  if (Paint.hdc == nullptr)
    return 0;
  const TWindowRecord* Record = WindowRecord(Wnd);
  if (Record != nullptr && Paint.rcPaint == TRect{0, 0, Record->Width, Record->Height})
    Painting().Drawings[Wnd].WholeCount = Painting().Drawings[Wnd].List.Count();
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
  return It != Painting().Drawings.end() && IsWindow(Wnd) ? &It->second.List : nullptr;
}

const TDisplayList* WindowFrameDrawing(HWND Wnd) {
  const auto It = Painting().Frames.find(Wnd);
  return It != Painting().Frames.end() && IsWindow(Wnd) ? &It->second : nullptr;
}
