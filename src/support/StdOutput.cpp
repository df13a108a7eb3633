#include "support/StdOutput.h"

#include "support/IniEncoding.h"

namespace CommonModule {

RedirectedOutput::RedirectedOutput() {
    const HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
    // A file, a pipe, or a device such as NUL; an unknown type is no usable handle. A
    // console's handle, handed on by a command prompt that does not wait for a GUI
    // program, is no redirection: the lines would land in the middle of its prompt.
    const DWORD type = GetFileType(h);
    DWORD mode = 0;
    if (type == FILE_TYPE_CHAR && GetConsoleMode(h, &mode)) return;
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR) handle_ = h;
}

void RedirectedOutput::Line(const std::wstring& sLine) {
    if (!handle_) return;
    const std::string bytes = EncodeIniText(sLine + L"\r\n", IniEncoding::Utf8);
    DWORD written = 0;
    // A reader that went away (a closed pipe) loses the rest; the run goes on.
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        handle_ = nullptr;
}

} // namespace CommonModule
