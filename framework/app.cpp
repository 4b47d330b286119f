#include "framework/app.h"

#include "package/appended_data.h"

namespace {

CApp* g_pApp = nullptr;

}  // namespace

CApp::CApp() {
    g_pApp = this;
}

CApp::~CApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CApp::Run() {
    if (!InitInstance() || !GetMainWindow())
        return 0;
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

CApp* GetApp() {
    return g_pApp;
}

HWND GetMainWindow() {
    CWnd* wnd = g_pApp ? g_pApp->GetMainWnd() : nullptr;
    return wnd ? wnd->GetHwnd() : nullptr;
}

const std::string& GetAppName() {
    static const std::string name = [] {
        std::string path = GetModulePath();
        size_t slash = path.find_last_of("\\/");
        std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
        size_t dot = file.find_last_of('.');
        return dot == std::string::npos ? file : file.substr(0, dot);
    }();
    return name;
}

int AppMessageBox(const std::string& text, UINT type) {
    HWND main = GetMainWindow();
    HWND owner = main ? GetLastActivePopup(main) : GetActiveWindow();
    return MessageBoxA(owner, text.c_str(), GetAppName().c_str(), type);
}
