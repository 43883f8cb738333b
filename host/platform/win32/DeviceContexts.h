#pragma once

// The platform's DCs over those Windows hands out with a message: a window
// procedure of the platform's is given one of these in place of the real
// DC, and the real one goes back to the class's own procedure. Only the
// win32 backend's sources include this header.

#include <cstdint>

#include "Windows.h"

// A platform DC over Native, which Windows lent for one message to Wnd;
// TakeBackDC ends it (Native stays Windows').
HDC LendDC(void* Native, HWND Wnd);
void TakeBackDC(HDC DC);
// A message's WParam for the class's own procedure: the real DC behind a
// platform DC, any other value as it is.
std::uintptr_t NativeDCParam(std::uintptr_t WParam);
