#include "scratch.h"

#include <shlwapi.h>

#include <atomic>

#include "wide_text.h"

namespace tarvo::testing {

using win32::Narrow;
using win32::Widen;

namespace {

void CreateFoldersFor(const std::wstring& file) {
    for (std::size_t pos = file.find(L'\\', 3); pos != std::wstring::npos; pos = file.find(L'\\', pos + 1)) {
        CreateDirectoryW(file.substr(0, pos).c_str(), nullptr);
    }
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + L"\\");
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

Scratch::Scratch() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = Narrow(temp) + "tarvo-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + "\\";
    CreateDirectoryW(Widen(path_).c_str(), nullptr);
}

Scratch::~Scratch() { RemoveTree(Widen(path_)); }

void Scratch::Write(const std::string& relative, const std::string& contents) const {
    const std::wstring file = Widen(*this / relative);
    CreateFoldersFor(file);
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(handle);
}

std::string Scratch::Read(const std::string& relative) const {
    HANDLE handle = CreateFileW(Widen(*this / relative).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    std::string contents(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    ReadFile(handle, contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr);
    CloseHandle(handle);
    return contents;
}

void Scratch::Copy(const std::string& from, const std::string& relative) const {
    const std::wstring target = Widen(*this / relative);
    CreateFoldersFor(target);
    CopyFileW(Widen(from).c_str(), target.c_str(), FALSE);
}

std::string FromBuildPath(const char* path) {
    std::string windows = path;
    for (char& c : windows) {
        if (c == '/') c = '\\';
    }
    return windows[0] == '\\' ? "Z:" + windows : windows;
}

void ClearSettings(const std::wstring& key) { RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

void WriteSetting(const std::wstring& key, const std::string& name, const std::string& value) {
    const std::wstring text = Widen(value);
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), Widen(name).c_str(), REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

const std::string kRedGreenGif(
    "GIF89a\x02\x00\x01\x00\xf0\x00\x00\xff\x00\x00\x00\xff\x00\x21\xf9\x04\x00\x00\x00\x00\x00\x2c\x00\x00"
    "\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0a\x00\x3b",
    43);

std::string RedGreenBmp() {
    // 2 x 1, 24 bits: one row of 6 bytes padded to 8; pixels are blue, green, red.
    const unsigned char bytes[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                  // file header
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,        // info header
        0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 255, 0, 255, 0, 0, 0};                                                       // red, green
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace tarvo::testing
