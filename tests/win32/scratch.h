#pragma once
// A scratch folder for one test (Windows paths, UTF-8 names), removed
// afterwards, and helpers to drive the real window.

#include <windows.h>

#include <string>

namespace tarvo::testing {

class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& path() const { return path_; }  // ends in "\"
    std::string operator/(const std::string& name) const { return path_ + name; }
    void Write(const std::string& relative, const std::string& contents) const;
    std::string Read(const std::string& relative) const;
    void Copy(const std::string& from, const std::string& relative) const;

private:
    std::string path_;
};

// A Linux path handed over at build time, as Windows sees it under Wine.
std::string FromBuildPath(const char* path);

// The HKCU key the tests' settings go to, cleared at construction.
void ClearSettings(const std::wstring& key);
void WriteSetting(const std::wstring& key, const std::string& name, const std::string& value);

// The GIF of two pixels, red then green, and a BMP of the same.
extern const std::string kRedGreenGif;
std::string RedGreenBmp();

}  // namespace tarvo::testing
