#include "DrawRecorder.h"

#include <algorithm>

#include "Rects.h"

namespace {
// What a text without a clip of its own records as its clip.
constexpr TRect kWholePlane{-100000, -100000, 100000, 100000};

}  // namespace

int TDrawRecorder::Save() {
  FSaved.push_back(State);
  if (List != nullptr)
    List->Add(TDisplayItem::dkSaveDC);
  return static_cast<int>(FSaved.size());
}

bool TDrawRecorder::Restore(int SavedDC) {
  // A negative number counts back from the most recent save; a positive one
  // names a save by its number.
  const int Depth = static_cast<int>(FSaved.size());
  const int Target = SavedDC < 0 ? Depth + SavedDC + 1 : SavedDC;
  if (Target < 1 || Target > Depth)
    return false;
  State = FSaved[static_cast<std::size_t>(Target - 1)];
  FSaved.resize(static_cast<std::size_t>(Target - 1));
  if (List != nullptr)
    List->Add(TDisplayItem::dkRestoreDC);
  return true;
}

int TDrawRecorder::IntersectClip(const TRect& R) {
  const TRect D = Device(R);
  State.Clip = State.Clipped ? Intersection(State.Clip, D) : D;
  State.Clipped = true;
  return State.Clip.Width() > 0 && State.Clip.Height() > 0 ? SIMPLEREGION : NULLREGION;
}

TRect TDrawRecorder::Device(const TRect& R) const {
  return {R.Left + State.Origin.X, R.Top + State.Origin.Y, R.Right + State.Origin.X,
          R.Bottom + State.Origin.Y};
}

TDisplayItem* TDrawRecorder::Add(TDisplayItem::TKind Kind) {
  if (List == nullptr)
    return nullptr;
  TDisplayItem& I = List->Add(Kind);
  I.Clipped = State.Clipped;
  I.Clip = State.Clip;
  return &I;
}

void TDrawRecorder::Fill(const TRect& R, COLORREF Color) {
  TDisplayItem* I = Add(TDisplayItem::dkFillRect);
  if (I == nullptr)
    return;
  I->Rect = Device(R);
  I->Color = Color;
}

void TDrawRecorder::Frame(const TRect& R, COLORREF Color) {
  TDisplayItem* I = Add(TDisplayItem::dkFrameRect);
  if (I == nullptr)
    return;
  I->Rect = Device(R);
  I->Color = Color;
}

void TDrawRecorder::Text(int X, int Y, const TRect* ClipRect, std::string_view Text, bool Opaque,
                         UINT Format) {
  TDisplayItem* I = Add(TDisplayItem::dkText);
  if (I == nullptr)
    return;
  I->Rect = ClipRect != nullptr ? Device(*ClipRect) : kWholePlane;
  I->X = X + State.Origin.X;
  I->Y = Y + State.Origin.Y;
  I->Color = State.TextColor;
  I->BkColor = State.BkColor;
  I->Opaque = Opaque;
  I->Format = Format;
  if (State.Font != nullptr)
    I->Font = State.Font->Desc;
  I->Text.assign(Text);
}

void TDrawRecorder::Polyline(const TPoint* Points, int Count) {
  if (Count < 2 || State.Pen == nullptr)
    return;
  TDisplayItem* I = Add(TDisplayItem::dkPolyline);
  if (I == nullptr)
    return;
  for (int i = 0; i < Count; ++i)
    I->Points.push_back({Points[i].X + State.Origin.X, Points[i].Y + State.Origin.Y});
  I->Color = State.Pen->Color;
  I->PenWidth = State.Pen->Width;
}

void TDrawRecorder::Ellipse(const TRect& R) {
  TDisplayItem* I = Add(TDisplayItem::dkEllipse);
  if (I == nullptr)
    return;
  I->Rect = Device(R);
  // A hollow outline without a pen draws nothing; the colour of no pen is
  // marked as the picture's "none".
  I->Color = State.Pen != nullptr ? State.Pen->Color : 0x1FFFFFFFu;
  I->Opaque = State.Brush != nullptr;
  I->BkColor = State.Brush != nullptr ? State.Brush->Color : 0;
}

void TDrawRecorder::Image(int X, int Y, const TImageNote& Note) {
  TDisplayItem* I = Add(TDisplayItem::dkImage);
  if (I == nullptr)
    return;
  I->X = X + State.Origin.X;
  I->Y = Y + State.Origin.Y;
  I->Rect = {I->X, I->Y, I->X + Note.Width, I->Y + Note.Height};
  I->ImageIndex = Note.Index;
  I->Enabled = Note.Enabled;
  I->ImageWidth = Note.Width;
  I->ImageHeight = Note.Height;
  I->Text = Note.Description;
}
