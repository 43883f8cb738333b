#pragma once

// The clipboard as each backend keeps it (see TSystemClipboard). Apart from
// Backend.h because the win32 backend implements it next to <windows.h>,
// whose declarations clash with the platform's own.

#include <string>

namespace backend {

bool ClipboardHasText();
std::string ClipboardText();
void SetClipboardText(const std::string& Text);
void ClearClipboard();
// A session's end or start: the headless store is the session's and goes
// with it; Windows' clipboard is the user's, shared with every program, and
// stays as it is.
void ResetClipboard();

}  // namespace backend
