// The system message box with string-table texts, captioned with the application name
// (or a text of its own). User-interface thread only.
#pragma once

#include <windows.h>

// Shows LoadText(idText) in a MessageBoxA of type, owned by parent or, when parent is
// null, by the application's main window (unowned when there is none). Returns the
// box's result (IDOK, IDYES, IDNO, ...).
int MessageBoxId(UINT idText, UINT type, HWND parent = nullptr);
// The same, captioned with LoadText(idCaption).
int MessageBoxIds(UINT idText, UINT idCaption, UINT type, HWND parent = nullptr);
