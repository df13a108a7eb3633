#include "support/VersionInfo.h"

#include "support/ScopedWin.h"

#include <cstring>
#include <cwchar>

namespace VersionInfo {

namespace {
// One node of the version tree: WORD length, WORD value length, WORD type, key,
// padding to 4 bytes, value, padding, children.
struct Node {
    const BYTE* begin = nullptr;
    size_t length = 0;
    size_t valueLength = 0;
    bool isText = false;
    std::wstring key;
    const BYTE* value = nullptr;
    const BYTE* children = nullptr;
};

size_t Align4(size_t n) {
    return (n + 3) & ~size_t{3};
}

bool ReadNode(const BYTE* base, const BYTE* p, const BYTE* end, Node& n) {
    if (end - p < 6) return false;
    WORD header[3];
    std::memcpy(header, p, sizeof header);
    n.begin = p;
    n.length = header[0];
    n.valueLength = header[1];
    n.isText = header[2] == 1;
    if (n.length < 6 || static_cast<size_t>(end - p) < n.length) return false;
    const BYTE* nodeEnd = p + n.length;
    const BYTE* k = p + 6;
    n.key.clear();
    while (k + 2 <= nodeEnd) {
        wchar_t c;
        std::memcpy(&c, k, 2);
        k += 2;
        if (c == 0) break;
        n.key += c;
    }
    n.value = base + Align4(static_cast<size_t>(k - base));
    const size_t valueBytes = n.isText ? n.valueLength * 2 : n.valueLength;
    n.children = base + Align4(static_cast<size_t>(n.value - base) + valueBytes);
    return n.value <= nodeEnd;
}

template <class F> void ForEachChild(const BYTE* base, const Node& parent, F f) {
    const BYTE* end = parent.begin + parent.length;
    const BYTE* p = parent.children;
    Node child;
    while (p < end && ReadNode(base, p, end, child)) {
        f(child);
        p = base + Align4(static_cast<size_t>(child.begin - base) + child.length);
    }
}

std::wstring TextValue(const Node& n) {
    const BYTE* end = n.begin + n.length;
    std::wstring out;
    for (const BYTE* v = n.value; v + 2 <= end; v += 2) {
        wchar_t c;
        std::memcpy(&c, v, 2);
        if (c == 0) break;
        out += c;
    }
    return out;
}
} // namespace

Fields Parse(const void* data, size_t size) {
    Fields f;
    const BYTE* base = static_cast<const BYTE*>(data);
    Node root;
    if (!ReadNode(base, base, base + size, root) || root.key != L"VS_VERSION_INFO") return f;
    // The fixed block must lie inside the root node, whatever its value length claims.
    if (root.valueLength >= sizeof(VS_FIXEDFILEINFO) &&
        root.value + sizeof(VS_FIXEDFILEINFO) <= root.begin + root.length) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, root.value, sizeof fixed);
        if (fixed.dwSignature == VS_FFI_SIGNATURE) {
            f.found = true;
            f.major = HIWORD(fixed.dwFileVersionMS);
            f.minor = LOWORD(fixed.dwFileVersionMS);
            f.build = HIWORD(fixed.dwFileVersionLS);
            f.revision = LOWORD(fixed.dwFileVersionLS);
        }
    }
    ForEachChild(base, root, [&](const Node& info) {
        if (info.key != L"StringFileInfo") return;
        ForEachChild(base, info, [&](const Node& table) {
            ForEachChild(base, table, [&](const Node& s) {
                if (s.key == L"FileDescription" && f.title.empty()) f.title = TextValue(s);
                if (s.key == L"ProductName" && f.productName.empty()) f.productName = TextValue(s);
            });
        });
    });
    return f;
}

Fields ReadFromModule(HMODULE module) {
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!res) return {};
    HGLOBAL loaded = LoadResource(module, res);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return Parse(data, SizeofResource(module, res));
}

Fields ReadFromFile(const std::wstring& sPath, DWORD* error) {
    const ScopedWin::UniqueLibrary file(LoadLibraryExW(
        sPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (error) *error = file ? 0 : GetLastError();
    return file ? ReadFromModule(file.get()) : Fields{};
}

std::wstring Describe(const Fields& v, const std::wstring& sStage, const std::wstring& sNote) {
    std::wstring s = v.title + L"   v" + std::to_wstring(v.major) + L"." + std::to_wstring(v.minor);
    if (v.revision > 0) s += L"." + std::to_wstring(v.revision);
    if (sStage == L"A")
        s += L" ALPHA";
    else if (sStage == L"B")
        s += L" BETA";
    else
        s += L" " + sStage;
    if (!sNote.empty()) s += L"  - " + sNote;
    return s;
}

} // namespace VersionInfo
