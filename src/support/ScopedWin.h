#pragma once
// Small owners for the handles and COM pointers the program holds. Each closes its
// resource exactly once; none of them throws.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace ScopedWin {

template <class Traits> class Unique {
  public:
    using Handle = typename Traits::Handle;
    Unique() = default;
    explicit Unique(Handle h) : h_(h) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::Invalid());
        }
        return *this;
    }
    void reset(Handle h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }
    Handle get() const { return h_; }
    Handle release() { return std::exchange(h_, Traits::Invalid()); }
    explicit operator bool() const { return h_ != Traits::Invalid(); }

  private:
    Handle h_ = Traits::Invalid();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct KernelTraits { // process, thread, event: NULL means none
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
struct IdListTraits {
    using Handle = LPITEMIDLIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CoTaskMemFree(h); }
};

struct FontTraits {
    using Handle = HFONT;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct BrushTraits {
    using Handle = HBRUSH;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

using UniqueFile = Unique<FileTraits>;
using UniqueHandle = Unique<KernelTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueLibrary = Unique<LibraryTraits>;
using UniqueIdList = Unique<IdListTraits>;
using UniqueFont = Unique<FontTraits>;
using UniqueBrush = Unique<BrushTraits>;
using UniqueIcon = Unique<IconTraits>;

// A window's device context (the screen's for no window), released at scope end.
class WindowDC {
  public:
    explicit WindowDC(HWND hWnd) : hWnd_(hWnd), dc_(GetDC(hWnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hWnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hWnd_;
    HDC dc_;
};

// Owns one reference of a COM interface.
template <class T> class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    // For out-parameters: releases what was held first.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

} // namespace ScopedWin
