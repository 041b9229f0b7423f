// The whole window over in-memory stand-ins for the system and the widgets,
// with Windows conventions or Linux ones: start-up, the ROM list, the
// picture, the layout, the launch, back from the game.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/frm_pindle.h"
#include "launch/program_runs.h"
#include "text/gamelist.h"
#include "text/machine_list.h"
#include "text/utf8.h"
#include "text/paths.h"
#include "ui/design.h"
#include "ui/layout.h"

namespace tarvo {
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}
}  // namespace tarvo

namespace tarvo::testing {
namespace {

struct FakeFile {
    std::uint64_t length = 1;
    bool hidden = false, executable = false;
};

template <class Map>
std::optional<typename Map::mapped_type> Find(const Map& map, const std::string& key) {
    const auto it = map.find(key);
    return it == map.end() ? std::nullopt : std::optional<typename Map::mapped_type>(it->second);
}

// A picture as the fakes decode it: the file it came from.
struct FakePicture : Picture {
    explicit FakePicture(std::string from) : path(std::move(from)) {}
    std::string path;
};

// The system in memory: settings, files, the instance and the clock, and
// what the ports that wait would do, done at once or when a test says.
class FakeServices : public Settings, public Files, public Instance, public Clock, public PictureDecoder {
public:
    Host host{'\\', true, "C:\\Front", ""};  // Windows unless a test says otherwise
    std::map<std::string, std::string> settings;
    std::map<std::string, FakeFile> files;  // by full path; a text file's text in texts
    std::map<std::string, std::string> texts;
    std::set<std::string> unreadableFolders, goneFolders, damaged;
    bool previousInstance = false;
    std::vector<std::string> handed;
    std::int64_t clock = 0, tick = 1000;  // by default each reading is a second on: nothing settles

    void UseLinux() { host = {'/', false, "/opt/tarvo", host.commandLine}; }
    void AddFile(const std::string& path, std::uint64_t length = 1) { files[path].length = length; }

    std::map<std::string, std::map<std::string, std::string>> sections;  // the emulators' own, as written
    std::size_t settingReads = 0, settingReadsBeside = 0;  // all, and those on the picture's worker
    std::optional<std::string> Read(const std::string& section, const std::string& key) override {
        ++settingReads;
        if (section == "Settings") return Find(settings, key);
        const std::optional<std::string> written = Section(section);
        return written ? Find(sections[*written], key) : std::nullopt;
    }
    std::optional<std::string> Section(const std::string& name) override {
        for (const auto& [written, keys] : sections) {
            if (EqualsIgnoreCase(written, name)) return written;
        }
        return std::nullopt;
    }
    std::optional<std::string> ReadFile(const std::string& path, std::uint64_t) override { return Find(texts, path); }
    bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const GoOn&, bool* holdsFiles) override {
        const std::string prefix = WithTrailingSeparator(folder, host.separator);
        if (holdsFiles) *holdsFiles = false;
        if (unreadableFolders.count(prefix)) return false;
        bool exists = false;
        // Newest names first: nothing may rely on the order of a listing.
        for (auto it = files.rbegin(); it != files.rend(); ++it) {
            if (it->first.compare(0, prefix.size(), prefix) != 0) continue;
            exists = true;
            const std::string name = it->first.substr(prefix.size());
            if (name.find(host.separator) != std::string::npos || it->second.hidden) continue;
            if (holdsFiles) *holdsFiles = true;
            if (patterns.Matches(name)) names.Add(name);
        }
        return exists;
    }
    std::optional<std::uint64_t> FileLength(const std::string& path) override {
        return files.count(path) ? std::optional<std::uint64_t>(files[path].length) : std::nullopt;
    }
    bool IsExecutableFile(const std::string& path) override { return files.count(path) && files[path].executable; }
    bool IsWindowsProgram(const std::string&) override { return false; }
    bool FolderExists(const std::string& path) override { return !goneFolders.count(path); }
    bool AnotherIsRunning() override { return previousInstance; }
    void HandCaption(const std::string& caption) override { handed.push_back(caption); }
    std::int64_t Now() override { return clock += tick; }
    std::unique_ptr<Picture> Decode(const std::string& path, const PictureLimits&) override {
        return damaged.count(path) ? nullptr : std::make_unique<FakePicture>(path);
    }

    // The folder reader: each reading done at once, unless a test finishes it later, as a share would.
    FolderListener* folders = nullptr;
    std::vector<FolderReading> readings;
    bool readAtOnce = true;
    // Reports the reading done; after `most` names, as a share that drops.
    void Finish(const FolderReading& reading, std::size_t most = SIZE_MAX) {
        NameList all;
        FolderListing listing;
        ListFiles(reading.folder, WildcardSet(reading.patterns), all, {}, &listing.holdsFiles);
        for (std::size_t i = 0; i < all.size() && i < most; ++i) listing.names.Add(all[i]);
        // What the reader does next, as it does it.
        KeepOneRowPerGame(listing.names, reading, *this, NeverCancelled());
        folders->FolderRead(reading.ticket, std::move(listing));
        if (auto games = FirstGameList(reading, *this, NeverCancelled())) folders->GameListRead(reading.ticket, games);
    }
    // The picture reader: what each reading found, told at once unless held.
    PictureListener* pictures = nullptr;
    std::map<std::uint64_t, FoundPicture> found;
    std::vector<std::string> candidates;  // of the last reading
    bool holdPictures = false;
    std::string Found(std::uint64_t ticket) {
        const auto& picture = found.at(ticket).picture;
        return picture ? static_cast<const FakePicture&>(*picture).path : "<icon>";
    }
    // The programs: each start checked and made at once, unless a test leaves it pending.
    ProgramListener* programs = nullptr;
    std::vector<StartRequest> starts;
    std::optional<StartResult> nextStart = StartResult::Started(true);  // none: pending
    std::vector<Question> questions, machineQuestions;
    MachineList::Wanted machinesWanted;  // by the last of them
    std::string endings;  // 'p' asked politely, 'f' forced, in order

    Ports MakePorts() {
        struct Folders : FolderReader {
            FakeServices& s;
            explicit Folders(FakeServices& services) : s(services) {}
            void Read(const FolderReading& reading) override {
                s.readings.push_back(reading);
                if (s.readAtOnce) s.Finish(reading);
            }
        };
        struct Pictures : PictureReader {
            FakeServices& s;
            explicit Pictures(FakeServices& services) : s(services) {}
            void Read(std::uint64_t ticket, PictureCandidates wanted, const PictureLimits& limits) override {
                const std::size_t reads = s.settingReads;
                s.candidates = wanted();  // the settings read there, beside the window's thread
                s.settingReadsBeside += s.settingReads - reads;
                s.found[ticket] = FirstPicture(s.candidates, limits, s, s, NeverCancelled());
                if (!s.holdPictures) s.pictures->PictureRead(ticket, s.found[ticket]);
            }
        };
        struct Starts : Programs {
            FakeServices& s;
            explicit Starts(FakeServices& services) : s(services) {}
            void Start(const StartRequest& request) override {
                StartRequest made = request;
                std::string why = WhyItCannotStart(made, s, s.host.separator, NeverCancelled());
                if (why.empty()) why = FillInParameters(made, s.host.separator, nullptr);
                if (!why.empty()) return s.programs->StartFinished(request, StartResult::Failed(why));
                s.starts.push_back(made);
                if (s.nextStart) s.programs->StartFinished(request, *s.nextStart);
            }
            void EndGames(bool forced) override { s.endings += forced ? 'f' : 'p'; }
            void Ask(const Question& question) override { s.questions.push_back(question); }
            void AskMachines(const Question& question, MachineList::Wanted wanted) override {
                s.machineQuestions.push_back(question);
                s.machinesWanted = std::move(wanted);
            }
        };
        return {*this, *this, *this, *this,
                [this](FolderListener& l) { return folders = &l, std::make_unique<Folders>(*this); },
                [this](PictureListener& l) { return pictures = &l, std::make_unique<Pictures>(*this); },
                [this](ProgramListener& l) { return programs = &l, std::make_unique<Starts>(*this); }};
    }
};

struct FakeWindow : FormWindow {
    std::string caption = "Tarvo - Generic Frontend by Quillan";
    float clientWidth = 7380, clientHeight = 4995;
    bool minimized = false, hidden = false, shown = false, filled = false;
    bool tellsMinimised = true;  // Wayland does not
    int restored = 0;
    std::string activationToken;  // the last restore's
    std::vector<std::string> messages;
    std::function<void()> whileTheMessageShows;
    std::vector<FormTimer> timers;
    int padsEveryMs = 0;  // as the pads' timer was last started
    bool inputWaiting = false;
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& text) override { caption = text; }
    float ClientWidth() const override { return clientWidth; }
    float ClientHeight() const override { return clientHeight; }
    void Show(bool fillScreen) override { shown = true, filled = fillScreen; }
    void Minimize() override { minimized = true; }
    void Hide() override { hidden = true; }
    bool IsAway() const override { return (minimized && tellsMinimised) || hidden; }
    void Restore(const std::string& token) override { minimized = hidden = false, ++restored, activationToken = token; }
    void Unload() override { ++unloads; }
    int unloads = 0;
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        if (whileTheMessageShows) whileTheMessageShows();
    }
    void StartTimer(FormTimer timer, int ms) override {
        timers.push_back(timer);
        if (timer == FormTimer::Pads) padsEveryMs = ms;
    }
    bool InputWaiting() const override { return inputWaiting; }
};

template <class Control>
struct Placed : Control {
    Rect bounds{};
    Rect Bounds() const override { return bounds; }
    void SetBounds(const Rect& r) override { bounds = r; }
};

struct FakeList : Placed<ListBoxControl> {
    std::vector<std::string> items;
    std::string placeholder, description;
    int index = -1;
    bool focused = false;
    std::vector<Key> keys;
    void Clear() override { items.clear(), index = -1; }
    void SetFocus() override { focused = true; }
    void KeyDown(Key key) override { keys.push_back(key); }
    void AddItems(const std::vector<std::string_view>& fill) override { items.assign(fill.begin(), fill.end()); }
    int ListIndex() const override { return index; }
    void SetListIndex(int row) override { index = row; }
    void SetPlaceholder(const std::string& text) override { placeholder = text; }
    void SetDescription(const std::string& text) override { description = text; }
};

struct FakeButton : Placed<ButtonControl> {
    std::string toolTip, description;
    bool HasFocus() const override { return true; }
    void SetToolTip(const std::string& text) override { toolTip = text; }
    void SetDescription(const std::string& text) override { description = text; }
};

struct FakeImage : Placed<PictureControl> {
    std::string showing;            // a path, "<icon>", or empty
    std::string name;               // what a screen reader calls it
    std::vector<bool> visibility;   // every change, in order
    void Show(std::shared_ptr<Picture> picture) override {
        showing = picture ? static_cast<const FakePicture&>(*picture).path : "<icon>";
    }
    PixelSize Screen() const override { return {1920, 1080}; }
    void SetName(const std::string& text) override { name = text; }
    void SetVisible(bool v) override { visibility.push_back(v); }
};

struct FakePads : PadReader {
    int reads = 0;
    std::vector<PadState> held;  // the pads as they are
    std::vector<PadState> Read() override { return ++reads, held; }
};

// A whole Tarvo over the fakes, started with this command line.
struct FakeFind : Placed<FindLineControl> {
    bool visible = false, focused = false;
    int clears = 0, told = 0;
    std::string description;
    void SetVisible(bool shown) override { visible = shown; }
    void SetFocus() override { focused = true; }
    void Clear() override { ++clears; }
    void SetDescription(const std::string& text) override { description = text, ++told; }
};

struct FakeTarvo {
    explicit FakeTarvo(const std::string& line = "", bool linux = false) {
        if (linux) services.UseLinux();
        services.host.commandLine = line;
    }
    FakeServices services;
    FakeWindow window;
    FakeList list1;
    FakeButton command1;
    FakeImage image1;
    FakePads pads;
    FakeFind find;
    std::unique_ptr<frmPindle> made;
    frmPindle& form() {
        if (!made) made = std::make_unique<frmPindle>(services.host, services.MakePorts(), FormControls{window, list1, command1, image1, pads, find});
        return *made;
    }
    FakeTarvo(const FakeTarvo&) = delete;

    frmPindle::LoadResult Load() { return form().Form_Load(); }
    void Select(int k) {  // the user selects display entry k
        list1.index = k;
        form().List1_Click();
    }
};

const std::string kCaption = "Tarvo - Generic Frontend by Quillan";
const char* kEnds = nullptr;  // the message is shown and the program ends

TEST(StartUp, RecognisesTheEmulatorOfTheCommandLineOrAdoptsOneBesideTarvo) {
    using Files = std::vector<std::pair<std::string, FakeFile>>;
    struct Case { bool linux; const char* line; const char* emu; const char* path; const char* suffix; const char* pattern; int mode; Files files = {}; };
    const char* const kZsnes = "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2";
    const Case cases[] = {
        {false, "C:\\Emu\\ZSNESW.EXE", nullptr, "C:\\Emu\\ZSNESW.EXE", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
        {false, "C:\\Emu\\zsnes.exe", nullptr, "C:\\Emu\\zsnes.exe", " - ZSNES", kZsnes, 0},
        {false, "D:\\mame\\mame32.exe", nullptr, "D:\\mame\\mame32.exe", " - MAME32", "*.zip", 1},
        {false, "C:\\Emu\\space.exe", nullptr, "C:\\Emu\\space.exe", " - Ace", "*.zip", 1},
        {false, "C:\\Emu\\KGENS.EXE", nullptr, "C:\\Emu\\KGENS.EXE", " - Gens", "*.zip;*.gen;*.smd;*.bin;*.zsg;*.iso;*.raw", 0},
        {false, "C:\\ngp\\neopocott.exe", nullptr, "C:\\ngp\\neopocott.exe", " - NeoPocott", "*.*", 0},  // pattern untouched
        // Quotes around the whole path go; blanks stay.
        {false, "\"C:\\My Emus\\nestopia.exe\"", nullptr, "C:\\My Emus\\nestopia.exe", " - Nestopia", "*.nes;*.zip", 0},
        {false, "C:\\My Emus\\nestopia.exe", nullptr, "C:\\My Emus\\nestopia.exe", " - Nestopia", "*.nes;*.zip", 0},
        {false, "\"\"fceu.exe\"", nullptr, "\"fceu.exe", " - FCE Ultra", "*.nes;*.zip", 0},
        // Anything after the name: no row; the emu setting (or the message) instead.
        {false, "C:\\Emu\\zsnesw.exe ", "D:\\Any Emu\\run.exe", "D:\\Any Emu\\run.exe", "", "*.*", 0},
        {false, "\"C:\\Emu\\zsnesw.exe\" game.smc", "D:\\e.exe", "D:\\e.exe", "", "*.*", 0},
        {false, "C:\\Emu\\zsnesw.exe.lnk", "D:\\e.exe", "D:\\e.exe", "", "*.*", 0},
        {false, "C:\\Emu\\zsnesw.exe.lnk", nullptr, kEnds, "", "", 0}, {false, "", nullptr, kEnds, "", "", 0}, {false, "\"", nullptr, kEnds, "", "", 0},
        // Linux programs carry no ".exe": a whole file name counts.
        {true, "/usr/games/mame", nullptr, "/usr/games/mame", " - MAME", "*.zip", 1},
        {true, "/opt/emu/zsnesw.exe", nullptr, "/opt/emu/zsnesw.exe", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
        {true, "/opt/\xff\xfe emus/nestopia", nullptr, "/opt/\xff\xfe emus/nestopia", " - Nestopia", "*.nes;*.zip", 0},
        {true, "/usr/bin/changes", "/usr/bin/x", "/usr/bin/x", "", "*.*", 0}, {true, "/usr/games/mame64", "/usr/bin/x", "/usr/bin/x", "", "*.*", 0},
        // Nothing named: an emulator of Tarvo's own folder, in table order, never an empty file.
        {false, "", nullptr, "zsnes.exe", " - ZSNES", kZsnes, 0, {{"C:\\Front\\gens.exe", {}}, {"C:\\Front\\zsnes.exe", {}}}},
        {false, "", nullptr, "nester.exe", " - Nester", "*.nes;*.zip", 0, {{"C:\\Front\\zsnesw.exe", {0}}, {"C:\\Front\\nester.exe", {}}}},
        {false, "\"\"", nullptr, "fceu.exe", " - FCE Ultra", "*.nes;*.zip", 0, {{"C:\\Front\\fceu.exe", {}}}},
        // A named path never adopts; only a wildcard row replaces it, with a visible file.
        {false, "C:\\x\\missing.exe", nullptr, "C:\\Front\\Pagan2.exe", " - Pagan", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0,
         {{"C:\\Front\\zsnes.exe", {}}, {"C:\\Front\\Pagan2.exe", {}}}},
        {false, "C:\\x\\o.exe", nullptr, "C:\\Front\\yame_a.exe", " - YAME", "*.pce;*.rom;*.nes;*.gb;*.zip;*.lhz;*.sta;*.snd", 0,
         {{"C:\\Front\\TRWin2.exe", {}}, {"C:\\Front\\yame_b.exe", {}}, {"C:\\Front\\yame_a.exe", {}}, {"C:\\Front\\yame_0.exe", {1, true}}}},
        // On Linux a program this user may run, or a Windows one.
        {true, "", nullptr, "snes9x.exe", " - SNES9X", kZsnes, 0,
         {{"/opt/tarvo/zsnes", {}}, {"/opt/tarvo/snes9x", {1, false, true}}, {"/opt/tarvo/snes9x.exe", {}}}},
        {true, "", nullptr, "fceu", " - FCE Ultra", "*.nes;*.zip", 0, {{"/opt/tarvo/zsnes", {}}, {"/opt/tarvo/fceu", {1, false, true}}}},
    };
    for (const auto& c : cases) {
        FakeTarvo t(c.line, c.linux);
        if (c.emu) t.services.settings["emu"] = c.emu;
        for (const auto& [path, file] : c.files) t.services.files[path] = file;
        if (!c.path) {
            EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram) << c.line;
            // A program named but unknown is said to be so, with what to write.
            const std::string told = t.window.messages.empty() ? "" : t.window.messages[0];
            const bool named = *c.line && std::string(c.line) != "\"\"";
            EXPECT_EQ(told.rfind(named ? "Tarvo does not know the emulator" : "Specify the emulator full path", 0), 0u) << told;
            EXPECT_EQ(t.window.messages.size(), 1u);
            EXPECT_TRUE(t.list1.items.empty());
            continue;
        }
        EXPECT_EQ(t.Load(), frmPindle::LoadResult::Run) << c.line;
        EXPECT_EQ(t.form().EmulatorPath(), c.path) << c.line;
        EXPECT_EQ(t.command1.toolTip, c.path) << c.line;
        EXPECT_EQ(t.window.caption, kCaption + c.suffix) << c.line;
        EXPECT_EQ(t.form().File1().Pattern(), c.pattern) << c.line;
        EXPECT_EQ(t.form().LaunchMode(), c.mode) << c.line;
        EXPECT_TRUE(t.window.messages.empty());
    }
}

TEST(StartUp, ChoosesTheFolderOfTheFileList) {
    struct Case { const char* exeFolder; const char* setting; const char* path; };
    const Case cases[] = {
        {"C:\\Front", nullptr, "C:\\Front\\roms\\"}, {"E:\\", nullptr, "E:\\roms\\"},  // the default; one backslash at a root
        {"C:\\Front", "D:\\Roms", "D:\\Roms\\"},      {"C:\\Front", "D:\\Roms\\", "D:\\Roms\\"},
        {"C:\\Front", "D:\\Sparse", "C:\\Front\\"},   {"C:\\Front", "Q:\\Nowhere", "C:\\Front\\"},  // only a hidden file; none
        {"C:\\Front", "D:\\Locked", "C:\\Front\\"},   {"C:\\Front", "", "C:\\Front\\"},  // cannot be read; the root, no files
    };
    for (const auto& c : cases) {
        FakeTarvo t("C:\\Emu\\zsnesw.exe");
        t.services.host.executableFolder = c.exeFolder;
        for (const char* rom : {"C:\\Front\\roms\\a.smc", "E:\\roms\\a.smc", "D:\\Roms\\z.smc", "D:\\Locked\\a.smc"}) {
            t.services.AddFile(rom);
        }
        t.services.files["D:\\Sparse\\x.smc"].hidden = true;
        t.services.unreadableFolders.insert("D:\\Locked\\");
        if (c.setting) t.services.settings["roms"] = c.setting + std::string(1, '\0') + "\\junk";  // cut at the NUL
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        EXPECT_EQ(t.form().File1().Path(), c.path) << (c.setting ? c.setting : "no setting");
        const std::string exeFolder = c.exeFolder;
        EXPECT_EQ(t.form().AppFolder(), exeFolder.back() == '\\' ? exeFolder : exeFolder + "\\");
    }
}

TEST(StartUp, AnInstalledTarvoFindsDebiansEmulatorsAndTheRomsInTheHomeFolder) {
    // Installed in /usr/games for /home/me; files as they are there.
    struct Case {
        const char* line; std::vector<std::string> files; const char* roms; bool ini;
        const char* path; std::string emulator; const char* suffix; const char* pattern; std::string args; const char* told;
    };
    const std::string core = "/usr/lib/x86_64-linux-gnu/libretro/mgba_libretro.so";
    const Case cases[] = {
        {"/usr/games/nestopia", {"/home/me/ROMs/nes/a.nes"}, nullptr, false, "/home/me/ROMs/nes/", "/usr/games/nestopia", " - Nestopia", "*.nes;*.zip", "", ""},
        // Nothing there: the list says where to put them, and nothing of /usr/games is listed.
        {"/usr/games/nestopia", {"/usr/games/a.nes"}, nullptr, false, "/home/me/ROMs/nes/", "/usr/games/nestopia", " - Nestopia", "*.nes;*.zip", "", "No ROMs in ~/ROMs/nes (*.nes;*.zip)"},
        // MAME: its own rompath next, and the folder listed is the one it is told to look in.
        {"/usr/games/mame", {"/home/me/mame/roms/pacman.zip"}, nullptr, false, "/home/me/mame/roms/", "/usr/games/mame", " - MAME", "*.zip", "-rompath %ROMDIR% %ROM%", ""},
        {"/usr/games/mame", {"/home/me/mame/roms/pacman.zip", "/home/me/ROMs/arcade/a.zip"}, nullptr, false, "/home/me/ROMs/arcade/", "/usr/games/mame", " - MAME", "*.zip", "-rompath %ROMDIR% %ROM%", ""},
        {"/usr/games/mame", {"/home/me/mame/roms/pacman.zip"}, "~/arcade", false, "/home/me/arcade/", "/usr/games/mame", " - MAME", "*.zip", "-rompath %ROMDIR% %ROM%", "No ROMs in ~/arcade (*.zip)"},
        // One RetroArch, one entry per core; a section-free program by its name.
        {"retroarch-gba", {core, "/home/me/ROMs/gba/a.gba"}, nullptr, false, "/home/me/ROMs/gba/", "/usr/bin/retroarch", " - RetroArch (GBA)", "*.gba;*.zip", "-L " + core + " %ROM%", ""},
        {"/usr/games/fceux", {"/home/me/ROMs/nes/a.nes"}, nullptr, false, "/home/me/ROMs/nes/", "/usr/games/fceux", " - FCEUX", "*.nes;*.zip", "", ""},
        {"~/emus/nestopia", {"/home/me/ROMs/nes/a.nes"}, nullptr, false, "/home/me/ROMs/nes/", "/home/me/emus/nestopia", " - Nestopia", "*.nes;*.zip", "", ""},
        // Tarvo.ini beside it: a folder of its own, as ever.
        {"/usr/games/nestopia", {"/usr/games/a.nes"}, nullptr, true, "/usr/games/", "/usr/games/nestopia", " - Nestopia", "*.nes;*.zip", "", ""},
        // What cannot start says what it needs.
        {"retroarch-gba", {}, nullptr, false, nullptr, "needs its core " + core + ".\n\nInstall it with: sudo apt install libretro-mgba", "", "", "", ""},
        {"/usr/bin/retroarch", {}, nullptr, false, nullptr, "RetroArch needs a core to start a game. Name one in the \"args\" of a [retroarch] section in ~/.config/Tarvo/Tarvo.conf, "
         "for example:\n\n[retroarch]\npattern=*.nes;*.zip\nargs=-L /usr/lib/x86_64-linux-gnu/libretro/nestopia_libretro.so %ROM%", "", "", "", ""},
        {"", {"/usr/games/nestopia"}, nullptr, false, nullptr, "The menu has a \"Tarvo - ...\" entry for each emulator installed", "", "", "", ""},
        {"/opt/x/run", {}, nullptr, false, nullptr, "Tarvo does not know the emulator /opt/x/run. Give it a section [run] in ~/.config/Tarvo/Tarvo.conf", "", "", "", ""},
    };
    for (const Case& c : cases) {
        FakeTarvo t(c.line, true);
        t.services.host.executableFolder = "/usr/games";
        t.services.host.installed = true;
        t.services.host.home = "/home/me";
        t.services.host.settingsPlace = "~/.config/Tarvo/Tarvo.conf";
        for (const std::string& file : c.files) t.services.AddFile(file);
        if (c.ini) t.services.texts["/usr/games/Tarvo.ini"] = "[Settings]\n";
        if (c.roms) t.services.settings["roms"] = c.roms;
        if (!c.path) {
            EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram) << c.line;
            ASSERT_EQ(t.window.messages.size(), 1u) << c.line;
            EXPECT_NE(t.window.messages[0].find(c.emulator), std::string::npos) << t.window.messages[0];
            continue;
        }
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run) << c.line;
        EXPECT_EQ(t.form().File1().Path(), c.path) << c.line;
        EXPECT_EQ(t.form().EmulatorPath(), c.emulator) << c.line;
        EXPECT_EQ(t.window.caption, kCaption + c.suffix) << c.line;
        EXPECT_EQ(t.form().File1().Pattern(), c.pattern) << c.line;
        EXPECT_EQ(t.list1.placeholder, c.told) << c.line;  // and screen readers hear it
        EXPECT_EQ(t.list1.description, *c.told ? c.told : "No ROM selected") << c.line;
        if (t.list1.items.empty()) continue;
        t.Select(0);  // screenshots in the ROMs' media folder; the section's arguments at Play
        EXPECT_EQ(t.services.candidates.at(0).rfind(c.ini ? "/usr/games/shots/" : std::string(c.path) + "media/", 0), 0u) << c.line;
        t.form().Command1_Click();
        ASSERT_EQ(t.services.starts.size(), 1u) << c.line;
        EXPECT_EQ(t.services.starts[0].argsSetting, c.args) << c.line;
    }
}

TEST(StartUp, CleanNamesAreShownInTheirOrderAndTheFileStillStarts) {
    FakeTarvo t("C:\\Emu\\nestopia.exe");
    t.services.settings["names"] = "Clean";
    for (const char* rom : {"Legend of Zelda, The (USA).nes", "Metroid (USA).nes", "Tetris (Japan).nes", "Tetris (USA).nes"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    }
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"Metroid", "Tetris (Japan)", "Tetris (USA)", "The Legend of Zelda"}));
    t.Select(3);
    t.form().Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "C:\\Front\\roms\\Legend of Zelda, The (USA).nes");
}

TEST(FindLine, NarrowsToEveryWordTypedAndKeepsTheSelectionWhereItCan) {
    FakeTarvo t("C:\\Emu\\nestopia.exe");
    for (const char* rom : {"Mario Kart", "Ms. Pac-Man", "Pac-Man", "Pokémon Red", "Super Mario World", "Zelda"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom + ".nes");
    }
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    t.form().Form_Resize();
    const float height = t.list1.bounds.height;
    t.Select(4);  // Super Mario World
    EXPECT_TRUE(t.form().Form_KeyDown(Key::F3));
    EXPECT_TRUE(t.find.visible && t.find.focused);
    EXPECT_EQ(t.list1.bounds.height, height - design::kFindHeight);  // the line under the shortened list
    EXPECT_EQ(t.find.bounds.top, t.list1.bounds.top + t.list1.bounds.height);
    struct Step { const char* typed; std::vector<std::string> rows; int selected; const char* heard; };
    const Step steps[] = {
        {"mario", {"Mario Kart", "Super Mario World"}, 1, "2 of 6 ROMs"},  // still the selected ROM
        {"MARIO  world", {"Super Mario World"}, 0, "1 of 6 ROMs"},
        {"pokemon", {"Pokémon Red"}, 0, "1 of 6 ROMs"},                    // accents ignored, both ways
        {"POKÉ", {"Pokémon Red"}, 0, "1 of 6 ROMs"},
        {"pac-man", {"Ms. Pac-Man", "Pac-Man"}, 0, "2 of 6 ROMs"},         // words part at punctuation
        {"man pac", {"Ms. Pac-Man", "Pac-Man"}, 0, "2 of 6 ROMs"},
        {"xyz", {}, -1, "0 of 6 ROMs"},
        {"", {"Mario Kart", "Ms. Pac-Man", "Pac-Man", "Pokémon Red", "Super Mario World", "Zelda"}, 0, "6 of 6 ROMs"},
        {"a", {"Mario Kart", "Ms. Pac-Man", "Pac-Man", "Super Mario World", "Zelda"}, 0, "5 of 6 ROMs"},
        {"pac", {"Ms. Pac-Man", "Pac-Man"}, 0, "2 of 6 ROMs"},
    };
    for (const Step& step : steps) {
        const std::string before = t.find.description;
        const int told = t.find.told;
        t.form().Find_Change(step.typed);
        EXPECT_EQ(t.list1.items, step.rows) << step.typed;
        EXPECT_EQ(t.list1.index, step.selected) << step.typed;
        EXPECT_EQ(t.find.description, step.heard) << step.typed;
        EXPECT_EQ(t.find.told - told, before == step.heard ? 0 : 1) << step.typed << ": each new count told once";
    }
    t.list1.index = -1;  // nothing selected: Down from the line puts the player on the first match
    EXPECT_TRUE(t.form().Find_KeyDown(Key::Down));
    EXPECT_EQ(t.list1.index, 0);
    EXPECT_TRUE(t.form().Find_KeyDown(Key::PageDown));  // then the list moves itself, as for its own keys
    EXPECT_EQ(t.list1.keys, std::vector<Key>{Key::PageDown});
    EXPECT_FALSE(t.form().Find_KeyDown(Key::F5));
    t.Select(1);  // Pac-Man, in the narrowed list: Enter plays it
    t.form().Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "C:\\Front\\roms\\Pac-Man.nes");
    t.services.AddFile("C:\\Front\\roms\\Pac-Land.nes");
    t.form().RefreshList();  // F5: the new list, narrowed as before (a new reading selects anew)
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"Ms. Pac-Man", "Pac-Land", "Pac-Man"}));
    t.Select(1);
    EXPECT_TRUE(t.form().Form_KeyDown(Key::Escape));  // the whole list, the same ROM
    EXPECT_EQ(t.list1.items.size(), 7u);
    EXPECT_EQ(t.list1.items.at(static_cast<std::size_t>(t.list1.index)), "Pac-Land");
    EXPECT_FALSE(t.find.visible);
    EXPECT_EQ(t.list1.bounds.height, height);
    EXPECT_EQ(t.window.unloads, 0);
    t.form().Form_KeyDown(Key::F3);  // open again: empty, as the whole list it shows
    EXPECT_EQ(t.find.clears, 2);
    EXPECT_EQ(t.find.description, "7 of 7 ROMs");
    t.form().Form_KeyDown(Key::Escape);
    t.form().Form_KeyDown(Key::Escape);  // no find line: Esc closes Tarvo
    EXPECT_EQ(t.window.unloads, 1);
}

TEST(GameLists, PlayersNamesReplaceTheFileNamesInTheirOrderAndTheirPicturesComeFirst) {
    const std::string folder = "/home/me/ROMs/snes/";
    const std::string xml = "<?xml version=\"1.0\"?>\n<gameList>\n"
        "<game><path>./smw.sfc</path><name>Super Mario World</name><image>./media/smw.png</image></game>\n"
        "<game id=\"2\"><path>/home/me/ROMs/snes/zelda.sfc</path><name>Zelda &amp; Link&#39;s &#x263A;</name></game>\n"
        "<game><path>./beta.sfc</path><name>Beta</name><hidden>true</hidden></game>\n"
        "<game><path>./sub/x.sfc</path><name>In a subfolder</name></game>\n"
        "<game><path>./gone.sfc</path><name>No such ROM</name></game>\n"
        "<game><path>./plain.sfc</path></game>\n</gameList>\n";
    const std::optional<GameList> games = GameList::Parse(xml, folder);
    ASSERT_TRUE(games);
    EXPECT_EQ(games->Find("zelda.sfc")->name, "Zelda & Link's \u263A");
    EXPECT_EQ(games->Find("x.sfc"), nullptr);
    for (const std::string& broken : {xml.substr(0, xml.find("</game>", 300)), std::string("<html></html>"), std::string()}) {
        EXPECT_FALSE(GameList::Parse(broken, folder)) << broken.size();
    }
    std::string huge = "<gameList>";  // 50 MB of games, read whole
    while (huge.size() < (50u << 20)) huge += "<game><path>./r" + std::to_string(huge.size()) + ".sfc</path><name>N</name></game>";
    EXPECT_GT(GameList::Parse(huge + "</gameList>", folder)->size(), 500000u);

    FakeTarvo t("/usr/games/snes9x", true);
    t.services.settings["roms"] = folder;
    for (const char* rom : {"smw.sfc", "zelda.sfc", "beta.sfc", "gone-not.sfc", "plain.sfc"}) t.services.AddFile(folder + rom);
    t.services.texts[folder + "gamelist.xml"] = xml;
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"gone-not", "plain", "Super Mario World", "Zelda & Link's \u263A"}));
    t.Select(2);
    EXPECT_EQ(t.services.candidates.at(0), folder + "media/smw.png");
    t.form().Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, folder + "smw.sfc");  // the file started never changes
    t.services.texts[folder + "gamelist.xml"] = "<gameList><game><path>./smw.sfc</path>";  // broken: the file names
    t.form().RefreshList();
    EXPECT_EQ(t.list1.items.size(), 5u);
}

TEST(StartUp, TildeIsTheHomeFolderInEachPathSetting) {
    FakeTarvo t("/opt/x/unknown", true);
    t.services.host.home = "/home/me/";
    t.services.settings = {{"emu", "~/bin/emu"}, {"roms", "~"}, {"shots", "~/shots"}};
    t.services.AddFile("/home/me/a.nes");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    EXPECT_EQ(t.form().EmulatorPath(), "/home/me/bin/emu");
    EXPECT_EQ(t.form().File1().Path(), "/home/me/");
    t.Select(0);
    EXPECT_EQ(t.services.candidates.at(0).rfind("/home/me/shots/a.nes", 0), 0u);
    for (auto [written, read] : {std::pair{"~", "/h"}, {"~/x", "/h/x"}, {"~me/x", "~me/x"}, {"a/~/x", "a/~/x"}, {"", ""}}) {
        EXPECT_EQ(WithHomeFolder(written, "/h"), read) << written;
    }
    for (auto [path, shown] : {std::pair{"/h/x", "~/x"}, {"/h", "~"}, {"/hx/y", "/hx/y"}, {"/other", "/other"}}) {
        EXPECT_EQ(WithTilde(path, "/h/"), shown) << path;
    }
}

TEST(StartUp, ATarvoIniBesideTheProgramReplacesTheStoreItsRelativePathsFromThere) {
    struct Case { const char* ini; const char* roms; const char* shots; const char* emu; };
    const Case cases[] = {
        {nullptr, "D:\\Roms\\", "D:\\Shots\\", "D:\\Emu\\zsnesw.exe"},  // the store, as without
        {"[Settings]\nroms=roms\\snes\nshots=..\\media\nemu=..\\Emu\\zsnesw.exe\n", "E:\\Front\\roms\\snes\\",
         "E:\\Front\\..\\media\\", "E:\\Front\\..\\Emu\\zsnesw.exe"},
        {"\xEF\xBB\xBF[Settings]\r\nroms=F:\\Roms\r\nshots=\\\\nas\\shots\r\nemu=/x/zsnesw.exe\r\n", "F:\\Roms\\",
         "\\\\nas\\shots\\", "/x/zsnesw.exe"},  // absolute ones as written
        {"[Other]\nroms=F:\\Roms\n[Settings]\nemu=X:\\zsnesw.exe\n", "E:\\Front\\roms\\", "E:\\Front\\shots\\",
         "X:\\zsnesw.exe"},  // no key: the default, never the store
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.host.executableFolder = "E:\\Front";
        t.services.settings = {{"roms", "D:\\Roms"}, {"shots", "D:\\Shots"}, {"emu", "D:\\Emu\\zsnesw.exe"}};
        if (c.ini) t.services.texts["E:\\Front\\Tarvo.ini"] = c.ini;
        for (const char* file : {"D:\\Roms\\a.smc", "E:\\Front\\roms\\snes\\a.smc", "F:\\Roms\\a.smc", "E:\\Front\\roms\\a.smc"}) {
            t.services.AddFile(file);
        }
        const bool runs = t.Load() == frmPindle::LoadResult::Run;
        EXPECT_EQ(t.form().File1().Path(), c.roms) << (c.ini ? c.ini : "no Tarvo.ini");
        EXPECT_EQ(t.form().EmulatorPath(), c.emu);
        EXPECT_EQ(runs, *c.emu != '\0');
        if (!runs) continue;
        t.Select(0);
        EXPECT_EQ(t.services.candidates.front(), std::string(c.shots) + "a.smc.gif");
    }
}

TEST(StartUp, AnEmulatorsOwnSectionComesFirstAndNamesOneTheTableDoesNotKnow) {
    using Keys = std::map<std::string, std::string>;
    // Each case: a command line, the emulator's section as written, then what it takes: the caption's suffix,
    // the pattern, the ROM folder, the picture looked for first, what Play hands over (or why it cannot).
    struct Case { bool linux; const char* line; const char* section; Keys keys; const char* suffix, *pattern, *roms, *shot, *handed; };
    const Case cases[] = {
        {true, "/opt/retroarch/bin/retroarch", "RetroArch",
         {{"roms", "/r/nes"}, {"pattern", "*.nes;*.zip"}, {"args", "-L \"/usr/lib/cores/nestopia libretro.so\" %rom%"}},
         " - RetroArch", "*.nes;*.zip", "/r/nes/", "/opt/tarvo/shots/a.nes.gif", "-L|/usr/lib/cores/nestopia libretro.so|/r/nes/a.nes"},
        {true, "/usr/games/mame", "MAME", {{"roms", "/r/mame"}, {"shots", "/s/mame"}, {"args", "-rompath \"%ROMDIR%\" %BASENAME%"}},
         " - MAME", "*.zip", "/r/mame/", "/s/mame/a.zip.gif", "-rompath|/r/mame|a"},  // the table's row: settings added, nothing more
        {true, "/opt/dolphin/dolphin-emu", "dolphin-emu", {{"pattern", ""}, {"args", "-b -e \"%ROM%"}},
         " - dolphin-emu", "*.*", "/opt/tarvo/roms/", "/opt/tarvo/shots/a.nes.gif", "args has a quote that is never closed"},
        {true, "/opt/dolphin/dolphin-emu", "Settings", {{"roms", "/r/x"}}, "", "", "", "", ""},  // everyone's: no emulator's own
        {true, "/usr/bin/nestopia", "", {}, " - Nestopia", "*.nes;*.zip", "/opt/tarvo/roms/", "/opt/tarvo/shots/a.nes.gif",
         "/opt/tarvo/roms/a.nes"},  // no section: as ever
        {false, "C:\\Emu\\RetroArch.exe", "retroarch", {{"args", "-L cores\\nes.dll \"%ROMFILE%\""}, {"roms", "D:\\Nes"}},
         " - retroarch", "*.*", "D:\\Nes\\", "C:\\Front\\shots\\a.nes.gif", "-L cores\\nes.dll \"D:\\Nes\\a.nes\""},
    };
    for (const auto& c : cases) {
        FakeTarvo t(c.line, c.linux);
        if (*c.section) t.services.sections[c.section] = c.keys;
        for (const char* rom : {"/r/nes/a.nes", "/r/mame/a.zip", "/opt/tarvo/roms/a.nes", "/opt/tarvo/roms/a.zip", "D:\\Nes\\a.nes"}) {
            t.services.AddFile(rom);
        }
        if (!*c.suffix) {
            EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram) << c.line;
            continue;
        }
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run) << c.line;
        EXPECT_EQ(t.window.caption, kCaption + c.suffix) << c.line;
        EXPECT_EQ(t.form().File1().Pattern(), c.pattern) << c.line;
        EXPECT_EQ(t.form().File1().Path(), c.roms) << c.line;
        t.Select(0);
        EXPECT_EQ(t.services.candidates.front(), c.shot) << c.line;
        t.form().Command1_Click();
        if (t.services.starts.empty()) {
            ASSERT_EQ(t.window.messages.size(), 1u) << c.line;
            EXPECT_EQ(t.window.messages[0], "Could not start the emulator " + std::string(c.line) + ": " + c.handed);
            continue;
        }
        const StartRequest& made = t.services.starts.back();
        std::string handed;
        for (const std::string& argument : made.arguments) handed += (handed.empty() ? "" : "|") + argument;
        EXPECT_EQ(c.linux ? handed : made.parameters, c.handed) << c.line;
    }
}

TEST(StartUp, PlaySaysWhatItDoesAndTheListSaysWhenNothingIsSelected) {
    struct Case { bool linux; const char* line; const char* emu; const char* section; const char* said; };
    const Case cases[] = {
        {false, "C:\\Emu\\nestopia.exe", nullptr, nullptr, "Starts Nestopia with the selected ROM"},
        {false, "D:\\mame\\mame32.exe", nullptr, nullptr, "Starts MAME32 with the selected ROM"},
        {false, "C:\\Emu\\zsnesw.exe ", "D:\\Any Emu\\Run.EXE", nullptr, "Starts Run with the selected ROM"},
        {true, "/usr/games/dolphin-emu", nullptr, "Dolphin-Emu", "Starts Dolphin-Emu with the selected ROM"},
    };
    for (const auto& c : cases) {
        FakeTarvo t(c.line, c.linux);
        if (c.emu) t.services.settings["emu"] = c.emu;
        if (c.section) t.services.sections[c.section] = {};
        t.services.AddFile(c.linux ? "/opt/tarvo/roms/a.zip" : "C:\\Front\\roms\\a.zip");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run) << c.line;
        EXPECT_EQ(t.command1.description, c.said);
        EXPECT_EQ(t.list1.description, "No ROM selected") << c.line;
        t.Select(0);
        EXPECT_EQ(t.list1.description, "") << c.line;
        t.form().RefreshList();  // read again: whatever is selected then
        EXPECT_EQ(t.list1.description, t.list1.index < 0 ? "No ROM selected" : "") << c.line;
    }
}

TEST(StartUp, ASecondStartActivatesTheFirstByItsCaptionHiddenFromTheSearch) {
    FakeTarvo t("C:\\Emu\\zsnesw.exe");
    t.services.previousInstance = true;
    EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram);
    EXPECT_EQ(t.services.handed, std::vector<std::string>{kCaption + " - ZSNES"});
    EXPECT_EQ(t.window.caption, "!");  // its own window is never the one found
    EXPECT_TRUE(t.list1.items.empty() && t.command1.toolTip.empty());
}

TEST(Keys, TheFirstDownPlaysTheFirstRomAndAHeldF5NeverPilesReadingsUp) {
    FakeTarvo t("C:\\Emu\\nestopia.exe");
    for (const char* rom : {"b.nes", "a.nes", "\xF0\x9F\x8E\xAE Party.nes"}) t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    EXPECT_TRUE(t.form().Form_KeyDown(Key::Down));  // from Play, nothing selected: the first ROM, in the list
    EXPECT_TRUE(t.list1.focused);
    EXPECT_EQ(t.form().File1().FileName(), "a.nes");
    EXPECT_FALSE(t.form().Form_KeyDown(Key::Down));  // then the list's own
    t.form().List1_KeyPress(0xDFAE, 500);  // the first key half a character: nothing, not even the start of a prefix
    t.form().List1_KeyPress(U'b', 600);
    EXPECT_EQ(t.form().File1().FileName(), "b.nes");
    for (const char32_t control : {U'\t', U'\b', char32_t(0x7F), char32_t(0x85)}) {  // no text: the list's own
        EXPECT_FALSE(t.form().List1_KeyPress(control, 0)) << int(control);
    }
    t.form().List1_KeyPress(0xD83C, 2000);  // a character in two halves, as Windows types it
    t.form().List1_KeyPress(0xDFAE, 2001);
    EXPECT_EQ(t.form().File1().FileName(), "\xF0\x9F\x8E\xAE Party.nes");
    t.services.tick = 2000;  // keys passed on by a screen reader, without their time: the pause still counts
    t.form().List1_KeyPress(U'b', 0);
    t.form().List1_KeyPress(U'a', 0);
    EXPECT_EQ(t.form().File1().FileName(), "a.nes");
    t.services.tick = 1;
    t.services.readAtOnce = false;
    t.services.tick = 100;
    for (int press = 0; press < 15; ++press) t.form().Form_KeyDown(Key::F5);  // held 1.5 s: a reading a second
    EXPECT_EQ(t.services.readings.size(), 3u);
    t.services.Finish(t.services.readings.back());
    EXPECT_FALSE(t.form().Form_KeyDown(Key::F5));  // read: at once again
    EXPECT_EQ(t.services.readings.size(), 4u);

    t.window.minimized = true;  // another start: for this emulator, the window comes back
    t.form().Form_AnotherStart(kCaption + " - ZSNES");
    EXPECT_TRUE(t.window.minimized);
    t.list1.focused = false;
    t.form().Form_AnotherStart(kCaption + " - Nestopia");
    EXPECT_FALSE(t.window.minimized);
    EXPECT_TRUE(t.list1.focused);
}

TEST(Keys, EachKeyOfTheWindowWithNothingSelected) {
    // Esc closes, F5 reads again (the focused control still gets both);
    // Up and Down from anywhere put the player on the first ROM.
    struct Case { Key key; int unloads; std::size_t readings; bool taken; int selected; };
    const Case cases[] = {{Key::Escape, 1, 0, false, -1}, {Key::F5, 0, 1, false, -1}, {Key::Down, 0, 0, true, 0},
                          {Key::Up, 0, 0, true, 0},       {Key::PageDown, 0, 0, false, -1}, {Key::End, 0, 0, false, -1},
                          {Key::Other, 0, 0, false, -1}};
    for (const Case& c : cases) {
        FakeTarvo t("C:\\Emu\\nestopia.exe");
        t.services.AddFile("C:\\Front\\roms\\a.nes");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        const std::size_t readings = t.services.readings.size();
        const int key = static_cast<int>(c.key);
        EXPECT_EQ(t.form().Form_KeyDown(c.key), c.taken) << key;
        EXPECT_EQ(t.window.unloads, c.unloads) << key;
        EXPECT_EQ(t.services.readings.size() - readings, c.readings) << key;
        EXPECT_EQ(t.list1.index, c.selected) << key;
    }
}

TEST(RomList, OneRowPerGameOnDiscAndNoJunk) {
    FakeTarvo t("C:\\Emu\\ages.exe");
    for (const char* rom : {"Sonic CD.cue", "Sonic CD.bin", "._Sonic CD.cue", "Thumbs.db", "Shinobi.bin"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    }
    t.services.texts["C:\\Front\\roms\\Sonic CD.cue"] = "FILE \"Sonic CD.bin\" BINARY\n";
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"Shinobi", "Sonic CD"}));
}

TEST(RomList, VisibleMatchingFilesByNameThenSelectedByPosition) {
    FakeTarvo t("C:\\Emu\\nestopia.exe");
    for (const char* rom : {"c.zip", "B.zip", "game.zip", "game.nes", "A.nes", "a.nes", "notes.txt"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    }
    t.services.AddFile("C:\\Front\\roms\\empty.nes", 0);  // listed: only pictures need a length
    t.services.files["C:\\Front\\roms\\secret.nes"].hidden = true;
    t.services.AddFile("C:\\Front\\shots\\game.zip.gif");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"A", "a", "B", "c", "empty", "game", "game"}));
    EXPECT_EQ(t.form().File1().ListIndex(), -1);
    t.Select(6);
    EXPECT_EQ(t.form().File1().ListIndex(), 6);
    EXPECT_EQ(t.form().File1().FileName(), "game.zip");
    EXPECT_EQ(t.image1.showing, "C:\\Front\\shots\\game.zip.gif");
    t.Select(5);
    EXPECT_EQ(t.form().File1().FileName(), "game.nes");
    t.Select(7);  // out of range: nothing changes
    EXPECT_EQ(t.form().File1().FileName(), "game.nes");
    t.Select(-1);  // none: nothing to start
    EXPECT_EQ(t.form().File1().FileName(), "");
    for (const char* rom : {"Ülkü.nes", "ülkü b.nes", "ÉLAN.nes", "élan.nes", "Zelda.nes"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    }
    t.form().RefreshList();  // letter case ignored beyond ASCII too; equal names by their exact text
    EXPECT_EQ(std::vector<std::string>(t.list1.items.begin() + 7, t.list1.items.end()),
              (std::vector<std::string>{"Zelda", "ÉLAN", "élan", "ülkü b", "Ülkü"}));
}

TEST(Preview, TheFirstUsablePictureWins) {
    struct Case { std::vector<std::string> present, empty, damaged; std::string shown; };
    const Case cases[] = {
        {{"shots\\sonic.bin.jpg", "shots\\sonic.gif"}, {}, {}, "shots\\sonic.bin.jpg"}, {{"shots\\sonic.gif", "shots\\sonic.jpg"}, {}, {}, "shots\\sonic.gif"},
        {{"shots\\sonic.jpg"}, {"shots\\sonic.gif"}, {}, "shots\\sonic.jpg"},  // empty: passed over
        {{"shots\\sonic.gif", "logo.bmp"}, {}, {"shots\\sonic.gif"}, "logo.bmp"},  // damaged: passed over
        {{"logo.gif"}, {}, {}, "logo.gif"}, {{"shots\\logo.gif"}, {"logo.gif"}, {}, "<icon>"}, {{"logo.jpg"}, {}, {"logo.jpg"}, "<icon>"},
        {{"D:\\Pics\\sonic.jpg"}, {}, {}, "D:\\Pics\\sonic.jpg"},  // the shots setting, read at each selection
    };
    for (const auto& c : cases) {
        FakeTarvo t("C:\\Emu\\gens.exe");
        t.services.AddFile("C:\\Front\\roms\\sonic.bin");
        auto path = [](const std::string& p) { return p[1] == ':' ? p : "C:\\Front\\" + p; };
        for (const auto& p : c.present) t.services.AddFile(path(p));
        for (const auto& p : c.empty) t.services.AddFile(path(p), 0);
        for (const auto& p : c.damaged) t.services.damaged.insert(path(p));
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        t.image1.showing = "the previous ROM's picture";
        if (c.shown[1] == ':') t.services.settings["shots"] = "D:\\Pics";
        const std::size_t onTheWindowsThread = t.services.settingReads - t.services.settingReadsBeside;
        t.Select(0);
        EXPECT_EQ(t.image1.showing, c.shown[0] == '<' ? c.shown : path(c.shown)) << c.shown;
        // Read beside the window's thread: the settings may sit on a share.
        EXPECT_EQ(t.services.settingReads - t.services.settingReadsBeside, onTheWindowsThread);
        EXPECT_EQ(t.image1.name, c.shown[0] == '<' || c.shown.rfind("logo", 0) == 0 ? "No screenshot of sonic" : "Screenshot of sonic");
    }
}

TEST(Layout, TheListTakesAThirdOfTheRoundedWidth) {
    struct Case { float width; float list; float image; };
    const Case cases[] = {{7380, 2460, 4920},      {7381, 2460, 4921},      {7382, 2460, 4922}, {7383, 2461, 4922},
                          {1000.5f, 333, 667.5f}, {1001.5f, 334, 667.5f}, {2.5f, 0, 2.5f}};
    for (const auto& c : cases) {
        const ControlRects r = LayoutControls(c.width, 4995, {design::kList1, design::kImage1, design::kCommand1});
        EXPECT_EQ(r.list1, (Rect{0, 0, c.list, 4995})) << c.width;
        EXPECT_EQ(r.image1, (Rect{c.list, 0, c.image, 4245})) << c.width;
        EXPECT_EQ(r.command1, (Rect{c.list, 4245, c.image, 750})) << c.width;
    }
}

TEST(Layout, TooLowForTheButtonThePictureKeepsItsPlace) {
    FakeTarvo t;
    t.window.clientHeight = 600;
    t.command1.bounds = design::kCommand1;
    t.image1.bounds = {2460, 0, 4920, 4245};
    t.form().Form_Resize();
    EXPECT_EQ(t.list1.bounds, (Rect{0, 0, 2460, 600}));
    EXPECT_EQ(t.image1.bounds, (Rect{2460, 0, 4920, 4245}));
    EXPECT_EQ(t.command1.bounds, (Rect{2460, 4245, 4920, 750}));
    EXPECT_EQ(t.image1.visibility, (std::vector<bool>{false, true}));  // hidden while it moves
    t.window.clientWidth = t.window.clientHeight = 0;  // minimised
    t.form().Form_Resize();
    EXPECT_EQ(t.list1.bounds, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(t.command1.bounds, (Rect{0, 4245, 4920, 750}));
}

TEST(Launch, OnePressOneStartAndTheWindowComesBackWhenTheLastGameEnds) {
    // Each step: 's' Play with a start, 'u' one nobody can watch, 'f' one that fails, 'g' one while
    // Tarvo's own folder is gone, 'x' one while the ROM is gone, 'p' one left pending that 'S' starts or
    // 'F' fails; 'e' a game ends, 'r' the user restores the window, 'm' Play is pressed again while the
    // message shows.
    struct Case { const char* steps; int started; bool minimized; int restored; const char* why; };
    const Case cases[] = {
        {"s", 1, true, 0, ""},     {"f", 1, false, 0, "Access is denied."},
        {"p", 1, false, 0, ""},    {"pS", 1, true, 0, ""},  // the window carries on meanwhile
        {"pF", 1, false, 0, "No such file"},
        {"ss", 1, true, 0, ""},    {"psS", 1, true, 0, ""},  // minimised, or under way: one start
        {"pSs", 1, true, 0, ""},   {"mf", 1, false, 0, "Access is denied."},  // one message at a time
        {"g", 0, false, 0, "its working folder C:\\Front\\ is gone"},  // not the emulator's fault
        {"x", 0, false, 0, "the ROM a.smc is gone; F5 reads the folder again"},
        {"se", 1, false, 1, ""},   {"sre", 1, false, 0, ""},  // back, unless the user came back first
        {"srsee", 2, false, 1, ""}, {"srse", 2, true, 0, ""},  // only the last end
        {"fse", 2, false, 1, "Access is denied."},             // a failed start is no game
        {"ue", 1, true, 0, ""},
    };
    const std::map<char, std::optional<StartResult>> starts = {{'s', StartResult::Started(true)}, {'u', StartResult::Started(false)},
                                                {'f', StartResult::Failed("Access is denied.")}, {'g', StartResult::Started(true)},
                                                {'x', StartResult::Started(true)}, {'p', std::nullopt},
                                                {'S', StartResult::Started(true)}, {'F', StartResult::Failed("No such file")}};
    for (const auto& c : cases) {
        FakeTarvo t("C:\\Emu\\zsnesw.exe");
        t.services.AddFile("C:\\Front\\roms\\a.smc");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        t.Select(0);
        for (const char* step = c.steps; *step; ++step) {
            if (*step == 'g') t.services.goneFolders.insert("C:\\Front\\");
            if (*step == 'x') t.services.files.erase("C:\\Front\\roms\\a.smc");
            if (*step == 'm') t.window.whileTheMessageShows = [&] { t.form().Command1_Click(); };
            if (*step == 'S' || *step == 'F') {
                t.services.programs->StartFinished(t.services.starts.back(), *starts.at(*step));
            } else if (starts.count(*step)) {
                t.services.nextStart = starts.at(*step);
                t.form().Command1_Click();
            }
            if (*step == 'e') t.services.programs->ProgramEnded({}, 60000);
            if (*step == 'r') t.window.minimized = false, t.form().Form_Resize();
        }
        EXPECT_EQ(t.services.starts.size(), std::size_t(c.started)) << c.steps;
        EXPECT_EQ(t.window.minimized, c.minimized) << c.steps;
        EXPECT_EQ(t.window.restored, c.restored) << c.steps;
        EXPECT_EQ(t.list1.focused, c.restored > 0) << c.steps;  // the same ROM, the keys at hand
        EXPECT_EQ(t.list1.index, 0) << c.steps;
        EXPECT_EQ(t.window.messages, *c.why ? std::vector<std::string>{"Could not start the emulator C:\\Emu\\zsnesw.exe: " +
                                                                        std::string(c.why)}
                                             : std::vector<std::string>{}) << c.steps;
    }
}

// Tarvo with one ROM, active, and its game just started.
void StartAGame(FakeTarvo& t) {
    t.services.AddFile("C:\\Front\\roms\\a.smc");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    t.Select(0);
    t.form().Form_Activate();
    t.form().Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
}

TEST(Launch, AGameThatFailsAsItBeginsSaysWhy) {
    struct Case { ProgramOutcome outcome; std::int64_t lastedMs; const char* message; };
    const Case cases[] = {
        {{3, 0, "one\ntwo"}, 200, "The emulator zsnesw.exe ended at once (exit code 3): one\ntwo"},
        {{2, 0, ""}, 2999, "The emulator zsnesw.exe ended at once (exit code 2)."},
        {{0, 11, ""}, 500, "The emulator zsnesw.exe ended at once (signal 11)."},
        {{static_cast<int>(0xC0000135), 0, ""}, 500, "The emulator zsnesw.exe ended at once (exit code 0xC0000135)."},
        {{0, 0, "handed over"}, 100, ""},  // a launcher whose game runs on
        {{3, 0, "x"}, 3000, ""},           // a game, played, that failed as it ended
    };
    for (const auto& c : cases) {
        FakeTarvo t("C:\\Emu\\zsnesw.exe");
        StartAGame(t);
        t.services.programs->ProgramEnded(c.outcome, c.lastedMs);
        EXPECT_EQ(t.window.restored, 1) << c.message;
        EXPECT_EQ(t.window.messages, *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST(Pads, BackAndStartHeldDuringAGameEndIt) {
    // Each step, a tenth of a second: 'h' Back and Start held, 'b' Back only, 's' Start only, 'n' none;
    // 'e' the game ends (by the signal it was sent, at once), 'g' the time for a polite end is up.
    // What Tarvo asks of the games: 'p' to end, 'f' ended by force. A hold counts from the slow reading
    // before it was first seen.
    const std::string held(16, 'h');  // 1.5 s from the first to the last
    struct Case { const char* padquit; std::string steps; const char* endings; };
    const Case cases[] = {
        {"", held, "p"},   {"", std::string(11, 'h'), ""} /* 1 s */,  {"", held + "g", "pf"},  {"", held + "eg", "p"},
        {"", held + held, "p"},  // once for each hold
        {"", std::string(8, 'h') + "n" + std::string(8, 'h'), ""},  {"", std::string(16, 'b') + std::string(16, 's'), ""},
        {"OFF", held + "g", ""},
    };
    for (const auto& c : cases) {
        FakeTarvo t("C:\\Emu\\zsnesw.exe");
        if (*c.padquit) t.services.settings["padquit"] = c.padquit;
        t.services.tick = 100;
        StartAGame(t);
        const int readsBefore = t.pads.reads;
        t.form().Form_Timer(FormTimer::Pads);  // nothing held: four times a second; a button held: closely
        EXPECT_EQ(t.window.padsEveryMs, *c.padquit ? 16 : 250);
        for (const char step : c.steps) {
            const PadState back{false, false, false, false, false, step == 's' || step == 'h', 0, 0, 0, step == 'b' || step == 'h'};
            t.pads.held = {PadState{}, back};
            if (step == 'e') t.services.programs->ProgramEnded({0, 15, ""}, 2000);
            if (step == 'g') t.form().Form_Timer(FormTimer::GameEnds);
            t.form().Form_Timer(FormTimer::Pads);
            if (step != 'n' && step != 'e' && step != 'g') {
                EXPECT_EQ(t.window.padsEveryMs, 16) << c.steps;
            }
        }
        EXPECT_EQ(t.services.endings, c.endings) << c.steps;
        EXPECT_EQ(t.pads.reads > readsBefore, !*c.padquit) << c.steps;  // off: no pad is read during a game
        EXPECT_TRUE(t.window.messages.empty()) << c.steps;  // the end the player asked for is no failure
    }
}

TEST(Session, EachEventTakesTheGameOnItsWay) {
    // From each session, each event: the next, 's' the ROM starts, 'b' the window comes back.
    using S = Session;
    using E = SessionEvent;
    struct Row { S now; E event; S next; const char* does; };
    const Row rows[] = {
        {S::Idle, E::Play, S::Starting, "s"},          {S::Starting, E::Play, S::Starting, ""},
        {S::Away, E::Play, S::Away, ""},               // a key that waited, a reader's click, the pad
        {S::Starting, E::StartFailed, S::Idle, ""},    {S::Starting, E::Started, S::Away, ""},
        {S::Idle, E::Started, S::Idle, ""},            {S::Away, E::StartFailed, S::Away, ""},
        {S::Away, E::LastGameEnded, S::Idle, "b"},     {S::Idle, E::LastGameEnded, S::Idle, ""},  // the player came back first
        {S::Starting, E::LastGameEnded, S::Starting, ""},  // an earlier game, while the next starts
        {S::Away, E::AnotherStart, S::Idle, "b"},      {S::Idle, E::AnotherStart, S::Idle, "b"},  // minimised by the player
        {S::Starting, E::AnotherStart, S::Starting, "b"},
        {S::Away, E::UserCameBack, S::Idle, ""},       {S::Idle, E::UserCameBack, S::Idle, ""},
        {S::Starting, E::UserCameBack, S::Starting, ""},
    };
    for (const Row& row : rows) {
        const SessionStep step = NextSession(row.now, row.event);
        EXPECT_EQ(std::make_pair(step.next, std::string(step.start ? "s" : "") + (step.comeBack ? "b" : "")),
                  std::make_pair(row.next, std::string(row.does))) << int(row.now) << ' ' << int(row.event);
    }
}

TEST(Session, TarvoHidesWhereAWindowCannotComeBackFromMinimised) {
    struct Row { bool oneWindow, minimisedComeBack; GoingAway how; };
    for (const Row& row : {Row{false, true, GoingAway::Minimise}, Row{false, false, GoingAway::Hide},
                           Row{true, true, GoingAway::Hide}, Row{true, false, GoingAway::Hide}}) {
        Host host;
        host.oneWindowAtATime = row.oneWindow, host.minimisedWindowsComeBack = row.minimisedComeBack;
        EXPECT_EQ(HowToGoAway(host), row.how) << row.oneWindow << row.minimisedComeBack;
    }
}

TEST(Launch, TarvoGetsOutOfTheGamesWayAsTheDisplayAllowsAndKnowsItselfThatItIsAway) {
    // On X11 and Windows it minimises; on Wayland, where a minimised window neither comes back by itself
    // nor is told as minimised, it hides; under gamescope it fills the screen and hides.
    struct Case { const char* display; bool oneWindow, minimisedComeBack, filled, hidden; };
    const Case cases[] = {{"X11", false, true, false, false}, {"Wayland", false, false, false, true},
                          {"gamescope", true, false, true, true}};
    for (const Case& c : cases) {
        FakeTarvo t("C:\\Emu\\zsnesw.exe");
        t.services.host.oneWindowAtATime = c.oneWindow;
        t.services.host.minimisedWindowsComeBack = c.minimisedComeBack;
        t.window.tellsMinimised = c.minimisedComeBack;
        StartAGame(t);
        EXPECT_TRUE(t.window.filled == c.filled && t.window.hidden == c.hidden && t.window.minimized == !c.hidden) << c.display;
        if (c.hidden) t.window.hidden = false, t.form().Form_Resize(), t.window.hidden = true;  // Qt, as it hides
        t.form().Form_Activate();  // whatever the display tells, a game runs: Play and the pad start nothing
        t.form().Command1_Click();
        t.pads.held = {PadState{false, false, false, false, true}};  // A
        t.form().Form_Timer(FormTimer::Pads);
        t.pads.held.clear(), t.form().Form_Timer(FormTimer::Pads);
        EXPECT_EQ(t.services.starts.size(), 1u) << c.display;
        t.list1.focused = false;
        t.form().Form_AnotherStart(t.window.caption, "launcher-token-1");  // a second start, while away
        EXPECT_TRUE(!t.window.IsAway() && t.window.activationToken == "launcher-token-1" && t.list1.focused) << c.display;
        t.services.programs->ProgramEnded({}, 60000);  // back already: it stays as it is
        EXPECT_EQ(t.window.restored, 1) << c.display;
        t.form().Command1_Click();  // the player's again: the next game, and back after it
        EXPECT_EQ(t.services.starts.size(), 2u) << c.display;
        EXPECT_EQ(t.window.hidden, c.hidden) << c.display;
        t.list1.focused = false;
        t.services.programs->ProgramEnded({}, 60000);
        EXPECT_TRUE(!t.window.IsAway() && t.window.restored == 2 && t.window.activationToken.empty()) << c.display;
        EXPECT_TRUE(t.list1.focused && t.list1.index == 0) << c.display;  // the same ROM, the keys at hand
    }
}

TEST(RomList, AFolderOnASlowShareShowsTheWindowAtOnceAndItsListWhenRead) {
    for (bool slow : {false, true}) {  // a local folder, read within a moment: the window as it always was
        FakeTarvo t("C:\\Emu\\nestopia.exe");
        for (const char* rom : {"c.nes", "b.nes", "a.nes"}) t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
        t.services.readAtOnce = !slow;
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        EXPECT_EQ(t.window.shown, !slow);
        EXPECT_EQ(t.list1.placeholder, slow ? "Reading the ROM folder… 0 ROMs so far" : "");
        EXPECT_EQ(t.list1.items.size(), slow ? 0u : 3u);
        EXPECT_EQ(t.window.timers.back(), FormTimer::Showing);
    }
    FakeTarvo t("C:\\Emu\\nestopia.exe");
    for (const char* rom : {"c.nes", "b.nes", "a.nes"}) t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    t.services.readAtOnce = false;
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    t.form().Form_Timer(FormTimer::Showing);  // not read within the moment: shown all the same
    EXPECT_TRUE(t.window.shown);
    EXPECT_TRUE(t.form().Reading());
    for (auto [found, line] : {std::pair{1, "1 ROM"}, {1234, "1,234 ROMs"}, {1234567, "1,234,567 ROMs"}}) {
        t.services.folders->FolderProgress(1, std::size_t(found));
        EXPECT_EQ(t.list1.placeholder, std::string("Reading the ROM folder… ") + line + " so far");
    }
    t.form().Command1_Click();  // nothing to select yet: Play does what it does with nothing selected
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "C:\\Front\\roms\\");
    t.window.minimized = false;
    t.form().RefreshList();  // F5 reads anew; the first reading, done later, counts no more
    t.services.folders->FolderProgress(1, 99);
    t.services.Finish(t.services.readings[0]);
    EXPECT_TRUE(t.list1.items.empty());
    EXPECT_EQ(t.list1.placeholder, "Reading the ROM folder… 0 ROMs so far");
    t.services.Finish(t.services.readings[1], 2);  // the share drops after two: those two stay
    EXPECT_EQ(t.list1.items.size(), 2u);
    EXPECT_EQ(t.list1.placeholder, "");
    EXPECT_FALSE(t.form().Reading());
}

TEST(RomList, AnArcadeSetShowsItsEmulatorsTitlesInTheirOrder) {
    FakeTarvo t("/usr/games/mame", true);
    for (const char* rom : {"1943u.zip", "kof98.zip", "mspacman.zip", "pacman.zip", "zzz.zip"}) {
        t.services.AddFile(std::string("/opt/tarvo/roms/") + rom);
    }
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    ASSERT_EQ(t.window.timers, (std::vector<FormTimer>{FormTimer::Titles, FormTimer::Showing}));  // asked once the window is up
    t.form().Form_Timer(FormTimer::Titles);
    ASSERT_EQ(t.services.questions.size(), 1u);
    const Question& asked = t.services.questions[0];
    EXPECT_EQ(asked.request.program, "/usr/games/mame");
    EXPECT_EQ(asked.request.parameters, "-listfull");
    EXPECT_EQ(asked.request.workingFolder, "/opt/tarvo/");
    EXPECT_EQ(asked.mostBytes, 16u << 20);
    EXPECT_EQ(asked.mostMilliseconds, 20000);
    t.services.AddFile("/opt/tarvo/shots/mspacman.png");
    t.Select(2);
    t.services.programs->ProgramAnswered(std::string("Name: Description:\n1943u \"1943: The Battle of Midway (US, Rev C)\"\n"
                                                    "kof98 \"The King of Fighters '98\"\nmspacman \"Ms. Pac-Man\"\n"
                                                    "pacman \"Pac-Man (Midway)\"\nunused \"Not Here\"\n"));
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"1943: The Battle of Midway (US, Rev C)", "Ms. Pac-Man", "Pac-Man (Midway)",
                                                       "The King of Fighters '98", "zzz"}));  // by title, not by set
    EXPECT_EQ(t.list1.index, 1);  // the same ROM, its picture on show
    EXPECT_EQ(t.form().File1().FileName(), "mspacman.zip");
    EXPECT_EQ(t.image1.showing, "/opt/tarvo/shots/mspacman.png");
    t.list1.index = 2;  // type-ahead finds titles
    t.form().List1_KeyPress(U'1', 5000);
    EXPECT_EQ(t.form().File1().FileName(), "1943u.zip");
    t.form().Command1_Click();  // the set's name starts it
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "1943u");
    t.services.AddFile("/opt/tarvo/roms/aaa.zip");
    t.form().RefreshList();  // F5 keeps them, and asks nothing again
    EXPECT_EQ(t.list1.items.front(), "1943: The Battle of Midway (US, Rev C)");
    EXPECT_EQ(t.list1.items[1], "aaa");
    EXPECT_EQ(t.services.questions.size(), 1u);
    for (std::optional<std::string> answer : {std::optional<std::string>(), std::optional<std::string>("garbage\n")}) {
        FakeTarvo other("C:\\mame\\mame32.exe");  // no titles asked of it
        other.services.AddFile("C:\\Front\\roms\\pacman.zip");
        ASSERT_EQ(other.Load(), frmPindle::LoadResult::Run);
        EXPECT_EQ(other.window.timers, std::vector<FormTimer>{FormTimer::Showing});
        other.services.programs->ProgramAnswered(answer);  // none, or no answer to go by: short names
        EXPECT_EQ(other.list1.items, std::vector<std::string>{"pacman"});
    }
}

TEST(RomList, ArcadeSetsThatAreNoGamesLeaveTheListAsTheirEmulatorTells) {
    for (const char* hide : {"", "Clones notworking"}) {
        FakeTarvo t("/usr/games/mame", true);
        t.services.settings["hide"] = hide;
        for (const char* rom : {"zzz.zip", "qsound.zip", "puckman.zip", "pacman.zip", "neogeo.zip", "-createconfig.zip"}) {
            t.services.AddFile(std::string("/opt/tarvo/roms/") + rom);
        }
        t.services.AddFile("/opt/tarvo/shots/puckman.png");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        EXPECT_EQ(t.list1.items.size(), 5u);  // a set's name that would be an option is no set: never listed, never asked
        EXPECT_TRUE(t.services.machineQuestions.empty());  // once the window is up
        t.form().Form_Timer(FormTimer::Titles);
        ASSERT_EQ(t.services.machineQuestions.size(), 1u);
        const StartRequest& asked = t.services.machineQuestions[0].request;
        EXPECT_EQ(asked.parameters, "-listxml neogeo pacman puckman qsound zzz");
        EXPECT_EQ(asked.arguments, (std::vector<std::string>{"-listxml", "neogeo", "pacman", "puckman", "qsound", "zzz"}));
        t.Select(2);  // puckman
        auto machines = std::make_shared<MachineList>();
        machines->Feed("<?xml version=\"1.0\"?>\n<mame build=\"0.251\"><machine name=\"neogeo\" isbios=\"yes\"/>"
                       "<machine name=\"pacman\" cloneof=\"puckman\"><driver status=\"good\"/></machine><machine name=\"puckman\"/>"
                       "<machine name=\"qsound\" isdevice=\"yes\" runnable=\"no\"/></mame>");
        t.services.programs->MachinesAnswered(machines);
        const bool clones = *hide;
        const std::vector<std::string> games = clones ? std::vector<std::string>{"puckman", "zzz"}
                                                      : std::vector<std::string>{"pacman", "puckman", "zzz"};
        EXPECT_EQ(t.list1.items, games);
        EXPECT_EQ(t.form().File1().FileName(), "puckman.zip");  // the same ROM, still selected
        EXPECT_EQ(t.list1.index, clones ? 0 : 1);
        t.services.AddFile("/opt/tarvo/roms/galaxian.zip");
        t.form().RefreshList();  // F5: the new set asked for, the others not again
        EXPECT_EQ(t.list1.items.size(), clones ? 3u : 4u);
        ASSERT_EQ(t.services.machineQuestions.size(), 2u);
        EXPECT_EQ(t.services.machineQuestions[1].request.parameters, "-listxml galaxian");
        if (clones) continue;
        t.Select(1);  // a clone without a picture of its own: its parent's
        EXPECT_EQ(t.image1.showing, "/opt/tarvo/shots/puckman.png");
        EXPECT_EQ(t.image1.name, "Screenshot of pacman");
    }
    FakeTarvo table("C:\\mame\\mame32.exe");  // an arcade emulator that cannot be asked: MAME 0.251's table
    for (const char* rom : {"pacman.zip", "neogeo.zip", "QSOUND.ZIP", "-norotate.zip"}) table.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    ASSERT_EQ(table.Load(), frmPindle::LoadResult::Run);
    EXPECT_EQ(table.list1.items, std::vector<std::string>{"pacman"});
    table.form().Form_Timer(FormTimer::Titles);
    EXPECT_TRUE(table.services.machineQuestions.empty());
}

TEST(RomList, ManySetsAreAskedForInBatchesAWindowsCommandLineHoldsOrAllAtOnce) {
    for (const int sets : {3500, 4001}) {
        FakeTarvo t("C:\\mame\\mame.exe");
        for (int i = 0; i < sets; ++i) t.services.AddFile("C:\\Front\\roms\\set" + std::to_string(100000 + i) + ".zip");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
        t.form().Form_Timer(FormTimer::Titles);
        std::size_t named = 0;
        for (const Question& question : t.services.machineQuestions) {
            EXPECT_LT(question.request.parameters.size(), 30000u);
            named += question.request.arguments.size() - 1;
        }
        EXPECT_EQ(named, sets > 4000 ? 0u : std::size_t(sets));  // past 4,000: all MAME knows, asked once
        ASSERT_TRUE(t.services.machinesWanted);  // of which only the folder's sets are kept
        EXPECT_EQ(t.services.machinesWanted->size(), std::size_t(sets));
        EXPECT_EQ(t.services.machinesWanted->count("set100000"), 1u);
        EXPECT_EQ(t.services.machineQuestions.size(), sets > 4000 ? 1u : 2u);
    }
}

TEST(Pads, AreReadOnlyWhileTheWindowIsActiveAndNotMinimised) {
    // 'a' the window becomes active, 'd' another one does; 'm' it is minimised, 'r' restored. After each,
    // the pads' timer runs out: 'y' they are read, 'n' not.
    const std::pair<const char*, const char*> cases[] = {{"a", "y"}, {"ad", "yn"}, {"amr", "yny"}, {"ma", "nn"}, {"mar", "nny"}, {"r", "n"}};
    for (const auto& [events, readings] : cases) {
        FakeTarvo t;
        std::string read;
        for (const char* event = events; *event; ++event) {
            if (*event == 'a') t.form().Form_Activate();
            if (*event == 'd') t.form().Form_Deactivate();
            if (*event == 'm' || *event == 'r') t.window.minimized = *event == 'm', t.form().Form_Resize();
            const int before = t.pads.reads;
            t.form().Form_Timer(FormTimer::Pads);
            read += t.pads.reads > before ? 'y' : 'n';
        }
        EXPECT_EQ(read, readings) << events;
    }
}

TEST(Preview, PicturesAreReadOnceTheSelectionRestsAndOnlyTheSelectedOnesShow) {
    FakeTarvo t("C:\\Emu\\gens.exe");
    for (const char* file : {"roms\\a.bin", "roms\\b.bin", "roms\\c.bin", "shots\\a.gif", "shots\\b.gif", "shots\\c.gif"}) {
        t.services.AddFile(std::string("C:\\Front\\") + file);
    }
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::Run);
    t.services.holdPictures = true;
    t.window.timers.clear();
    t.Select(0);  // the first after a rest is read at once ...
    EXPECT_EQ(t.services.found.size(), 2u);
    t.services.tick = 30;  // ... then a held key, each selection 30 ms after the one before: once things rest
    t.Select(1);
    t.Select(2);
    EXPECT_EQ(t.services.found.size(), 2u);
    EXPECT_FALSE(t.form().PictureSettled());
    EXPECT_EQ(t.window.timers, (std::vector<FormTimer>{FormTimer::Picture, FormTimer::Picture}));
    t.services.pictures->PictureRead(2, t.services.found[2]);  // a's, now that c is selected: never shown
    EXPECT_EQ(t.image1.showing, "<icon>");
    t.window.inputWaiting = true;  // a key waits: not yet
    t.form().Form_Timer(FormTimer::Picture);
    EXPECT_EQ(t.services.found.size(), 2u);
    t.window.inputWaiting = false;
    t.form().Form_Timer(FormTimer::Picture);
    ASSERT_EQ(t.services.found.size(), 3u);
    EXPECT_EQ(t.services.Found(4), "C:\\Front\\shots\\c.gif");
    t.services.pictures->PictureRead(4, t.services.found[4]);
    EXPECT_EQ(t.image1.showing, "C:\\Front\\shots\\c.gif");
    EXPECT_TRUE(t.form().PictureSettled());
    t.Select(2);  // the same ROM again: nothing read again
    EXPECT_EQ(t.services.found.size(), 3u);
    t.form().Form_Timer(FormTimer::Picture);  // a late timer changes nothing
    EXPECT_EQ(t.services.found.size(), 3u);
    t.services.tick = 40;  // the settling time after the one before: resting, read at once
    t.Select(1);
    t.Select(0);
    EXPECT_EQ(t.services.found.size(), 5u);
}

}  // namespace
}  // namespace tarvo::testing
