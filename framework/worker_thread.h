// A worker thread that belongs to an object: the destructor waits for the thread to end,
// so nothing the thread uses can go away under it.
#pragma once

#include "framework/unique_handle.h"

class CWorkerThread {
public:
    // The thread's work: gets the parameter given to Start, returns the exit code. It
    // must not let an exception out: nothing above it could catch one.
    using Proc = unsigned (*)(void* param);

    CWorkerThread() = default;
    ~CWorkerThread() { Join(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts proc(param) at once, at normal priority with the default stack. False when
    // the thread could not be made, or when this object already has one.
    bool Start(Proc proc, void* param);
    // Waits for the thread to end; returns at once when there is none.
    void Join();
    bool IsStarted() const { return static_cast<bool>(m_hThread); }

private:
    static unsigned __stdcall ThreadMain(void* self);

    CUniqueKernelHandle m_hThread;
    Proc m_pProc = nullptr;
    void* m_pParam = nullptr;
};
