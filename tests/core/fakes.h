#pragma once
// In-memory stand-ins for the operating system and the widgets, so the whole
// program runs in a test, with Windows conventions or Linux ones.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/frm_pindle.h"

namespace tarvo {
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}
}  // namespace tarvo

namespace tarvo::testing {

struct FakeFile {
    std::uint64_t length = 1;
    bool hidden = false, executable = false;
};

class FakeServices : public Services {
public:
    char separator = '\\';  // Windows unless a test says otherwise
    std::string exeFolder = "C:\\Front", commandLine;
    std::map<std::string, std::string> settings;
    std::map<std::string, FakeFile> files;  // by full path
    std::set<std::string> unreadableFolders, goneFolders;
    bool previousInstance = false;
    std::vector<std::string> messages, activated;
    std::vector<StartRequest> starts;

    void UseLinux() { separator = '/', exeFolder = "/opt/tarvo"; }
    void AddFile(const std::string& path, std::uint64_t length = 1) { files[path].length = length; }

    char Separator() const override { return separator; }
    bool ProgramsCarryExe() const override { return separator == '\\'; }
    std::string ExecutableFolder() override { return exeFolder; }
    std::string CommandLine() override { return commandLine; }
    std::optional<std::string> ReadSetting(const std::string& key) override;
    bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) override;
    std::string FirstOrdinaryFile(const std::string& folder) override;
    std::optional<std::uint64_t> FileLength(const std::string& path) override;
    bool IsExecutableFile(const std::string& path) override { return files.count(path) && files[path].executable; }
    bool FolderExists(const std::string& path) override { return !goneFolders.count(path); }
    bool PreviousInstanceRunning() override { return previousInstance; }
    void ActivatePreviousInstance(const std::string& caption) override { activated.push_back(caption); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    StartResult nextStart = StartResult::Started(true);
    ProgramReports* reports = nullptr;
    StartResult StartProgram(const StartRequest& request) override {
        starts.push_back(request);
        return nextStart;
    }
    void ReportTo(ProgramReports* to) override { reports = to; }
};

struct FakeWindow : FormWindow {
    std::string caption = "Tarvo - Generic Frontend by Quillan";
    float clientWidth = 7380, clientHeight = 4995;
    bool minimized = false;
    int restored = 0;
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& text) override { caption = text; }
    float ClientWidth() const override { return clientWidth; }
    float ClientHeight() const override { return clientHeight; }
    void Minimize() override { minimized = true; }
    bool IsMinimized() const override { return minimized; }
    void Restore() override { minimized = false, ++restored; }
    void Unload() override {}
};

template <class Control>
struct Placed : Control {
    Rect bounds;
    Rect Bounds() const override { return bounds; }
    void SetBounds(const Rect& r) override { bounds = r; }
};

struct FakeList : Placed<ListBoxControl> {
    std::vector<std::string> items;
    int index = -1;
    bool focused = false;
    std::vector<int> keys;
    void Clear() override { items.clear(), index = -1; }
    void SetFocus() override { focused = true; }
    void KeyDown(int keyCode) override { keys.push_back(keyCode); }
    void AddItems(std::vector<std::string_view> fill) override { items.assign(fill.begin(), fill.end()); }
    int ListIndex() const override { return index; }
};

struct FakeButton : Placed<ButtonControl> {
    std::string toolTip;
    void SetToolTip(const std::string& text) override { toolTip = text; }
};

struct FakePicture : Placed<PictureControl> {
    std::string showing;            // a path, "<icon>", or empty
    std::set<std::string> damaged;  // there, but no picture
    std::vector<bool> visibility;   // every change, in order
    void ShowFirstPicture(std::vector<std::string> files) override {
        showing = "<icon>";
        for (const auto& file : files) {
            if (!damaged.count(file)) return void(showing = file);
        }
    }
    void SetVisible(bool v) override { visibility.push_back(v); }
};

// A whole Tarvo over the fakes.
struct FakeTarvo {
    FakeServices services;
    FakeWindow window;
    FakeList list1;
    FakeButton command1;
    FakePicture image1;
    frmPindle form{services, FormControls{window, list1, command1, image1}};

    frmPindle::LoadResult Load() { return form.Form_Load(); }
    void Select(int k) {  // the user selects display entry k
        list1.index = k;
        form.List1_Click();
    }
};

}  // namespace tarvo::testing
