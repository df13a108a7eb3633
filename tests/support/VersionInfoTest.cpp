#include "support/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

VersionInfo::Fields Version(unsigned major, unsigned minor, unsigned revision) {
    VersionInfo::Fields v;
    v.found = true;
    v.major = major;
    v.minor = minor;
    v.build = 9; // never shown
    v.revision = revision;
    v.title = L"Dorvane";
    return v;
}

// One node of a version resource: lengths, type, key, value and children, each part
// aligned to four bytes.
using Bytes = std::vector<BYTE>;
void Pad(Bytes& b) {
    while (b.size() % 4)
        b.push_back(0);
}
Bytes Node(const std::wstring& key, const Bytes& value, WORD valueLength, bool text,
           const std::vector<Bytes>& children = {}) {
    Bytes b(6, 0);
    for (wchar_t c : key + L'\0') {
        b.push_back(static_cast<BYTE>(c & 0xff));
        b.push_back(static_cast<BYTE>(c >> 8));
    }
    Pad(b);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        Pad(b);
        b.insert(b.end(), child.begin(), child.end());
    }
    const WORD header[3] = {static_cast<WORD>(b.size()), valueLength, static_cast<WORD>(text)};
    std::memcpy(b.data(), header, sizeof header);
    return b;
}
Bytes TextNode(const std::wstring& key, const std::wstring& value) {
    Bytes v;
    for (wchar_t c : value + L'\0') {
        v.push_back(static_cast<BYTE>(c & 0xff));
        v.push_back(static_cast<BYTE>(c >> 8));
    }
    return Node(key, v, static_cast<WORD>(value.size() + 1), true);
}
Bytes VersionResource() {
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwFileVersionMS = MAKELONG(2, 1); // 1.2
    fixed.dwFileVersionLS = MAKELONG(4, 3); // .3.4
    Bytes value(sizeof fixed);
    std::memcpy(value.data(), &fixed, sizeof fixed);
    const Bytes table =
        Node(L"040904b0", {}, 0, true,
             {TextNode(L"CompanyName", L"Maker"), TextNode(L"FileDescription", L"Dorvane"),
              TextNode(L"ProductName", L"Dorvane Suite")});
    const Bytes strings = Node(L"StringFileInfo", {}, 0, true, {table});
    return Node(L"VS_VERSION_INFO", value, sizeof fixed, false, {strings});
}

} // namespace

TEST(VersionInfo, DescribeStagesAndNotes) {
    const auto v = Version(1, 0, 1);
    EXPECT_EQ(VersionInfo::Describe(v, L"", L""), L"Dorvane   v1.0.1 ");
    EXPECT_EQ(VersionInfo::Describe(v, L"A", L""), L"Dorvane   v1.0.1 ALPHA");
    EXPECT_EQ(VersionInfo::Describe(v, L"B", L"x"), L"Dorvane   v1.0.1 BETA  - x");
    EXPECT_EQ(VersionInfo::Describe(v, L"rc1", L""), L"Dorvane   v1.0.1 rc1");
    EXPECT_EQ(VersionInfo::Describe(v, L"a", L""), L"Dorvane   v1.0.1 a");
    EXPECT_EQ(VersionInfo::Describe(v, L"", L"note"), L"Dorvane   v1.0.1   - note");
    EXPECT_EQ(VersionInfo::Describe(Version(2, 5, 0), L"", L""), L"Dorvane   v2.5 ");
    EXPECT_EQ(VersionInfo::Describe(Version(10, 12, 300), L"B", L""), L"Dorvane   v10.12.300 BETA");
}

TEST(VersionInfo, ParseReadsNumbersTitleAndProduct) {
    const Bytes res = VersionResource();
    const auto v = VersionInfo::Parse(res.data(), res.size());
    ASSERT_TRUE(v.found);
    EXPECT_EQ(v.major, 1u);
    EXPECT_EQ(v.minor, 2u);
    EXPECT_EQ(v.build, 3u);
    EXPECT_EQ(v.revision, 4u);
    EXPECT_EQ(v.title, L"Dorvane");
    EXPECT_EQ(v.productName, L"Dorvane Suite");
    EXPECT_EQ(VersionInfo::Describe(v, L"", L""), L"Dorvane   v1.2.4 ");
}

TEST(VersionInfo, ParseStaysInsideACutResource) {
    // The root claims a fixed block that does not fit in its length. The bytes sit at
    // the very end of a readable page, so reading past them faults.
    Bytes res = VersionResource();
    constexpr WORD cut = 44; // header, key, padding, 4 bytes of the fixed block
    std::memcpy(res.data(), &cut, sizeof cut);
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    BYTE* pages = static_cast<BYTE*>(
        VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old));
    BYTE* at = pages + si.dwPageSize - cut;
    std::memcpy(at, res.data(), cut);
    const auto v = VersionInfo::Parse(at, cut);
    EXPECT_FALSE(v.found);
    EXPECT_TRUE(v.title.empty());
    VirtualFree(pages, 0, MEM_RELEASE);

    EXPECT_FALSE(VersionInfo::Parse(res.data(), 5).found);
    EXPECT_FALSE(VersionInfo::Parse(res.data(), 0).found);
}
