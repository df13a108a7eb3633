#pragma once
// Scratch folders and small file helpers for tests that touch the real file system.
#include <string>

namespace testlib {

// A fresh folder below the prefix's temp folder, removed with its contents on
// destruction. Path without trailing backslash.
class ScratchDir {
  public:
    explicit ScratchDir(const std::wstring& hint = L"t");
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& rel) const { return path_ + L"\\" + rel; }

  private:
    std::wstring path_;
};

void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path); // "" when missing
bool FileExists(const std::wstring& path);
bool DirExists(const std::wstring& path);
void MakeDirs(const std::wstring& path);
void RemoveTree(const std::wstring& path);
std::string Utf8(const std::wstring& text); // for readable failure messages

} // namespace testlib
