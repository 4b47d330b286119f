#include "framework/app.h"

#include "package/appended_data.h"

#include <cstdlib>

namespace {

std::string ComputeAppName() {
    std::string path = GetModulePath();
    size_t slash = path.find_last_of("\\/");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.find_last_of('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

CApp* g_pApp = nullptr;
// Made before main, not on first use: a function's static would pull in the thread-safe
// guard and with it the whole pthread library.
const std::string g_strAppName = ComputeAppName();

}  // namespace

// A terminate (an exception nobody caught) just ends the program. libstdc++'s own handler
// prints the exception's demangled type name, which a windowed program has nowhere to show,
// and brings its demangler and printf along: a fifth of a small program.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    abort();
}
}  // namespace __gnu_cxx

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
    return g_strAppName;
}

int AppMessageBox(const std::string& text, UINT type) {
    HWND main = GetMainWindow();
    HWND owner = main ? GetLastActivePopup(main) : GetActiveWindow();
    return MessageBoxA(owner, text.c_str(), GetAppName().c_str(), type);
}
