#include "support/SameContent.h"

#include "support/ScopedWin.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace CommonModule {

namespace {

ScopedWin::UniqueFile OpenToRead(const std::wstring& sPath) {
    return ScopedWin::UniqueFile(CreateFileW(sPath.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

} // namespace

bool SameContent(const std::wstring& sA, const std::wstring& sB) {
    const ScopedWin::UniqueFile a = OpenToRead(sA), b = OpenToRead(sB);
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!a || !b || !GetFileSizeEx(a.get(), &sizeA) || !GetFileSizeEx(b.get(), &sizeB) ||
        sizeA.QuadPart != sizeB.QuadPart)
        return false;
    constexpr DWORD kChunk = 64 * 1024;
    std::vector<char> bufA(kChunk), bufB(kChunk);
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!ReadFile(a.get(), bufA.data(), kChunk, &gotA, nullptr) ||
            !ReadFile(b.get(), bufB.data(), kChunk, &gotB, nullptr) || gotA != gotB)
            return false;
        if (gotA == 0) return true;
        if (std::memcmp(bufA.data(), bufB.data(), gotA) != 0) return false;
    }
}

} // namespace CommonModule
