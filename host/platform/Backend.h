#pragma once

// What each platform backend supplies to the state both platforms keep alike
// (PlatformState.cpp): the few places where the real platform hands a change
// on to Windows and the headless one keeps it to itself. Only the platform's
// own sources include this header.

#include <array>
#include <cstdint>

#include "ClipboardBackend.h"
#include "Windows.h"

namespace backend {

// The keys pressed or released through TKeyboardState, now all of them.
void PublishKeyboardState(const std::array<std::uint8_t, 256>& Keys);
// Sounds the beep MessageBeep has counted.
BOOL Beep(UINT Type);
// Opens what ShellExecute has recorded; above 32 is success.
std::intptr_t OpenWithShell(HWND Wnd, const char* Operation, const char* File,
                            const char* Parameters, const char* Directory, int ShowCmd);
// Forgets a version that SetWindowsVersion set.
void ResetWindowsVersion();

}  // namespace backend
