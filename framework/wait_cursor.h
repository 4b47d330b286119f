// Shows the hourglass for the life of the object, then the cursor shown before.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_hOld(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_hOld); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};
