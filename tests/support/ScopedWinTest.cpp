// The owners hand out their slot to calls that fill it, and take over other owners'
// resources: each resource must be closed exactly once on every path.
#include "support/ScopedWin.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}

// A COM object that counts its references; it answers for IUnknown and IPersist.
class Counted : public IPersist {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IPersist) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IPersist*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
    ULONG refs = 1;
};

} // namespace

TEST(ScopedWin, HandleOwnerClosesWhatItHeldBeforeItIsFilledOrMovedOnto) {
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ScopedWin::UniqueHandle owner(first);
    HANDLE* slot = owner.put();
    EXPECT_FALSE(IsOpen(first));
    EXPECT_EQ(*slot, nullptr);
    *slot = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE second = owner.get();
    EXPECT_TRUE(IsOpen(second));

    ScopedWin::UniqueHandle other(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE third = other.get();
    owner = std::move(other);
    EXPECT_FALSE(IsOpen(second));
    EXPECT_EQ(owner.get(), third);
    EXPECT_FALSE(other);
    owner.reset();
    EXPECT_FALSE(IsOpen(third));
}

TEST(ScopedWin, ComPtrReleasesOnceWhenFilledMovedOrQueried) {
    Counted a, b;
    {
        ScopedWin::ComPtr<IPersist> p;
        *p.put() = &a; // a's first reference now belongs to p
        ScopedWin::ComPtr<IUnknown> unknown = p.query<IUnknown>();
        ASSERT_TRUE(unknown);
        EXPECT_EQ(a.refs, 2u);
        HRESULT hr = S_OK;
        EXPECT_FALSE(p.query<IStream>(&hr));
        EXPECT_EQ(hr, E_NOINTERFACE);

        ScopedWin::ComPtr<IPersist> q;
        *q.put() = &b;
        q = std::move(p); // b goes, a moves over without a new reference
        EXPECT_EQ(b.refs, 0u);
        EXPECT_EQ(a.refs, 2u);
        EXPECT_FALSE(p);
        EXPECT_FALSE(p.query<IUnknown>());
    }
    EXPECT_EQ(a.refs, 0u);
}
