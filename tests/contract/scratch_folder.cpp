#include "scratch_folder.h"

#include "window_driver.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarvo::testing {

namespace fs = std::filesystem;

namespace {
fs::path Native(const std::string& utf8) { return fs::u8path(utf8).make_preferred(); }
}  // namespace

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path root = fs::temp_directory_path() / ("tarvo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(root);
    root_ = root.u8string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(Native(root_), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(Native(root_), ignored);
}

std::string ScratchFolder::operator/(const std::string& relative) const {
    return (Native(root_) / Native(relative)).u8string();
}

void ScratchFolder::Write(const std::string& relative, const std::string& contents, bool executable) const {
    const fs::path file = Native(*this / relative);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
    if (executable) fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
}

std::string ScratchFolder::Read(const std::string& relative) const {
    std::ifstream in(Native(*this / relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ScratchFolder::Exists(const std::string& relative) const {
    std::error_code ignored;
    return fs::exists(Native(*this / relative), ignored);
}

void ScratchFolder::Remove(const std::string& relative) const {
    std::error_code ignored;
    fs::remove(Native(*this / relative), ignored);
}

std::string TreePath(const std::string& path) {
#ifdef _WIN32
    return Native("Z:" + path).u8string();
#else
    return path;
#endif
}

std::string ReadTreeFile(const std::string& path) {
    std::ifstream in(Native(TreePath(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TestPicture(const std::string& name) { return ReadTreeFile(std::string(TARVO_TEST_DATA) + "/" + name); }

}  // namespace tarvo::testing
