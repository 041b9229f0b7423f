#pragma once
// A scratch folder for one test, removed afterwards.

#include <string>

namespace tarvo::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Creates the file (and its folders) with the given contents.
    void Write(const std::string& relative, const std::string& contents, bool executable = false) const;
    std::string Read(const std::string& relative) const;
    // Waits up to five seconds for a file to appear with content.
    bool WaitFor(const std::string& relative) const;

private:
    std::string path_;
};

}  // namespace tarvo::testing
