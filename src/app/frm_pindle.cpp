#include "app/frm_pindle.h"

#include <utility>

#include "launch/launch.h"
#include "text/ini.h"
#include "text/paths.h"
#include "ui/design.h"
#include "ui/display_name.h"
#include "ui/layout.h"
#include "ui/preview.h"

namespace tarvo {

frmPindle::frmPindle(Services& services, FormControls controls)
    : services_(services), controls_(controls), file1_(services) {
    file1_.OnSelect([this] { File1_Click(); });
    services_.ReportTo(this);
}

frmPindle::~frmPindle() { services_.ReportTo(nullptr); }

bool frmPindle::FileExists(const std::string& path) {
    const auto length = services_.FileLength(path);
    return length && *length > 0;
}

std::string frmPindle::ReadSettingOr(const std::string& key, const std::string& fallback) {
    if (!portable_) return services_.ReadSetting(key).value_or(fallback);
    // Tarvo.ini takes the store's place; its relative paths start from the
    // program's folder, wherever the drive is mounted today.
    const std::optional<std::string> value = IniValue(*portable_, "Settings", key);
    if (!value) return fallback;
    return value->empty() || IsAbsolutePath(*value, services_.Separator()) ? *value : appFolder_ + *value;
}

void frmPindle::Form_Resize() {
    const ControlRects current{controls_.list1.Bounds(), controls_.image1.Bounds(), controls_.command1.Bounds()};
    const ControlRects next =
        LayoutControls(controls_.form.ClientWidth(), controls_.form.ClientHeight(), current);
    controls_.list1.SetBounds(next.list1);
    controls_.image1.SetVisible(false);
    controls_.image1.SetBounds(next.image1);
    controls_.command1.SetBounds(next.command1);
    controls_.image1.SetVisible(true);
    UpdatePadReading();  // minimised, or back
}

void frmPindle::Form_Activate() {
    active_ = true;
    UpdatePadReading();
}

void frmPindle::Form_Deactivate() {
    active_ = false;
    UpdatePadReading();
}

void frmPindle::UpdatePadReading() {
    // The pads act only on the window in use, never on a game's behalf;
    // what is held as it comes back counts only once let go.
    const bool reading = active_ && !controls_.form.IsMinimized();
    if (reading == padsReading_) return;
    padsReading_ = reading;
    if (reading) padRepeat_.Resume();
    controls_.pads.SetReading(reading);
}

void frmPindle::Form_KeyDown(int keyCode) {
    if (keyCode == design::kKeyEscape) {
        controls_.form.Unload();
    } else if (keyCode == design::kKeyF5) {
        RefreshList();
    }
}

void frmPindle::RefreshList() {
    controls_.list1.Clear();  // before the names it shows go
    rows_.clear();
    controls_.list1.SetPlaceholder(ReadingLine(0));
    file1_.Refresh(kReadingNewsMs);
}

std::string frmPindle::ReadingLine(std::size_t found) {
    std::string count = std::to_string(found);
    for (std::size_t digits = count.size(); digits > 3; digits -= 3) count.insert(digits - 3, ",");
    return "Reading the ROM folder… " + count + (found == 1 ? " ROM" : " ROMs") + " so far";
}

void frmPindle::FolderProgress(std::uint64_t ticket, std::size_t found) {
    if (file1_.Awaits(ticket)) controls_.list1.SetPlaceholder(ReadingLine(found));
}

void frmPindle::FolderRead(std::uint64_t ticket, FolderListing listing) {
    if (!file1_.Awaits(ticket)) return;  // an earlier reading's, F5 having asked again
    if (std::exchange(mayFallBack_, false) && !listing.holdsFiles) {
        file1_.SetPath(appFolder_);
        return file1_.Refresh(kReadingNewsMs);
    }
    // What a share gave before it failed is kept: F5 reads it again.
    file1_.TakeListing(std::move(listing.names));
    controls_.list1.SetPlaceholder("");
    FillList();  // all at once, in its order
    ShowWindow();
}

void frmPindle::ShowWindow() {
    if (shown_) return;
    shown_ = true;
    controls_.form.Show();
    // Once the window is up: the emulator is asked for its titles then.
    if (tellsTitles_) controls_.form.StartTimer(FormTimer::Titles, 0);
}

std::string_view frmPindle::Shown(std::string_view fileName) const {
    const std::string_view name = StripExtension(fileName);
    const std::string_view title = titles_.empty() ? std::string_view() : titles_.Find(name);
    return title.empty() ? name : title;
}

void frmPindle::FillList() {
    rows_.clear();
    rows_.reserve(static_cast<std::size_t>(file1_.ListCount()));
    for (int i = 0; i < file1_.ListCount(); ++i) rows_.push_back(Shown(file1_.List(i)));
    if (!titles_.empty()) {  // in the order of what the rows show
        std::vector<std::string_view> shown;
        shown.reserve(rows_.size());
        for (const std::uint32_t from : file1_.OrderByShown(rows_)) shown.push_back(rows_[from]);
        rows_ = std::move(shown);
    }
    controls_.list1.AddItems(rows_);
    if (file1_.ListIndex() >= 0) controls_.list1.SetListIndex(file1_.ListIndex());
}

void frmPindle::ProgramAnswered(std::optional<std::string> output) {
    if (output) titles_ = SetTitles::FromListFull(*output);
    if (titles_.empty()) return;  // short names, as they were
    // The list in its new order at once, the same ROM selected and its picture on show.
    controls_.list1.Clear();
    FillList();
}

void frmPindle::List1_Click() { file1_.SetListIndex(controls_.list1.ListIndex()); }

void frmPindle::SelectRow(int row) {
    if (row < 0 || row == controls_.list1.ListIndex()) return;
    controls_.list1.SetListIndex(row);
    List1_Click();
}

void frmPindle::List1_KeyPress(char32_t character, std::int64_t milliseconds) {
    if (character < 0x20 || character == 0x7F) return;  // Backspace, Tab, Esc: no text
    SelectRow(typeAhead_.Typed(rows_, character, milliseconds, controls_.list1.ListIndex()));
}

void frmPindle::list1_DblClick(int rowUnderPointer) {
    // The first click selected the row under the pointer, unless the list
    // moved under it meanwhile.
    SelectRow(rowUnderPointer);
    Command1_Click();
}

void frmPindle::Image1_DblClick() { Command1_Click(); }

void frmPindle::File1_Click() {
    const char sep = services_.Separator();
    const std::string shotsFolder =
        WithTrailingSeparator(ReadSettingOr("shots", appFolder_ + "shots" + sep), sep);
    std::vector<std::string> pictures = PreviewCandidates(shotsFolder, appFolder_, file1_.FileName(), sep);
    if (pictures == wantedPictures_) return;  // on show already, or coming
    wantedPictures_ = std::move(pictures);
    ++pictureTicket_;
    const std::int64_t now = services_.Now();
    const bool moving = now - lastPictureAsked_ < kPictureSettleMs || controls_.form.InputWaiting();
    lastPictureAsked_ = now;
    if (moving) {  // read once the selection rests
        SettlePicture();
    } else {
        LoadWantedPicture();
    }
}

void frmPindle::SettlePicture() {
    picture_ = PictureState::Settling;
    controls_.form.StartTimer(FormTimer::Picture, static_cast<int>(kPictureSettleMs));
}

void frmPindle::Form_Timer(FormTimer timer) {
    if (timer == FormTimer::Showing) return ShowWindow();  // the list may come later
    if (timer == FormTimer::Titles) {
        const StartRequest request = BuildStartRequest(emulatorPath_, appFolder_, "-listfull", services_.Separator());
        return services_.AskProgram({request, kMostTitleBytes, kMostTitleMs});
    }
    if (picture_ != PictureState::Settling) return;
    if (controls_.form.InputWaiting()) {
        SettlePicture();
    } else {
        LoadWantedPicture();
    }
}

void frmPindle::LoadWantedPicture() {
    picture_ = PictureState::Loading;
    controls_.image1.Load(pictureTicket_, wantedPictures_);
}

void frmPindle::Image1_Loaded(std::uint64_t ticket) {
    // A picture of a ROM no longer selected never shows.
    if (ticket != pictureTicket_ || picture_ != PictureState::Loading) return;
    picture_ = PictureState::Shown;
    const int shown = controls_.image1.Show(ticket);
    const bool screenshot = shown >= 0 && static_cast<std::size_t>(shown) + kLogoCandidates < wantedPictures_.size();
    const auto row = static_cast<std::size_t>(controls_.list1.ListIndex());
    const std::string rom(row < rows_.size() ? rows_[row] : std::string_view());
    controls_.image1.SetName(rom.empty() ? design::kTitle : (screenshot ? "Screenshot of " : "No screenshot of ") + rom);
}

std::string frmPindle::WhyItCannotStart() {
    const char sep = services_.Separator();
    const std::string name = file1_.FileName();
    if (!name.empty() && !services_.FileLength(WithTrailingSeparator(file1_.Path(), sep) + name)) {
        return "the ROM " + name + " is gone; F5 reads the folder again";
    }
    // The working folder is Tarvo's own: if that is gone, the emulator is
    // not to blame.
    if (!services_.FolderExists(appFolder_)) return "its working folder " + ShortenedForDisplay(appFolder_, sep) + " is gone";
    return {};
}

void frmPindle::Command1_Click() {
    // One press, one start: nothing more while a start is under way or its
    // message shows, nor while the window is minimised (a key that waited
    // in the queue while the game started, a pad in a game's hands).
    if (starting_ || controls_.form.IsMinimized()) return;
    starting_ = true;
    const char sep = services_.Separator();
    const std::string parameters = BuildParameterString(launchMode_, file1_.Path(), file1_.FileName(), sep);
    const StartRequest request = BuildStartRequest(emulatorPath_, appFolder_, parameters, sep);
    const std::string unstartable = WhyItCannotStart();
    const StartResult result = unstartable.empty() ? services_.StartProgram(request) : StartResult::Failed(unstartable);
    if (!result.pending) StartFinished(request, result);
}

void frmPindle::StartFinished(const StartRequest& request, const StartResult& result) {
    if (result.started) {
        if (result.watched) ++emulatorsRunning_;
        controls_.form.Minimize();
    } else {
        const std::string program = ShortenedForDisplay(request.program, services_.Separator());
        controls_.form.ShowMessage("Could not start the emulator " + program + ": " + result.error);
    }
    starting_ = false;
}

void frmPindle::ProgramEnded() {
    // Back from the game: the window returns when the last emulator ends,
    // unless the user has brought it back already.
    if (emulatorsRunning_ == 0 || --emulatorsRunning_ > 0 || !controls_.form.IsMinimized()) return;
    controls_.form.Restore();
    controls_.list1.SetFocus();  // the same ROM selected, for the keys and the pad
}

void frmPindle::Pad_Poll(const std::vector<PadState>& pads, std::int64_t milliseconds) {
    static const int kKeys[] = {0, design::kKeyUp, design::kKeyDown, design::kKeyPageUp, design::kKeyPageDown};
    const PadCommand command = padRepeat_.Poll(pads, milliseconds);
    if (command == PadCommand::None) return;
    if (command == PadCommand::Play) return Command1_Click();
    controls_.list1.SetFocus();
    const int selected = controls_.list1.ListIndex();
    if (command == PadCommand::PreviousLetter) return SelectRow(FirstOfPreviousLetter(rows_, selected));
    if (command == PadCommand::NextLetter) return SelectRow(FirstOfNextLetter(rows_, selected));
    controls_.list1.KeyDown(kKeys[static_cast<int>(command)]);
}

}  // namespace tarvo
