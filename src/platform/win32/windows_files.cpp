#include "windows_files.h"

#include <windows.h>

#include "ordinary_file.h"
#include "owned.h"
#include "wide_text.h"

namespace tarvo::win32 {

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// One FindFirstFileEx pass over a folder; stops when visit returns false.
bool ForEachEntry(const std::string& folder, const std::function<bool(const WIN32_FIND_DATAW&)>& visit) {
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    const HANDLE first = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH);
    if (first == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;  // empty, but there
    const UniqueFind find(first);
    do {
        if (!IsDotOrDotDot(data.cFileName) && !visit(data)) break;
    } while (FindNextFileW(find.get(), &data));
    return true;
}

bool IsFolder(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsHidden(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

}  // namespace

bool ListMatchingFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const Files::GoOn& goOn,
                       bool* holdsFiles) {
    std::string ascii;  // an ASCII name is matched as it comes, without a conversion
    if (holdsFiles) *holdsFiles = false;
    return ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
        if (!IsFolder(data) && !IsHidden(data)) {
            if (holdsFiles) *holdsFiles = true;
            ascii.clear();
            for (const wchar_t* c = data.cFileName; *c && *c < 0x80; ++c) ascii += static_cast<char>(*c);
            if (data.cFileName[ascii.size()] == L'\0') {
                if (patterns.Matches(ascii)) names.Add(ascii);
            } else if (const std::string name = Narrow(data.cFileName); patterns.Matches(name)) {
                names.Add(name);
            }
        }
        return !goOn || goOn(names.size());
    });
}

std::optional<std::uint64_t> WindowsFiles::FileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool WindowsFiles::FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> WindowsFiles::ReadFile(const std::string& path, std::uint64_t most) {
    return ReadOrdinaryFile(path, most);
}

}  // namespace tarvo::win32
