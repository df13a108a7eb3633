#include "ui/common/SpokenName.h"

#include "shell/ComInit.h"
#include "support/DebugLog.h"
#include "support/ScopedWin.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <cwchar>
#include <new>
#include <string>
#include <utility>

namespace SpokenName {

namespace {

constexpr UINT_PTR kSubclassId = 2;

using CreateStdObject = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using AllocString = BSTR(WINAPI*)(const OLECHAR*);

template <class F> F Entry(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// A system library, loaded from the system folder and kept for the rest of the run:
// the objects handed to a screen reader run its code for as long as the reader holds
// them, which may be after the window has gone.
HMODULE KeepSystemLibrary(const wchar_t* name) noexcept {
    wchar_t path[MAX_PATH + 32] = {};
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || wcslen(name) > 30) return nullptr;
    path[n] = L'\\';
    wcscpy(path + n + 1, name);
    const ScopedWin::UniqueLibrary library(LoadLibraryW(path));
    HMODULE pinned = nullptr;
    if (!library || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, name, &pinned))
        return nullptr;
    return pinned;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object for the control, with its own name in place of the caption.
class Named final : public IAccessible {
  public:
    Named(ScopedWin::ComPtr<IAccessible> inner, const wchar_t* name, AllocString alloc)
        : inner_(std::move(inner)), name_(name), alloc_(alloc) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
            riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // What else the system's object offers (its window, its children), as it is.
        return inner_->QueryInterface(riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return inner_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = alloc_(name_);
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    // Everything else is the system's answer.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        return inner_->GetTypeInfoCount(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
        return inner_->GetTypeInfo(i, l, t);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l,
                                            DISPID* d) override {
        return inner_->GetIDsOfNames(r, n, c, l, d);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                     EXCEPINFO* e, UINT* a) override {
        return inner_->Invoke(d, r, l, f, p, v, e, a);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override {
        return inner_->get_accParent(p);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override {
        return inner_->get_accChildCount(n);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override {
        return inner_->get_accChild(c, p);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* s) override {
        return inner_->get_accValue(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* s) override {
        return inner_->get_accDescription(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* v) override {
        return inner_->get_accRole(c, v);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* v) override {
        return inner_->get_accState(c, v);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* s) override {
        return inner_->get_accHelp(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
        return inner_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* s) override {
        return inner_->get_accKeyboardShortcut(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return inner_->get_accFocus(v); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override {
        return inner_->get_accSelection(v);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* s) override {
        return inner_->get_accDefaultAction(c, s);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override {
        return inner_->accSelect(f, c);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
        return inner_->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override {
        return inner_->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* v) override {
        return inner_->accHitTest(x, y, v);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
        return inner_->accDoDefaultAction(c);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR s) override {
        return inner_->put_accName(c, s);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR s) override {
        return inner_->put_accValue(c, s);
    }

  private:
    ~Named() = default;
    std::atomic<ULONG> refs_{1};
    ScopedWin::ComPtr<IAccessible> inner_;
    const wchar_t* name_;
    AllocString alloc_;
};

// The answer to WM_GETOBJECT for the control's client area; 0 (the system answers
// with its own object) when it cannot be made.
LRESULT Answer(HWND hControl, WPARAM wParam, const wchar_t* name) noexcept {
    const HMODULE oleacc = KeepSystemLibrary(L"oleacc.dll");
    const HMODULE oleaut = KeepSystemLibrary(L"oleaut32.dll");
    const auto create = Entry<CreateStdObject>(oleacc, "CreateStdAccessibleObject");
    const auto result = Entry<ResultFromObject>(oleacc, "LresultFromObject");
    const auto alloc = Entry<AllocString>(oleaut, "SysAllocString");
    if (!create || !result || !alloc || !ShellCom::EnsureInitialized()) return 0;
    ScopedWin::ComPtr<IAccessible> standard;
    if (FAILED(create(hControl, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void())) ||
        !standard)
        return 0;
    // The result holds references of its own; ours goes when this call ends.
    ScopedWin::ComPtr<IAccessible> named;
    *named.put() = new (std::nothrow) Named(std::move(standard), name, alloc);
    if (!named) return 0;
    const LRESULT answer = result(__uuidof(IAccessible), wParam, named.get());
    return answer > 0 ? answer : 0;
}

LRESULT CALLBACK NamedProc(HWND hControl, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR name) {
    if (msg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT)
        if (const LRESULT answer = Answer(hControl, wParam, reinterpret_cast<const wchar_t*>(name)))
            return answer;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hControl, NamedProc, kSubclassId);
    return DefSubclassProc(hControl, msg, wParam, lParam);
}

} // namespace

void Give(HWND hControl, const wchar_t* name) {
    if (!SetWindowSubclass(hControl, NamedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(name)))
        CommonModule::DPrint(std::wstring(L"SpokenName: \"") + name + L"\" could not be given: " +
                             CommonModule::Win32Error(GetLastError()).description);
}

} // namespace SpokenName
