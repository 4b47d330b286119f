#include "tests/extract/script_window.h"

#include "framework/com_init.h"
#include "framework/worker_thread.h"
#include "installer/extract_signals.h"
#include "installer/messages.h"

namespace {

constexpr char kClassName[] = "VantrelScriptWindow";

struct WorkerJob {
    HWND hWnd;
    std::function<int(CExtractSignals&)> work;
    int nResult = 0;
};

unsigned RunJob(void* param) {
    auto* job = static_cast<WorkerJob*>(param);
    {
        CComInit com;
        CWindowSignals signals(job->hWnd);
        job->nResult = job->work(signals);
    }
    PostMessageA(job->hWnd, WM_SETUP_DONE, 0, 0);
    return 0;
}

void RegisterScriptClass(WNDPROC proc) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

}  // namespace

CScriptWindow::CScriptWindow(std::vector<bool> answers) : m_answers(std::move(answers)) {
    RegisterScriptClass(WindowProc);
    m_hWnd = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, LONG_PTR(this));
}

CScriptWindow::~CScriptWindow() {
    DestroyWindow(m_hWnd);
}

int CScriptWindow::Run(std::function<int(CExtractSignals&)> work) {
    for (CEvent* event : {&g_evCancel, &g_evStopped, &g_evYes, &g_evNo})
        event->Wait(0);
    WorkerJob job{m_hWnd, std::move(work)};
    m_bDone = false;
    CWorkerThread worker;
    if (!worker.Start(RunJob, &job))
        return -1;
    MSG msg;
    while (!m_bDone && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    worker.Join();
    m_bStopped = g_evStopped.Wait(0);
    return job.nResult;
}

LRESULT CALLBACK CScriptWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CScriptWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message >= WM_USER)
        return self->Handle(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CScriptWindow::NextAnswer() {
    if (m_nNextAnswer < m_answers.size())
        return m_answers[m_nNextAnswer++];
    ++m_nUnscripted;
    return false;
}

LRESULT CScriptWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETUP_ITEM: {
        auto path = TakeMessageString(wParam);
        auto name = TakeMessageString(lParam);
        m_messages.push_back({message, *path + "|" + *name});
        if (++m_nItems == m_nCancelAtItem)
            g_evCancel.Set();
        return 0;
    }
    case WM_SETUP_PROGRESS:
        m_progress.push_back(int(wParam));
        if (int(m_progress.size()) == m_nCancelAtProgress)
            g_evCancel.Set();
        return 0;
    case WM_SETUP_DONE:
        m_bDone = true;
        return 0;
    case WM_SETUP_ASK_HIDDEN:
    case WM_SETUP_ASK_NEWER: {
        auto path = TakeMessageString(wParam);
        auto attribute = TakeMessageString(lParam);
        m_messages.push_back({message, *path + (attribute ? "|" + *attribute : std::string())});
        (NextAnswer() ? g_evYes : g_evNo).Set();
        return 0;
    }
    case WM_SETUP_READONLY: {
        auto path = TakeMessageString(wParam);
        m_messages.push_back({message, *path});
        g_evYes.Set();
        return 0;
    }
    }
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}
