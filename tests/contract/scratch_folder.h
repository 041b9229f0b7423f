#pragma once
// A scratch folder for one test, removed afterwards. Paths are UTF-8 with the
// platform's own separator.

#include <string>

namespace tarvo::testing {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The path of a name inside the folder ("roms/a.nes" works everywhere).
    std::string operator/(const std::string& relative) const;
    // Creates the file and its folders.
    void Write(const std::string& relative, const std::string& contents, bool executable = false) const;
    std::string Read(const std::string& relative) const;  // empty when missing
    bool Exists(const std::string& relative) const;
    void Remove(const std::string& relative) const;

private:
    std::string root_;
};

// A file of the source or build tree (a path as CMake gives it), as bytes.
std::string ReadTreeFile(const std::string& path);
// That path as this platform names it (under Wine: on drive Z:).
std::string TreePath(const std::string& path);

}  // namespace tarvo::testing
