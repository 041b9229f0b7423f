#pragma once
// What the window contract needs of a front end: Tarvo shown over a scratch
// folder, driven as the user drives it, and read back as the user sees it.
// Each front end's test program implements it once, on its real widgets.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ui/pad_input.h"

namespace tarvo::testing {

namespace fs = std::filesystem;

inline fs::path Native(const std::string& utf8) { return fs::u8path(utf8).make_preferred(); }

// A file of the source or build tree (a path as CMake gives it), as this
// platform names it (under Wine: on drive Z:), and its bytes.
inline std::string TreePath(const std::string& path) {
#ifdef _WIN32
    return Native("Z:" + path).u8string();
#else
    return path;
#endif
}
inline std::string ReadTreeFile(const std::string& path) {
    std::ifstream in(Native(TreePath(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
// A picture file of tests/data, as bytes.
inline std::string TestPicture(const std::string& name) { return ReadTreeFile(std::string(TARVO_TEST_DATA) + "/" + name); }
// The slow share the suite mounted (share/ and drops/), a path of the
// tree; empty where there is none.
inline std::string SlowShare() {
    return fs::exists(Native(TreePath(TARVO_SLOW_SHARE "/share/.ready"))) ? TARVO_SLOW_SHARE : "";
}

// A scratch folder for one test, removed afterwards. Paths are UTF-8 with the
// platform's own separator; "roms/a.nes" works everywhere.
class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const fs::path root = fs::temp_directory_path() / ("tarvo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        fs::create_directories(root);
        root_ = root.u8string();
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::permissions(Native(root_), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(Native(root_), ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string operator/(const std::string& relative) const { return (Native(root_) / Native(relative)).u8string(); }
    // Creates the file and its folders.
    void Write(const std::string& relative, const std::string& contents, bool executable = false) const {
        const fs::path file = Native(*this / relative);
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
        if (executable) fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
    }
    std::string Read(const std::string& relative) const {  // empty when missing
        std::ifstream in(Native(*this / relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Remove(const std::string& relative) const {
        std::error_code ignored;
        fs::remove(Native(*this / relative), ignored);
    }

private:
    std::string root_;
};

enum class Control { Window, List, Play, Picture, Icon };
enum class Key { Tab, Up, Down, Space, Enter, Escape, F5, F3 };
enum Modifier { kNone = 0, kShift = 1, kCtrl = 2 };

struct Box {
    int left, top, width, height;
    bool operator==(const Box& o) const { return left == o.left && top == o.top && width == o.width && height == o.height; }
};

struct Colour {
    int red, green, blue;
    bool operator==(const Colour& o) const { return red == o.red && green == o.green && blue == o.blue; }
};
inline std::ostream& operator<<(std::ostream& out, const Colour& c) {
    return out << "rgb(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

struct Image {
    int width = 0, height = 0;
    std::vector<Colour> pixels;  // row by row
    Colour At(double x, double y) const {  // x, y: fractions of the size
        return pixels.empty() ? Colour{-1, -1, -1}
                              : pixels[std::size_t(int(y * (height - 1)) * width + int(x * (width - 1)))];
    }
};

// What a screen reader is told of the window, as it asks.
struct Heard {
    bool windowIsFrame = false, listIsList = false;  // the roles
    std::string list;               // the list's name
    std::size_t count = 0;          // its rows
    std::vector<std::string> rows;  // the names of the first rows
    std::string selected;           // of the row whose state says so; "" for none
    std::string play, picture;      // Play's description, the picture's name
    std::string description;        // the list's
    std::string find, findCount;    // the find line's name and description, while it is open
};

// What a screen reader keeps of what Tarvo told it: the objects, and how
// many of them as visible.
struct Kept {
    std::size_t objects = 0, visible = 0;
    bool operator==(const Kept& other) const { return objects == other.objects && visible == other.visible; }
};
inline std::ostream& operator<<(std::ostream& out, const Kept& k) {
    return out << k.objects << " kept, " << k.visible << " of them visible";
}

// The list walked as Orca walks it: each row's role, to count the items,
// then the rows from the top for the focused one.
struct Walked {
    std::size_t items = 0;
    std::string focused;
    // The focused row's states, in words both platforms share, sorted:
    // "available focusable focused ..."; any other state by its own name.
    std::string states;
    double seconds = 0;
};

class WindowDriver {
public:
    virtual ~WindowDriver() {
        // The stand-in emulators still playing see this before the folder goes.
        folder.Write("app/end-all", "");
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }

    // app/ (holding a blue logo), roms/ and shots/, which the settings name.
    ScratchFolder folder;
    std::string exe;  // how the platform's programs end: ".exe" or nothing

    // The stand-in emulator, put into app/ under this name plus exe. It
    // adds to app/launched.txt its parameters (Linux: its arguments, "|"
    // between them) and its working folder, a line each; then it plays, in
    // a window of its own on Windows, until app/<N>.end appears (N: its
    // parameters after the last separator) and then writes app/<N>.ended.
    // Asked politely to end (SIGTERM; WM_CLOSE to its window), it ends,
    // unless app/stubborn is there. With app/fail holding "<code> <seconds>",
    // it prints two lines to its standard error, the last "<N>: cannot be
    // run", and exits with that code after that long.
    std::string Emulator(const std::string& name) {
        folder.Write("app/" + name + exe, recorder, true);
        return folder / ("app/" + name + exe);
    }
    // Asked for its titles (-listfull), the stand-in emulator adds its
    // process id to app/asked.pid, waits for app/answer-now, prints
    // app/listfull and exits with the number in app/listfull.status (0);
    // asked for its machines (-listxml ...), it waits for app/answer-now
    // too, prints app/listxml and exits with the number in app/listxml.status.
    // A launcher under this name: it starts the stand-in emulator, as
    // app/game, in a session of its own, and ends at once.
    std::string Launcher(const std::string& name) {
        Emulator("game");
        folder.Write("app/" + name + exe, launcher, true);
        return folder / ("app/" + name + exe);
    }
    // What the stand-in emulators received since the last look: for each
    // start its parameters, a line break, its working folder, joined by line
    // breaks. Waits up to five seconds for one; empty when none started.
    std::string Launched(bool wait = true) {
        auto lines = [&] { const std::string all = folder.Read("app/launched.txt"); return std::count(all.begin(), all.end(), '\n'); };
        WaitUntil([&] { return lines() >= 2; }, wait ? 5000 : 0);
        const std::string record = folder.Read("app/launched.txt");
        folder.Remove("app/launched.txt");
        if (!record.empty()) WaitUntil([&] { return !Starting(); }, 2000);  // the start is told as the game begins
        return record.substr(0, record.empty() ? 0 : record.size() - 1);
    }
    // Ends the game of that name; false when no emulator was playing it.
    bool EndEmulator(const std::string& name) {
        folder.Write("app/" + name + ".end", "");
        const bool ended = WaitUntil([&] { return fs::exists(Native(folder / ("app/" + name + ".ended"))); }, 5000);
        folder.Remove("app/" + name + ".end");
        folder.Remove("app/" + name + ".ended");
        return ended;
    }

    // A setting of the per-user store, in the section (Settings, or an
    // emulator's), until the driver ends.
    virtual void UseSetting(const std::string& section, const std::string& key, const std::string& value) = 0;
    // The ROM and screenshot folder settings, folder/roms and folder/shots
    // unless a test says otherwise (folders of the tree).
    void UseRoms(const std::string& roms, const std::string& shots = "") {
        UseSetting("Settings", "roms", TreePath(roms));
        UseSetting("Settings", "shots", shots.empty() ? folder / "shots" : TreePath(shots));
    }
    // Tarvo as the user sees it after a start: its window shown and, unless
    // it may be still at it, its folder read.
    virtual void Show(const std::string& commandLine, bool listRead = true) = 0;

    virtual void Click(int row, int modifiers = kNone) = 0;
    virtual void DoubleClick(int row) = 0;  // -1: below the last row
    virtual void ClickPlay() = 0;
    virtual void DoubleClickPicture() = 0;
    // To whatever has the focus; again and again, as fast as keys come.
    virtual void Press(Key key, int modifiers = kNone, int times = 1) = 0;
    // A key pressed, and how long the window took to handle it (ms).
    virtual double Handling(Key key) = 0;
    virtual void Type(const std::string& letters) = 0;       // the same, as fast as keys come
    virtual void Resize(int width, int height) = 0;  // the client area, in pixels
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    virtual void Deactivate() = 0;  // another window becomes the active one
    // The stand-in pad held so for that long (then as it is until the next).
    virtual void Pad(const PadState& state, int milliseconds = 150) = 0;

    virtual std::vector<std::string> Rows() = 0;  // once the folder is read
    virtual int Selected() = 0;  // -1: none
    virtual Control Focused() = 0;
    virtual std::string Text(Control control) = 0;     // the caption; "" for none
    virtual std::string ToolTip(Control control) = 0;  // "" for none
    virtual std::pair<double, bool> Font(Control control) = 0;  // points, bold
    virtual Box Rectangle(Control control) = 0;  // Window: its client area
    virtual Image Grab(Control control) = 0;     // Icon: the window's icon
    virtual bool Minimized() = 0;
    virtual bool Reading() = 0;  // the ROM folder is being read
    virtual bool Starting() = 0;  // a start is being checked and made
    virtual double PeakMegabytes() = 0;  // the most memory this process has held
    virtual int Threads() = 0;           // of this process, now
    virtual bool Running(int pid) = 0;   // a process of that id runs, not ended
    virtual bool Active() = 0;
    virtual bool Open() = 0;

    // A screen reader can listen here (Linux: an accessibility bus).
    virtual bool Listening() = 0;
    virtual Heard Told(int rows) = 0;
    // Once the window has told the screen reader what it tells of its own.
    virtual Walked WalkedAsAReaderDoes() = 0;
    // Once it is all told: the objects a screen reader keeps because Tarvo
    // told them (Linux: AT-SPI's cache, added and not yet removed), and how
    // many it keeps as visible; none where a reader is told nothing to keep
    // (MSAA).
    virtual std::optional<Kept> ObjectsAReaderKeeps() = 0;
    // The name of what last took the focus, as a screen reader is told,
    // once it is the awaited one or the time is up; the next call hears
    // only what comes after.
    virtual std::string FocusTold(const std::string& awaited, int milliseconds) = 0;
    // The names of all that took the focus since the last of these calls, in turn.
    virtual std::vector<std::string> FocusesTold() = 0;
    // The system's colours of windows and their text (a theme) until the
    // driver ends.
    virtual void UseSystemColours(Colour window, Colour text) = 0;

    // The text of the message box the action brings up ("wrong box: ..." for
    // one not titled "Tarvo"); OK is pressed.
    virtual std::string MessageDuring(const std::function<void()>& action) = 0;
    // A real second Tarvo process; its exit code, or -1 while it still runs.
    virtual int SecondStart(const std::string& commandLine) = 0;
    // A real Tarvo process held at its start-up message, until the driver ends.
    virtual void StartOneHeldAtItsMessage() = 0;

    // Lets the window work until the condition holds or the time is up.
    virtual bool WaitUntil(const std::function<bool()>& done, int milliseconds) = 0;

protected:
    std::string recorder, launcher;  // the stand-in emulator and its launcher, as bytes
};

std::unique_ptr<WindowDriver> MakeWindowDriver();

}  // namespace tarvo::testing
