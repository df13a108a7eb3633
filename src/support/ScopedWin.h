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
    Unique() noexcept = default;
    explicit Unique(Handle h) noexcept : h_(h) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Traits::Invalid()));
        return *this;
    }
    void reset(Handle h = Traits::Invalid()) noexcept {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }
    [[nodiscard]] Handle get() const noexcept { return h_; }
    [[nodiscard]] Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    // For a call that fills a handle: whatever was held is closed first, so the
    // owner adopts the new handle the moment the call writes it.
    [[nodiscard]] Handle* put() noexcept {
        reset();
        return &h_;
    }
    // For a call that reads the current handle and may replace it.
    [[nodiscard]] Handle* addressof() noexcept { return &h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }

  private:
    Handle h_ = Traits::Invalid();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
struct KernelTraits { // process, thread, event: NULL means none
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { FindClose(h); }
};
struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { FreeLibrary(h); }
};
struct IdListTraits {
    using Handle = LPITEMIDLIST;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { CoTaskMemFree(h); }
};
// Only for icons the program created (CreateIcon*, LoadImage without LR_SHARED):
// a shared icon belongs to the system and must not be destroyed.
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { DestroyIcon(h); }
};
template <class GdiHandle> struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { DeleteObject(h); }
};
struct LocalTraits {
    using Handle = HLOCAL;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { LocalFree(h); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { RegCloseKey(h); }
};

using UniqueFile = Unique<FileTraits>;
using UniqueHandle = Unique<KernelTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueLibrary = Unique<LibraryTraits>;
using UniqueIdList = Unique<IdListTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueFont = Unique<GdiObjectTraits<HFONT>>;
using UniqueBrush = Unique<GdiObjectTraits<HBRUSH>>;
using UniqueLocal = Unique<LocalTraits>;
using UniqueRegKey = Unique<RegKeyTraits>;

// A window's device context, released to the window it came from.
class WindowDC {
  public:
    explicit WindowDC(HWND hWnd) noexcept : hWnd_(hWnd), hdc_(GetDC(hWnd)) {}
    ~WindowDC() {
        if (hdc_) ReleaseDC(hWnd_, hdc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    [[nodiscard]] HDC get() const noexcept { return hdc_; }
    explicit operator bool() const noexcept { return hdc_ != nullptr; }

  private:
    HWND hWnd_;
    HDC hdc_;
};

// Owns one reference of a COM interface.
template <class T> class ComPtr {
  public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    void reset() noexcept {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    [[nodiscard]] T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    // For out-parameters: releases what was held first.
    [[nodiscard]] T** put() noexcept {
        reset();
        return &p_;
    }
    [[nodiscard]] void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Another interface of the same object; empty when the object lacks it, with the
    // reason in `hr` for a caller that reports it.
    template <class U> [[nodiscard]] ComPtr<U> query(HRESULT* hr = nullptr) const noexcept {
        ComPtr<U> other;
        const HRESULT result = p_ ? p_->QueryInterface(__uuidof(U), other.put_void()) : E_POINTER;
        if (hr) *hr = result;
        return other;
    }

  private:
    T* p_ = nullptr;
};

} // namespace ScopedWin
