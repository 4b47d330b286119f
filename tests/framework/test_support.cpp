#include "tests/framework/test_support.h"

#include <vector>

void PumpMessages(HWND dialog, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && IsDialogMessageA(dialog, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

namespace {

struct FindContext {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (process == context->process && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(hwnd) &&
        GetDlgItem(hwnd, 0xFFFF)) {
        context->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string ItemText(HWND hwnd) {
    std::vector<char> buffer(4096);
    int n = GetWindowTextA(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace

CMessageBoxWatcher::CMessageBoxWatcher(int button) : m_nButton(button) {
    m_hThread = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
}

CMessageBoxWatcher::~CMessageBoxWatcher() {
    Wait();
}

void CMessageBoxWatcher::Wait() {
    if (m_hThread) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
}

DWORD WINAPI CMessageBoxWatcher::ThreadMain(void* self) {
    auto* watcher = static_cast<CMessageBoxWatcher*>(self);
    FindContext context = {GetCurrentProcessId(), nullptr};
    for (int attempt = 0; attempt < 500 && !context.found; ++attempt) {
        Sleep(10);
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&context));
    }
    if (!context.found)
        return 0;
    watcher->m_bFound = true;
    watcher->m_strCaption = ItemText(context.found);
    watcher->m_strText = ItemText(GetDlgItem(context.found, 0xFFFF));
    watcher->m_hOwner = GetWindow(context.found, GW_OWNER);
    PostMessageA(context.found, WM_COMMAND, MAKEWPARAM(watcher->m_nButton, BN_CLICKED), 0);
    return 0;
}
