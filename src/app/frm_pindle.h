#pragma once
// frmPindle: Tarvo's one window, without a toolkit. It owns the window-level
// state and every handler; a front end creates the real widgets, hands them
// in through the control interfaces and calls the handler of each event.
// It runs on the window's thread alone: what waits is done beside it, by
// the ports it makes, and their news comes back to it there.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/arcade_sets.h"
#include "app/built_in_emulators.h"
#include "app/game_session.h"
#include "app/narrowed_list.h"
#include "app/pad_reading.h"
#include "app/picture_on_show.h"
#include "app/setting_reader.h"
#include "app/ports.h"
#include "os/host.h"
#include "text/machine_list.h"
#include "text/set_titles.h"
#include "ui/controls.h"
#include "ui/file_list.h"
#include "ui/pad_input.h"
#include "ui/type_ahead.h"

namespace tarvo {

struct EmulatorProfile;

struct FormControls {
    FormWindow& form;
    ListBoxControl& list1;
    ButtonControl& command1;
    PictureControl& image1;
    PadReader& pads;
    FindLineControl& find;
};

class frmPindle final : private FolderListener, private PictureListener, private ProgramListener {
public:
    // Run: the window shows when its list is read (or a moment after, for a
    // folder on a slow share); EndProgram: end at once, never show it.
    enum class LoadResult { Run, EndProgram };

    frmPindle(Host host, const Ports& ports, FormControls controls);
    ~frmPindle();
    frmPindle(const frmPindle&) = delete;
    frmPindle& operator=(const frmPindle&) = delete;

    // The start-up sequence.
    LoadResult Form_Load();
    void Form_Resize();
    // The window became the active one, or stopped being it.
    void Form_Activate();
    void Form_Deactivate();
    // Shift, Ctrl and Alt change nothing: Shift+Esc and Ctrl+F5 act as the
    // bare keys. True when the key was the window's, and no control is to
    // have it.
    bool Form_KeyDown(Key key);
    // A later start of Tarvo handed over its caption, and the token that
    // lets a window take the focus where the display asks for one: for
    // this emulator, the window comes back.
    void Form_AnotherStart(const std::string& caption, const std::string& activationToken = {});
    void List1_Click();
    // The find line's text changed; a key in it (the list's keys move the
    // list's selection; true: taken).
    void Find_Change(const std::string& text);
    bool Find_KeyDown(Key key);
    bool Finding() const { return found_.IsOpen(); }
    // A character typed in the list, as a code point or as a UTF-16 code
    // unit (a pair of surrogates, one at a time), and when (ms, any steady
    // clock; 0: not told, about now). True when it was text, for the list;
    // else (Tab, Backspace) it is the list's or the window's own.
    bool List1_KeyPress(char32_t character, std::int64_t milliseconds);
    // The row under the pointer starts, or with none (-1) the selected row.
    void list1_DblClick(int rowUnderPointer = -1);
    void File1_Click();
    void Image1_DblClick();
    void Command1_Click();
    void Form_Timer(FormTimer timer);
    void RefreshList();

    const std::string& AppFolder() const { return appFolder_; }
    const std::string& EmulatorPath() const { return emulatorPath_; }
    int LaunchMode() const { return launchMode_; }
    // The file list is the handlers' own: RefreshList alone re-reads it, in
    // the one order that never leaves List1 showing names that are gone.
    const FileList& File1() const { return file1_; }
    // The ROM folder is being read.
    bool Reading() const { return file1_.Reading(); }
    // A start is being checked and made beside the window's thread.
    bool Starting() const { return session_.Now() == Session::Starting; }
    // Nothing asked of Image1 is still to be read or shown.
    bool PictureSettled() const { return picture_.Settled(); }

    // The window shows as soon as its list is read, or after this long
    // with the list still being read (a slow share): never later.
    static constexpr int kShowWithinMs = 150;
    // While the folder is read, the line that says so is updated this often.
    static constexpr int kReadingNewsMs = 250;
    // F5 within this long of the reading it would replace is not taken: a
    // held key never piles readings up on a slow share.
    static constexpr std::int64_t kFreshReadingMs = 1000;
    // A game asked to end is ended this long after, if it has not.
    static constexpr int kGameEndsMs = 5000;
    // A game that fails within this long of its start failed to start.
    static constexpr std::int64_t kAtOnceMs = 3000;
    // Settings carried with the program: this file in its folder, when it
    // is there, replaces the per-user store.
    static constexpr const char* kPortableSettings = "Tarvo.ini";

private:
    // FolderListener
    void FolderProgress(std::uint64_t ticket, std::size_t found) override;
    void FolderRead(std::uint64_t ticket, FolderListing listing) override;
    void GameListRead(std::uint64_t ticket, std::shared_ptr<const GameList> games) override;
    // A gamelist's <image> as a path: "./" from the ROM folder, "~" the home folder.
    std::string GameImagePath(const std::string& image) const;
    // PictureListener
    void PictureRead(std::uint64_t ticket, FoundPicture found) override;
    // ProgramListener
    void StartFinished(const StartRequest& request, const StartResult& result) override;
    void ProgramEnded(const ProgramOutcome& outcome, std::int64_t lastedMs) override;
    void ProgramAnswered(std::optional<std::string> output) override;
    void MachinesAnswered(std::shared_ptr<const MachineList> machines) override;

    void ShowWindow();
    // Back in front, the list focused on the same ROM, for the keys and the pad.
    void ComeBack(const std::string& activationToken = {});
    // The player brought the window back during a game: it is theirs again.
    void NoteWhetherBack();
    // The line the empty list shows while the folder is read.
    static std::string ReadingLine(std::size_t found);

    // A file that is there and longer than 0 bytes.
    bool FileExists(const std::string& path);
    // Emulator recognition: true when a profile matched and was applied.
    bool RecognizeEmulator();
    bool MatchEmulator(const std::string& name);
    bool MatchFolderWildcard(const std::string& pattern);
    void ApplyProfile(const EmulatorProfile& profile);
    // An emulator the table does not know, with a section of its own, or
    // one of Debian's that an installed Tarvo knows (the user's section
    // replaces it whole).
    bool RecognizeBySection();
    bool RecognizeBuiltIn();
    // Installed, and without a Tarvo.ini: the home folder's layout counts.
    bool Installed() const { return host_.installed && !settings_.Portable(); }
    // Why no emulator can be used, in words that say what to write.
    std::string WhyNoEmulator() const;
    // The ROM folder when no setting names one, and where to look next
    // when it holds no file.
    void ChooseRomFolders();
    // What an empty list says instead: where Tarvo looked, and for what.
    std::string EmptyListText() const;
    // The section of a program's own settings, as written (by its file name
    // less ".exe"); nothing when it has none.
    std::optional<std::string> SectionOf(const std::string& program);
    // A program's file name, less ".exe".
    std::string ProgramName(const std::string& program) const;
    // A setting of the emulator's own section, else of "Settings", else
    // the fallback; Tarvo.ini's relative paths from Tarvo's folder.
    std::optional<std::string> ReadSetting(const std::string& key);
    std::string ReadSettingOr(const std::string& key, const std::string& fallback);
    // What a file of File1 shows in List1: its set's title, else its name
    // without the extension.
    std::string_view Shown(std::string_view fileName) const;
    // List1, emptied, filled anew from File1, its selection kept.
    void FillList();
    // Leaves out of File1 the sets that are no games (BIOS sets, devices),
    // as far as they are known; whether any was.
    bool HideNonGames();
    // Asks MAME for what it knows of the listed sets not asked for yet.
    void AskForMachines();
    void ReadFolder();
    // Moves the selection there, as a click on the row would.
    void SelectRow(int row);
    // A row up or down, as the list's arrow keys do; with nothing selected,
    // the first row, wherever the focus was.
    void MoveSelection(Key key);
    // The pads count while the window is active and not away; while a game
    // runs, only Back and Start held together.
    void UpdatePadReading();
    // What the pads asked of the list.
    void Pad_Command(PadCommand command);
    // Out of the way of the game just started: minimised, or hidden where
    // a minimised window cannot come back.
    void GoAway();
    // A screen reader is told when nothing is selected.
    void TellWhetherSelected();
    // The find line opened, closed, and the list narrowed to what it keeps.
    void OpenFind();
    void CloseFind();
    void ShowFound(int selectedRow);
    // The rows List1 shows: all, or those the find line keeps.
    const std::vector<std::string_view>& Visible() const { return found_.IsOpen() ? found_.Rows() : rows_; }
    void TakePictureStep(const PictureStep& step);

    const Host host_;
    SettingReader settings_;
    Files& files_;
    Instance& instance_;
    Clock& clock_;
    FormControls controls_;
    FileList file1_;
    std::string appFolder_;
    std::string emulatorPath_;
    int launchMode_ = 0;
    std::string section_;  // of the emulator's own settings, as written; empty before it is known
    std::string args_;     // its arguments, placeholders and all
    std::vector<std::string_view> rows_;  // what List1 shows, row by row
    std::shared_ptr<const GameList> games_;  // the players' names, from the last reading's gamelist
    std::uint64_t listedTicket_ = 0;          // of the reading the list shows
    NarrowedList found_;  // what the find line keeps of rows_
    bool namesClean_ = false;             // "names=clean": without the dump tags
    std::vector<std::string> cleanRows_;  // those names, which rows_ then shows
    bool shown_ = false;
    std::string system_;        // the emulator's ROMs under ~/ROMs, for an installed Tarvo
    const BuiltInEmulator* builtIn_ = nullptr;  // Debian's emulator, where the user wrote no section
    std::string romFolder_;     // the ROM folder first read: where the user puts ROMs
    std::string fallbackFolder_;  // read once if the first holds no file; empty: none
    std::int64_t readingSince_ = 0;
    ArcadeSets sets_{false, false};
    TypeAhead typeAhead_;
    char16_t highSurrogate_ = 0;  // the first half of a character typed in two
    bool active_ = false;
    std::string toldDescription_;    // what the list's description says now
    std::string emulatorName_;       // as the caption names it; empty: none
    bool padQuits_ = true;  // the "padquit" setting
    PadReading pads_;
    GameSession session_;

    PictureOnShow picture_;

    // Last: they go first, and no news of theirs comes after.
    std::unique_ptr<FolderReader> folders_;
    std::unique_ptr<PictureReader> pictures_;
    std::unique_ptr<Programs> programs_;
};

}  // namespace tarvo
