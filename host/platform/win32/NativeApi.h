#pragma once

// The real Win32 API as the win32 backend calls it. Only NativeApi.cpp and
// NativePaint.cpp include <windows.h>: its macros and types (SendMessage, RECT, DWORD as
// unsigned long) would clash with the platform's own declarations, so the
// rest of the backend sees the API through these plain functions. Window
// handles are the same type on both sides (a pointer to struct HWND__).

#include <cstdint>
#include <string>
#include <vector>

struct HWND__;

namespace native {

using TProc = std::intptr_t (*)(HWND__* Wnd, unsigned Msg, std::uintptr_t WParam,
                                std::intptr_t LParam);

// Creates a window of a system class ("SysTabControl32", "EDIT" ...) or of a
// class that is registered here on first use, at the given place and size;
// a child window without a parent is created on the hidden parking window,
// as the VCL parks windows whose parent has none yet. A child gets Id as its
// identifier, which names it in WM_MEASUREITEM.
HWND__* CreateWindow(const std::string& ClassName, const std::string& WindowName,
                     std::uint32_t Style, HWND__* Parent, int Left, int Top, int Width, int Height,
                     unsigned Id, std::uint32_t ExStyle = 0);
// A new parent; a child window given none goes back to the parking window.
// Returns the old parent (nullptr for the parking window).
HWND__* SetParent(HWND__* Child, HWND__* Parent);
HWND__* GetParent(HWND__* Wnd);
bool SetWindowPos(HWND__* Wnd, int Left, int Top, int Width, int Height, unsigned Flags);
bool ShowWindow(HWND__* Wnd, int CmdShow);
bool IsWindowVisible(HWND__* Wnd);
bool AdjustWindowRectEx(int (&Rect)[4], std::uint32_t Style, bool Menu, std::uint32_t ExStyle);
bool SetWindowText(HWND__* Wnd, const char* Text);
std::string ClassName(HWND__* Wnd);
bool EnableWindow(HWND__* Wnd, bool Enable);
bool IsWindowEnabled(HWND__* Wnd);
// Every window below Parent, children before their own children.
std::vector<HWND__*> Descendants(HWND__* Parent);
// A combo box's parts: its list window and, in its client area, the
// button's and the selection field's rectangles (left, top, right, bottom).
bool ComboBoxInfo(HWND__* Combo, HWND__*& List, int (&Button)[4], int (&Item)[4]);
bool ClientToScreen(HWND__* Wnd, int& X, int& Y);
bool ScreenToClient(HWND__* Wnd, int& X, int& Y);
// The window a parent's WM_COMMAND, WM_NOTIFY or WM_DRAWITEM comes from;
// nullptr for any other message.
HWND__* NotifyingChild(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);
// Hands such a message back to the child that sent it, as the VCL reflects
// them: CN_COMMAND, CN_NOTIFY, and WM_DRAWITEM through DrawItem.
std::intptr_t Reflect(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);
bool DestroyWindow(HWND__* Wnd);
bool IsWindow(HWND__* Wnd);
// Installs Proc as the window's procedure and returns the one it replaced.
void* Subclass(HWND__* Wnd, TProc Proc);
std::intptr_t CallWindowProc(void* Proc, HWND__* Wnd, unsigned Msg, std::uintptr_t WParam,
                             std::intptr_t LParam);
std::intptr_t SendMessage(HWND__* Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);
std::uint32_t WindowStyle(HWND__* Wnd);
bool MoveWindow(HWND__* Wnd, int Left, int Top, int Width, int Height);

// A tab item as TCITEMA carries it; Text is the buffer for TCM_GETITEM.
struct TTabItem {
  unsigned Mask = 0;
  char* Text = nullptr;
  int TextMax = 0;
  int Image = -1;
  std::intptr_t Param = 0;
};
// Sends a TCM_ item message (insert, set, get) through Proc with the item
// as a TCITEMA.
std::intptr_t CallTabItemProc(void* Proc, HWND__* Wnd, unsigned Msg, std::uintptr_t WParam,
                              TTabItem& Item);

// A font of the given face, height in points and weight at the screen's
// resolution; kept for the process, one per description.
void* Font(const std::string& Face, int Points, bool Bold);

// Device contexts: a window's (or the screen's, for no window) and what
// measures and draws text on it. Colours are COLORREF values.
void* GetDC(HWND__* Wnd);
int ReleaseDC(HWND__* Wnd, void* DC);
void* SelectObject(void* DC, void* Object);
struct TTextMetrics {
  int Height = 0, Ascent = 0, Descent = 0, AveCharWidth = 0, MaxCharWidth = 0;
};
bool GetTextMetrics(void* DC, TTextMetrics& Metrics);
bool GetTextExtent(void* DC, const char* Text, int Count, int& Width, int& Height);
int DrawText(void* DC, const char* Text, int Count, int (&Rect)[4], unsigned Format);
int SaveDC(void* DC);
bool RestoreDC(void* DC, int Saved);
std::uint32_t SetTextColor(void* DC, std::uint32_t Color);
std::uint32_t SetBkColor(void* DC, std::uint32_t Color);
int SetBkMode(void* DC, int Mode);
bool ExtTextOut(void* DC, int X, int Y, unsigned Options, const int* Rect, const char* Text,
                int Count);
// A system colour's value (COLOR_BTNFACE ...).
std::uint32_t SysColor(int Index);
int GetSystemMetrics(int Index);

// The paint cycle (NativePaint.cpp). BeginPaint answers the window's paint
// DC, the area to paint (left, top, right, bottom) and whether the
// background is still to be erased; EndPaint ends that paint.
void* BeginPaint(HWND__* Wnd, int (&R)[4], bool& Erase);
void EndPaint(HWND__* Wnd);
bool InvalidateRect(HWND__* Wnd, const int* R, bool Erase);
bool ValidateRect(HWND__* Wnd, const int* R);
bool GetUpdateRect(HWND__* Wnd, int (&R)[4]);
bool UpdateWindow(HWND__* Wnd);
bool GetClientRect(HWND__* Wnd, int (&R)[4]);
// Where the client area's top left corner lies from the window's.
bool ClientOffset(HWND__* Wnd, int& X, int& Y);

// Drawing in a colour (a COLORREF) with a brush or pen made for the one
// call; XY holds a polyline's points as x, y pairs; a null fill or outline
// leaves an ellipse hollow or without its line.
void FillSolid(void* DC, const int (&R)[4], std::uint32_t Color);
void FrameSolid(void* DC, const int (&R)[4], std::uint32_t Color);
void Polyline(void* DC, const std::vector<int>& XY, std::uint32_t Color, int Width);
void Ellipse(void* DC, const int (&R)[4], const std::uint32_t* Fill, const std::uint32_t* Outline,
             int Width);
int IntersectClipRect(void* DC, int Left, int Top, int Right, int Bottom);
bool OffsetViewportOrg(void* DC, int DX, int DY);
bool DrawEdge(void* DC, int (&R)[4], unsigned Edge, unsigned Flags);
// A DC over a bitmap of the screen's kind, for a window to print itself
// into; Bitmap keeps what DeleteMemoryDC selects back.
void* CreateMemoryDC(int Width, int Height, void*& Bitmap);
void DeleteMemoryDC(void* DC, void* Bitmap);

// Has Wnd print itself (WM_PRINT: frame, client area, children) into DC.
bool PrintWindow(HWND__* Wnd, void* DC, unsigned Flags);
// Prints Wnd into a bitmap of its size: Pixels in rows from the top down,
// each a COLORREF. False with Error saying why when it cannot.
bool CaptureWindow(HWND__* Wnd, bool FromScreen, int& Width, int& Height,
                   std::vector<std::uint32_t>& Pixels, std::string& Error);

// A WM_DRAWITEM as an owner-drawn control sent it to its parent. The fields
// that pass unchanged carry the names of Windows' DRAWITEMSTRUCT, which the
// platform's own DRAWITEMSTRUCT shares, so that one copy serves both ways;
// the DC and the rectangle each side holds in its own form.
struct TDrawItem {
  unsigned CtlType = 0, CtlID = 0, itemID = 0, itemAction = 0, itemState = 0;
  HWND__* hwndItem = nullptr;
  std::uintptr_t itemData = 0;
  void* DC = nullptr;
  int Rect[4] = {0, 0, 0, 0};
};
// Copies those fields from one such structure to another.
template <class TTo, class TFrom>
void CopyDrawItemFields(TTo& To, const TFrom& From) {
  To.CtlType = From.CtlType;
  To.CtlID = From.CtlID;
  To.itemID = From.itemID;
  To.itemAction = From.itemAction;
  To.itemState = From.itemState;
  To.hwndItem = From.hwndItem;
  To.itemData = From.itemData;
}
// Defined by the platform's device contexts (WindowsGdi.cpp): hands the
// item to its control as CN_DRAWITEM, with a platform DC over the real one.
std::intptr_t DrawItem(std::uintptr_t WParam, const TDrawItem& Item);
// Defined by the platform's windows (Windows.cpp): hands a WM_MEASUREITEM
// (its MEASUREITEMSTRUCT at LParam) to the control its identifier names,
// also while the control's window is being made, as CN_MEASUREITEM; false
// when no control of the platform's has that identifier.
bool MeasureItem(std::intptr_t LParam);

bool GetKeyboardState(std::uint8_t* Keys);
bool SetKeyboardState(std::uint8_t* Keys);
bool MessageBeep(unsigned Type);
std::intptr_t ShellExecute(HWND__* Wnd, const char* Operation, const char* File,
                           const char* Parameters, const char* Directory, int ShowCmd);
std::uint32_t GetVersion();

// The thread's message queue: a message as MSG carries it.
struct TQueuedMessage {
  HWND__* Wnd = nullptr;
  unsigned Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
};
bool PostMessage(HWND__* Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);
bool PeekMessage(TQueuedMessage& Msg, HWND__* Wnd, unsigned First, unsigned Last, bool Remove);
bool TranslateMessage(const TQueuedMessage& Msg);
std::intptr_t DispatchMessage(const TQueuedMessage& Msg);
// Waits until the thread has input.
void WaitMessage();

std::uintptr_t SetTimer(HWND__* Wnd, std::uintptr_t IDEvent, unsigned Elapse);
bool KillTimer(HWND__* Wnd, std::uintptr_t IDEvent);
std::uint64_t TickCount();
// Waits until the thread has input or Milliseconds have passed.
void WaitInput(std::uint64_t Milliseconds);

}  // namespace native
