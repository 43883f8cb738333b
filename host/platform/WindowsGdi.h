#pragma once

// Drawing on a device context beyond text: solid brushes and pens, filled
// and framed rectangles, lines, ellipses, clipping and the origin, the 3-D
// edges of user32, the system colours, and a comment a recording keeps. The
// headless DC records each operation in its display list (in device
// coordinates, with the clip in force); the real one draws with gdi32.

#include <string>

#include "Windows.h"

// A solid brush or pen of one colour. The colour is kept as given: the
// headless DC records it so, and the real one looks a system colour up.
struct TBrushRecord {
  COLORREF Color = 0;
  void* Native = nullptr;  // the real brush, made on first use
};
using HBRUSH = TBrushRecord*;
struct TPenRecord {
  COLORREF Color = 0;
  int Width = 1;
  void* Native = nullptr;
};
using HPEN = TPenRecord*;

HBRUSH CreateSolidBrush(COLORREF Color);
constexpr int PS_SOLID = 0;
HPEN CreatePen(int Style, int Width, COLORREF Color);
BOOL DeleteObject(HBRUSH Brush);
BOOL DeleteObject(HPEN Pen);
// The brush and pen that Ellipse fills and strokes with; nullptr selects
// none (a hollow ellipse, or no outline). Each returns the one selected
// before.
HBRUSH SelectObject(HDC DC, HBRUSH Brush);
HPEN SelectObject(HDC DC, HPEN Pen);

// The system colour of an index (COLOR_BTNFACE ...). The real platform
// answers with the colour itself; the headless one with the index marked
// by a high byte of 0xFF, as the VCL marks system colours, so that what it
// records can be compared with the VCL's constants.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
COLORREF GetSysColor(int Index);

// Fills or frames R (a one-pixel frame just inside it) with the brush.
int FillRect(HDC DC, const TRect& R, HBRUSH Brush);
int FrameRect(HDC DC, const TRect& R, HBRUSH Brush);
// Lines through the points with the pen selected.
BOOL Polyline(HDC DC, const TPoint* Points, int Count);
// The ellipse inside the rectangle: filled with the brush, outlined with
// the pen.
BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom);
// Narrows the clip to the rectangle (in logical coordinates); SaveDC and
// RestoreDC keep and give back the clip and the origin with the rest.
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
// Where the logical point (0, 0) lies on the device: moving it by (DX, DY)
// moves everything drawn after, as the VCL moves a graphic control's
// drawing to its place on its parent.
BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old);
BOOL GetViewportOrgEx(HDC DC, TPoint& Origin);

// The 3-D edges of user32's DrawEdge: each border is a ring of a pixel, lit
// on the top and left and shaded on the bottom and right (the other way
// round when sunken). BF_SOFT is a push button's look; BF_MIDDLE fills the
// inside with the face colour; BF_ADJUST leaves R as the inside.
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
BOOL DrawEdge(HDC DC, TRect& R, UINT Edge, UINT Flags);

// A note in the drawing that shows nothing: a recording keeps it (as a
// metafile keeps GDI comments), the screen ignores it. An image list names
// each image it draws at (X, Y) so, then draws it.
struct TImageNote {
  int Index = -1;
  bool Enabled = true;
  int Width = 0, Height = 0;
  std::string Description;
};
BOOL GdiComment(HDC DC, int X, int Y, const TImageNote& Note);
