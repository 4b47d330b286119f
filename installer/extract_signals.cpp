#include "installer/extract_signals.h"

#include "installer/messages.h"

CEvent g_evCancel;
CEvent g_evStopped;
CEvent g_evYes;
CEvent g_evNo;

void CWindowSignals::ShowItem(const std::string& path, const std::string& name) {
    // A window that is gone would never free the strings.
    if (!IsWindow(m_hWnd))
        return;
    auto pathText = std::make_unique<std::string>(path);
    auto nameText = std::make_unique<std::string>(name);
    SendMessageA(m_hWnd, WM_SETUP_ITEM, WPARAM(pathText.release()), LPARAM(nameText.release()));
}

void CWindowSignals::ShowProgress(int32_t percent) {
    SendMessageA(m_hWnd, WM_SETUP_PROGRESS, WPARAM(percent), 0);
}

bool CWindowSignals::PollCancel() {
    return g_evCancel.Wait(0);
}

void CWindowSignals::SetStopped() {
    g_evStopped.Set();
}

bool CWindowSignals::Ask(Prompt prompt, const std::string& path) {
    UINT message = WM_SETUP_READONLY;
    std::unique_ptr<std::string> attribute;
    if (prompt == kAskHidden) {
        message = WM_SETUP_ASK_HIDDEN;
        attribute = std::make_unique<std::string>("hidden");
    } else if (prompt == kAskNewer) {
        message = WM_SETUP_ASK_NEWER;
    }
    auto pathText = std::make_unique<std::string>(path);
    if (!PostMessageA(m_hWnd, message, WPARAM(pathText.get()), LPARAM(attribute.get())))
        return false;
    pathText.release();
    attribute.release();

    HANDLE events[] = {g_evYes.Get(), g_evNo.Get(), g_evCancel.Get()};
    DWORD woken = WaitForMultipleObjects(3, events, FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0 + 2)
        g_evCancel.Set();
    return woken == WAIT_OBJECT_0;
}
