#pragma once
// frmPindle: Tarvo's one window, without a toolkit. It owns the window-level
// state and every handler; a front end creates the real widgets, hands them
// in through the control interfaces and calls the handler of each event.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "os/services.h"
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
};

class frmPindle : private ProgramReports {
public:
    // Run: the window shows when its list is read (or a moment after, for a
    // folder on a slow share); EndProgram: end at once, never show it.
    enum class LoadResult { Run, EndProgram };

    frmPindle(Services& services, FormControls controls);
    ~frmPindle() override;
    frmPindle(const frmPindle&) = delete;
    frmPindle& operator=(const frmPindle&) = delete;

    // The start-up sequence.
    LoadResult Form_Load();
    void Form_Resize();
    // The window became the active one, or stopped being it.
    void Form_Activate();
    void Form_Deactivate();
    // Shift, Ctrl and Alt change nothing: Shift+Esc and Ctrl+F5 act as the bare keys.
    void Form_KeyDown(int keyCode);
    void List1_Click();
    // A printable character typed in the list, and when (ms, any steady clock).
    void List1_KeyPress(char32_t character, std::int64_t milliseconds);
    // The row under the pointer starts, or with none (-1) the selected row.
    void list1_DblClick(int rowUnderPointer = -1);
    void File1_Click();
    void Image1_DblClick();
    // The load of that ticket is done (PictureControl::Load).
    void Image1_Loaded(std::uint64_t ticket);
    void Command1_Click();
    void Form_Timer(FormTimer timer);
    void RefreshList();
    // The pads, as read while reading is on (ms on a steady clock).
    void Pad_Poll(const std::vector<PadState>& pads, std::int64_t milliseconds);

    const std::string& AppFolder() const { return appFolder_; }
    const std::string& EmulatorPath() const { return emulatorPath_; }
    int LaunchMode() const { return launchMode_; }
    // The file list is the handlers' own: RefreshList alone re-reads it, in
    // the one order that never leaves List1 showing names that are gone.
    const FileList& File1() const { return file1_; }
    // The ROM folder is being read.
    bool Reading() const { return file1_.Reading(); }
    // Nothing asked of Image1 is still to be read or shown.
    bool PictureSettled() const { return picture_ == PictureState::Shown; }

    // Pictures asked for closer together than this (a held key, a pad's
    // repeat) are read only once this long has passed without another.
    static constexpr std::int64_t kPictureSettleMs = 40;
    // The window shows as soon as its list is read, or after this long
    // with the list still being read (a slow share): never later.
    static constexpr int kShowWithinMs = 150;
    // While the folder is read, the line that says so is updated this often.
    static constexpr int kReadingNewsMs = 250;
    // What an emulator may take to tell its titles (MAME prints 45,000 in
    // about 2.5 MB within a second).
    static constexpr std::size_t kMostTitleBytes = 16u << 20;
    static constexpr int kMostTitleMs = 20000;
    // Settings carried with the program: this file in its folder, when it
    // is there, replaces the per-user store.
    static constexpr const char* kPortableSettings = "Tarvo.ini";

private:
    // ProgramReports
    void StartFinished(const StartRequest& request, const StartResult& result) override;
    void ProgramEnded() override;
    void ProgramAnswered(std::optional<std::string> output) override;
    void FolderProgress(std::uint64_t ticket, std::size_t found) override;
    void FolderRead(std::uint64_t ticket, FolderListing listing) override;

    void ShowWindow();
    // The line the empty list shows while the folder is read.
    static std::string ReadingLine(std::size_t found);

    // A file that is there and longer than 0 bytes.
    bool FileExists(const std::string& path);
    // Emulator recognition: true when a profile matched and was applied.
    bool RecognizeEmulator();
    bool MatchEmulator(const std::string& name);
    bool MatchFolderWildcard(const std::string& pattern);
    void ApplyProfile(const EmulatorProfile& profile);
    std::string ReadSettingOr(const std::string& key, const std::string& fallback);
    // What a file of File1 shows in List1: its set's title, else its name
    // without the extension.
    std::string_view Shown(std::string_view fileName) const;
    // List1, emptied, filled anew from File1, its selection kept.
    void FillList();
    // Moves the selection there, as a click on the row would.
    void SelectRow(int row);
    // The pads count while the window is active and not minimised.
    void UpdatePadReading();
    void SettlePicture();
    void LoadWantedPicture();
    // Why the emulator cannot start with the selected ROM, or empty.
    std::string WhyItCannotStart();

    Services& services_;
    FormControls controls_;
    FileList file1_;
    std::string appFolder_;
    std::optional<std::string> portable_;  // Tarvo.ini, as read at the start
    std::string emulatorPath_;
    int launchMode_ = 0;
    std::vector<std::string_view> rows_;  // what List1 shows, row by row
    bool shown_ = false;
    bool mayFallBack_ = false;  // the ROM folder's first reading: without files, the application folder
    bool tellsTitles_ = false;            // the emulator is asked for its sets' titles
    SetTitles titles_;
    TypeAhead typeAhead_;
    bool active_ = false, padsReading_ = false;
    int emulatorsRunning_ = 0;  // started, watched, not yet ended
    bool starting_ = false;     // from Play until its start has come to its end
    PadRepeat padRepeat_;

    enum class PictureState { Shown, Settling, Loading };
    PictureState picture_ = PictureState::Shown;
    std::vector<std::string> wantedPictures_;  // on show, or coming
    std::uint64_t pictureTicket_ = 0;
    std::int64_t lastPictureAsked_ = INT64_MIN / 2;
};

}  // namespace tarvo
