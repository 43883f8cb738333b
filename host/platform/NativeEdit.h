#pragma once

// The native edit control ("EDIT"): it keeps the text, the selection and the
// caret, the length limit and the formatting rectangle, and does what
// Windows' edit class does with typed characters, navigation keys and the
// clipboard messages. Every change of the text by the user or by
// EM_REPLACESEL is reported as EN_CHANGE; WM_SETTEXT reports it only for a
// single-line edit, as Windows does.

#include "Windows.h"

extern const char* const WC_EDIT;

// The limit of a new edit and of EM_LIMITTEXT with 0.
constexpr int EditDefaultLimit = 0x7FFFFFFE;

// The width of an edit window's border: one pixel with WS_BORDER, two for the
// sunken client edge otherwise (the substitute's windows carry no extended
// style, so an edit without WS_BORDER is the client-edge kind).
int EditBorderWidth(DWORD Style);
