// An unnamed event that is not signalled at first and resets itself when one wait ends
// (auto-reset): each Set is consumed by exactly one wait.
#pragma once

#include "framework/unique_handle.h"

class CEvent {
public:
    CEvent() : m_h(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

    // False when the event could not be created; Set then does nothing and Wait fails.
    explicit operator bool() const { return static_cast<bool>(m_h); }
    HANDLE Get() const { return m_h.Get(); }

    void Set() {
        if (m_h)
            SetEvent(m_h.Get());
    }
    // Waits up to timeoutMs (0 polls, INFINITE waits for ever). True when the event was
    // signalled; the wait consumed it.
    bool Wait(DWORD timeoutMs) {
        return m_h && WaitForSingleObject(m_h.Get(), timeoutMs) == WAIT_OBJECT_0;
    }

private:
    CUniqueKernelHandle m_h;
};
