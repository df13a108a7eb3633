#include "support/IniEncoding.h"

#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

#include <algorithm>

namespace CommonModule {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
// Far above any configuration; a larger file is left to the profile functions.
constexpr LONGLONG kLargestFile = 16 << 20;

bool BeyondAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::wstring Widened(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int n = static_cast<int>(bytes.size());
    const int len = MultiByteToWideChar(codePage, flags, bytes.data(), n, nullptr, 0);
    if (len <= 0) return {};
    std::wstring text(static_cast<size_t>(len), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), n, text.data(), len);
    return text;
}

bool IsValidUtf8(std::string_view bytes) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                               static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

} // namespace

IniEncoding IniEncodingOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return IniEncoding::Utf8Marked;
    if (bytes.starts_with(kUtf16Mark)) return IniEncoding::Utf16;
    // ANSI text beyond ASCII is almost never valid UTF-8 by chance ("\u00e9t\u00e9"
    // in code page 1252 is not), and ASCII alone reads the same either way.
    if (BeyondAscii(bytes) && IsValidUtf8(bytes)) return IniEncoding::Utf8;
    return IniEncoding::Ansi;
}

bool IsUtf8(IniEncoding encoding) {
    return encoding == IniEncoding::Utf8 || encoding == IniEncoding::Utf8Marked;
}

IniEncoding IniEncodingForSave(IniEncoding current, const std::vector<std::wstring>& values) {
    if (current != IniEncoding::Ansi) return current;
    const bool fits =
        std::all_of(values.begin(), values.end(), [](const auto& v) { return Text::FitsAnsi(v); });
    return fits ? IniEncoding::Ansi : IniEncoding::Utf16;
}

std::wstring DecodeIniText(std::string_view bytes, IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf8Marked:
        bytes.remove_prefix(kUtf8Mark.size());
        [[fallthrough]];
    case IniEncoding::Utf8:
        return Widened(CP_UTF8, 0, bytes);
    case IniEncoding::Utf16: {
        bytes.remove_prefix(kUtf16Mark.size());
        std::wstring text(bytes.size() / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        return text;
    }
    case IniEncoding::Ansi:
        break;
    }
    return Widened(CP_ACP, 0, bytes);
}

std::string EncodeIniText(std::wstring_view text, IniEncoding encoding) {
    std::string bytes;
    switch (encoding) {
    case IniEncoding::Utf16:
        bytes = kUtf16Mark;
        for (const wchar_t c : text)
            bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return bytes;
    case IniEncoding::Utf8Marked:
        bytes = kUtf8Mark;
        [[fallthrough]];
    case IniEncoding::Utf8: {
        if (text.empty()) return bytes;
        const int n = static_cast<int>(text.size());
        const int len =
            WideCharToMultiByte(CP_UTF8, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
        if (len <= 0) return bytes;
        const size_t start = bytes.size();
        bytes.resize(start + static_cast<size_t>(len));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), n, bytes.data() + start, len, nullptr,
                            nullptr);
        return bytes;
    }
    case IniEncoding::Ansi:
        break;
    }
    return Text::ToAnsi(text);
}

bool ReadIniBytes(const std::wstring& sIniFile, std::string& bytes) {
    bytes.clear();
    const ScopedWin::UniqueFile h(CreateFileW(sIniFile.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size) || size.QuadPart > kLargestFile) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        !ReadFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return false;
    bytes.resize(got);
    return true;
}

bool WriteIniBytes(const std::wstring& sIniFile, std::string_view bytes) {
    // Opened, not created anew, so that an existing file keeps its security.
    const ScopedWin::UniqueFile h(CreateFileW(sIniFile.c_str(), GENERIC_WRITE, 0, nullptr,
                                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return h &&
           WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && SetEndOfFile(h.get());
}

} // namespace CommonModule
