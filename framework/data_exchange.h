// Data exchange between a dialog's controls and its members: the helpers that a dialog's
// DoDataExchange(save) calls once per control.
#pragma once

#include "framework/window.h"

#include <string>

// Text of a static, edit or rich edit. save: the control's text into value. Otherwise
// value into the control, but only when it differs from what the control shows, so that
// writing back what the user typed neither moves the caret nor raises another EN_CHANGE.
void DdxText(HWND dialog, int id, std::string& value, bool save);

// Attaches control to the dialog's control id (CWnd::SubclassWindow) the first time, in
// either direction; later calls find it attached and do nothing.
void DdxControl(HWND dialog, int id, CWnd& control);
