#pragma once

// Input as a user gives it: the messages of the mouse and the keyboard,
// posted to the window under the pointer or with the focus, and handed out
// by the Application's message loop, as a real user's input arrives. Each
// call is one thing the user does; the loop has dispatched all it caused
// when it returns, and the windows paint at the loop's next idle turn.
// Raises EListError for an item or a tab the control does not have.

#include <string>

#include "ComCtrls.h"
#include "Controls.h"
#include "StdCtrls.h"

// A click of the left button at Point of the window's client area: the
// button goes down and, once that is handled, comes up again.
void ClickAt(HWND Wnd, TPoint Point);
// A click in the middle of the control: on its own window, or, for a
// control without one (a label), on its parent's window over it.
void ClickControl(TControl* Control);
// A click on tab Index of a tab or page control; a tab beyond the edge of
// a single-line control is scrolled into view with its arrows first.
void ClickTab(TCustomTabControl* Tabs, int Index);
// The arrows of a single-line tab or page control clicked until tab Index
// is in view (nothing when it is): ClickTab's first step on its own. The
// row's repaint waits for the loop's next idle turn.
void ScrollTabIntoView(TCustomTabControl* Tabs, int Index);
// The up-down control a single-line tab or page control shows at the end
// of a row that overflows; nullptr while its tabs fit.
HWND TabArrows(TWinControl* Tabs);
// A click on the left (Back) or the right arrow of a horizontal up-down
// control, such as TabArrows gives: a tab control's row moves by one tab.
void ClickArrow(HWND Arrows, bool Back);
// A click on item Index of a list box, scrolled into view first.
void ClickListItem(TCustomListBox* List, int Index);
// The choice of item Index of a combo box with the mouse: a click on the
// box's button drops its list down, and a click on the item there chooses
// it and closes the list.
void ChooseComboItem(TCustomComboBox* Box, int Index);
// A key pressed and released in the window: the loop makes the character
// of a key that has one (Enter, Escape, Tab, Backspace, letters, digits)
// as it hands the key down on.
void PressKey(HWND Wnd, Word Key);
// The characters of Text typed into the window, one message each, as they
// arrive from the keyboard (Windows-1251 text).
void TypeText(HWND Wnd, const std::string& Text);
