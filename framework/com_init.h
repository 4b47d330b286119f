// COM for the calling thread, for the life of the object (shell links are made with COM).
#pragma once

#include <objbase.h>

class CComInit {
public:
    CComInit() : m_hr(CoInitialize(nullptr)) {}
    ~CComInit() {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    CComInit(const CComInit&) = delete;
    CComInit& operator=(const CComInit&) = delete;

    bool Succeeded() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};
