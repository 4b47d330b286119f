// One move-only owner for every kind of handle that must be given back. Each kind is
// a traits type naming its invalid value and its close function, and a one-line alias.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle h) : m_h(h) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle Get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }
    Handle Release() { return std::exchange(m_h, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) {
        if (m_h != Traits::Invalid())
            Traits::Close(m_h);
        m_h = h;
    }
    // For APIs that fill in a handle: the old one is closed first.
    Handle* Put() {
        Reset();
        return &m_h;
    }

private:
    Handle m_h = Traits::Invalid();
};

// Kernel objects (events, threads, processes) are invalid at NULL...
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
// ...files from CreateFileA at INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
// Fonts, bitmaps and brushes keep their own handle type, so that no cast is needed to use them.
template <typename H>
struct TypedGdiObjectTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
// A device context made by CreateCompatibleDC (not one from GetDC or BeginPaint).
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};

using CUniqueKernelHandle = CUniqueHandle<KernelHandleTraits>;
using CUniqueFile = CUniqueHandle<FileHandleTraits>;
using CUniqueFind = CUniqueHandle<FindHandleTraits>;
using CUniqueRegKey = CUniqueHandle<RegKeyTraits>;
using CUniqueModule = CUniqueHandle<ModuleTraits>;
using CUniqueGdiObject = CUniqueHandle<GdiObjectTraits>;
using CUniqueFont = CUniqueHandle<TypedGdiObjectTraits<HFONT>>;
using CUniqueBitmap = CUniqueHandle<TypedGdiObjectTraits<HBITMAP>>;
using CUniqueBrush = CUniqueHandle<TypedGdiObjectTraits<HBRUSH>>;
using CUniqueMemoryDC = CUniqueHandle<MemoryDcTraits>;
