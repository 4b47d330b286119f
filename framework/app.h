// The application object: start-up, the message loop, the application name and the main
// window. A program defines one object of a class derived from CApp and runs it from WinMain.
#pragma once

#include "framework/window.h"

#include <windows.h>

#include <string>

class CApp {
public:
    // Becomes the process's application object (there is one per process).
    CApp();
    virtual ~CApp();
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // Runs InitInstance; when it succeeds and leaves a main window, runs the message loop
    // until WM_QUIT. Returns the program's exit code.
    int Run();

    // The window whose destruction ends the message loop; not owned (frame windows delete
    // themselves).
    CWnd* GetMainWnd() const { return m_pMainWnd; }
    void SetMainWnd(CWnd* wnd) { m_pMainWnd = wnd; }

protected:
    // The program's start-up; FALSE ends the program without a message loop.
    virtual BOOL InitInstance() = 0;

private:
    CWnd* m_pMainWnd = nullptr;
};

// The process's application object, or null when none exists (as in tests).
CApp* GetApp();
// The application's main window, or null when there is none.
HWND GetMainWindow();
// The executable's file name without directory and extension.
const std::string& GetAppName();
// The framework's message box: owned by the window the user is working in (the main
// window's active pop-up, such as a modal dialog), captioned with the application name.
int AppMessageBox(const std::string& text, UINT type);
