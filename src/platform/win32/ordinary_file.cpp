#include "ordinary_file.h"

#include "wide_text.h"

namespace tarvo::win32 {

UniqueHandle OpenOrdinaryFile(const std::string& path, std::uint64_t most) {
    UniqueHandle file = OwnHandle(
        CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    const bool ordinary = file && GetFileType(file.get()) == FILE_TYPE_DISK &&
                          GetFileInformationByHandle(file.get(), &info) &&
                          !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                          ((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow) <= most;
    return ordinary ? std::move(file) : nullptr;
}

std::optional<std::string> ReadOrdinaryFile(const std::string& path, std::uint64_t most) {
    const UniqueHandle file = OpenOrdinaryFile(path, most);
    if (!file) return std::nullopt;
    std::string content;
    char buffer[1 << 16];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0 && content.size() <= most) {
        content.append(buffer, got);
    }
    // A read that failed part way (a share gone) gives no file, never half a one.
    if (!read || content.size() > most) return std::nullopt;  // or grew past the limit
    return content;
}

}  // namespace tarvo::win32
