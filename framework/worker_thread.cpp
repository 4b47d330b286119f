#include "framework/worker_thread.h"

#include <process.h>

bool CWorkerThread::Start(Proc proc, void* param) {
    if (m_hThread)
        return false;
    m_pProc = proc;
    m_pParam = param;
    // _beginthreadex rather than CreateThread: the thread uses the C run-time library.
    uintptr_t thread = _beginthreadex(nullptr, 0, ThreadMain, this, 0, nullptr);
    m_hThread.Reset(reinterpret_cast<HANDLE>(thread));
    return thread != 0;
}

void CWorkerThread::Join() {
    if (m_hThread) {
        WaitForSingleObject(m_hThread.Get(), INFINITE);
        m_hThread.Reset();
    }
}

unsigned __stdcall CWorkerThread::ThreadMain(void* self) {
    auto* thread = static_cast<CWorkerThread*>(self);
    return thread->m_pProc(thread->m_pParam);
}
