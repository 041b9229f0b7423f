#include "app/frm_pindle.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "launch/launch.h"
#include "text/clean_names.h"
#include "text/ini.h"
#include "text/paths.h"
#include "text/utf8.h"
#include "ui/design.h"
#include "ui/display_name.h"
#include "ui/find_rows.h"
#include "ui/layout.h"
#include "ui/preview.h"

namespace tarvo {

namespace {

// How a program ended, as its message says it: Windows' crash codes in
// hex, as Windows itself writes them.
std::string HowItEnded(const ProgramOutcome& outcome) {
    if (outcome.signal != 0) return "signal " + std::to_string(outcome.signal);
    if (outcome.exitCode >= 0) return "exit code " + std::to_string(outcome.exitCode);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(outcome.exitCode));
    return std::string("exit code ") + hex;
}

}  // namespace

frmPindle::frmPindle(Host host, const Ports& ports, FormControls controls)
    : host_(std::move(host)),
      settings_(ports.settings, WithTrailingSeparator(host_.executableFolder, host_.separator), host_.home, host_.separator),
      files_(ports.files),
      instance_(ports.instance),
      clock_(ports.clock),
      controls_(controls),
      // Each for this window, which goes after them: their news never
      // comes to a window that is gone.
      folders_(ports.folderReader(*this)),
      pictures_(ports.pictureReader(*this)),
      programs_(ports.programs(*this)) {
    file1_.OnSelect([this] { File1_Click(); });
}

frmPindle::~frmPindle() = default;

bool frmPindle::FileExists(const std::string& path) {
    const auto length = files_.FileLength(path);
    return length && *length > 0;
}

std::optional<std::string> frmPindle::ReadSetting(const std::string& key) { return settings_.Read(section_, key); }

std::string frmPindle::ReadSettingOr(const std::string& key, const std::string& fallback) {
    return ReadSetting(key).value_or(fallback);
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
    if (found_.IsOpen()) {  // the find line under the list, the list shortened by its height
        const Rect list = controls_.list1.Bounds();
        const float height = std::min(design::kFindHeight, list.height);
        controls_.list1.SetBounds({list.left, list.top, list.width, list.height - height});
        controls_.find.SetBounds({list.left, list.top + list.height - height, list.width, height});
    }
    NoteWhetherBack();
    UpdatePadReading();  // minimised, or back
}

void frmPindle::Form_Activate() {
    active_ = true;
    NoteWhetherBack();
    UpdatePadReading();
}

void frmPindle::NoteWhetherBack() {
    // A hidden window has no button in the task bar: only a later start
    // brings it back (as Qt hides it on Wayland, it is still told in sight
    // for a moment).
    if (session_.Now() == Session::Away && HowToGoAway(host_) == GoingAway::Minimise && !controls_.form.IsAway()) {
        session_.Take(SessionEvent::UserCameBack);
    }
}

void frmPindle::Form_Deactivate() {
    active_ = false;
    UpdatePadReading();
}

void frmPindle::UpdatePadReading() {
    // The pads act only on the window in use, never on a game's behalf;
    // what is held as it comes back counts only once let go. While a game
    // Tarvo started runs, Back and Start held together end it.
    const bool away = session_.Now() == Session::Away || controls_.form.IsAway();
    if (pads_.Update({active_, away, padQuits_, session_.GameRunning()})) {
        controls_.form.StartTimer(FormTimer::Pads, PadReading::kReadMs);
    }
}

bool frmPindle::Form_KeyDown(Key key) {
    if (key == Key::Escape && found_.IsOpen()) {
        CloseFind();  // the whole list again; Esc once more closes Tarvo
        return true;
    }
    if (key == Key::F3) {
        OpenFind();
        return true;
    }
    if (key == Key::Escape) {
        controls_.form.Unload();
    } else if (key == Key::F5) {
        // A held key repeats: a reading just begun is not thrown away for it.
        if (!file1_.Reading() || clock_.Now() - readingSince_ >= kFreshReadingMs) RefreshList();
    } else if ((key == Key::Down || key == Key::Up) && controls_.list1.ListIndex() < 0 &&
               !Visible().empty()) {
        MoveSelection(key);  // from Play too: the first Down puts the user on the first ROM
        return true;
    }
    return false;
}

void frmPindle::Form_AnotherStart(const std::string& caption, const std::string& activationToken) {
    // Tarvo started again for this emulator: the window that serves it
    // comes back, as after a game. Another emulator's start changes nothing.
    if (caption == controls_.form.Caption() && session_.Take(SessionEvent::AnotherStart).comeBack) ComeBack(activationToken);
    UpdatePadReading();
}

void frmPindle::ComeBack(const std::string& activationToken) {
    controls_.form.Restore(activationToken);
    controls_.list1.SetFocus();  // the same ROM selected, for the keys and the pad
}

void frmPindle::RefreshList() {
    controls_.list1.Clear();  // before the names it shows go
    found_.Forget();
    rows_.clear();
    controls_.list1.SetPlaceholder(ReadingLine(0));
    TellWhetherSelected();
    ReadFolder();
}

void frmPindle::ReadFolder() {
    readingSince_ = clock_.Now();
    FolderReading reading = file1_.Refresh(kReadingNewsMs);
    // The names players gave their games: beside the ROMs, or where ES-DE keeps them.
    reading.gameLists = {reading.folder + "gamelist.xml"};
    if (!host_.home.empty() && !system_.empty()) {
        reading.gameLists.push_back(WithTrailingSeparator(host_.home, '/') + "ES-DE/gamelists/" + system_ + "/gamelist.xml");
    }
    folders_->Read(reading);
}

std::string frmPindle::ReadingLine(std::size_t found) {
    return "Reading the ROM folder… " + GroupedCount(found) + (found == 1 ? " ROM" : " ROMs") + " so far";
}

void frmPindle::FolderProgress(std::uint64_t ticket, std::size_t found) {
    if (file1_.Awaits(ticket)) controls_.list1.SetPlaceholder(ReadingLine(found));
}

void frmPindle::FolderRead(std::uint64_t ticket, FolderListing listing) {
    if (!file1_.Awaits(ticket)) return;  // an earlier reading's, F5 having asked again
    if (const std::string fallback = std::exchange(fallbackFolder_, ""); !fallback.empty() && !listing.holdsFiles) {
        file1_.SetPath(fallback);
        return ReadFolder();
    }
    // What a share gave before it failed is kept: F5 reads it again.
    file1_.TakeListing(std::move(listing.names));
    listedTicket_ = ticket;
    games_.reset();  // until this reading's gamelist comes
    HideNonGames();
    controls_.list1.SetPlaceholder("");
    FillList();  // all at once, in its order
    if (shown_) AskForMachines();  // sets come with F5; at the start, once the window is up
    ShowWindow();
}

void frmPindle::GameListRead(std::uint64_t ticket, std::shared_ptr<const GameList> games) {
    if (ticket != listedTicket_ || file1_.Reading()) return;  // a reading since has replaced the list
    games_ = std::move(games);
    file1_.Hide([this](std::string_view name) {
        const GameEntry* game = games_->Find(name);
        return game && game->hidden;
    });
    // Renamed, in the order of the names, the same ROM selected and its picture on show.
    controls_.list1.Clear();
    FillList();
    File1_Click();
}

bool frmPindle::HideNonGames() {
    return sets_.HidesAny() && file1_.Hide([this](std::string_view name) { return sets_.Hides(name); });
}

void frmPindle::AskForMachines() {
    const StartRequest asked = BuildStartRequest(emulatorPath_, appFolder_, "", host_.separator);
    for (const auto& [question, listed] : sets_.MachineQuestions(file1_, asked)) programs_->AskMachines(question, listed);
}

void frmPindle::MachinesAnswered(std::shared_ptr<const MachineList> machines) {
    if (!machines) return;
    sets_.TakeMachines(std::move(machines));
    // The list without what is no game, the same ROM selected and its picture on show.
    if (file1_.Reading() || !HideNonGames()) return;
    controls_.list1.Clear();
    FillList();
}

std::string frmPindle::GameImagePath(const std::string& image) const {
    std::string path = WithHomeFolder(image, host_.home);
    if (path.compare(0, 2, "./") == 0) path = file1_.Path() + path.substr(2);
    for (char& c : path) c = c == '/' ? host_.separator : c;
    return path;
}

void frmPindle::ShowWindow() {
    if (shown_) return;
    shown_ = true;
    controls_.form.Show(host_.oneWindowAtATime);
    // Once the window is up: the emulator is asked for its titles and its machines then.
    if (sets_.TellsTitles()) controls_.form.StartTimer(FormTimer::Titles, 0);
}

std::string_view frmPindle::Shown(std::string_view fileName) const {
    if (const GameEntry* game = games_ ? games_->Find(fileName) : nullptr; game && !game->name.empty()) return game->name;
    const std::string_view title = sets_.TitleOf(fileName);
    return title.empty() ? StripExtension(fileName) : title;
}

void frmPindle::FillList() {
    found_.Forget();
    rows_.clear();
    rows_.reserve(static_cast<std::size_t>(file1_.ListCount()));
    for (int i = 0; i < file1_.ListCount(); ++i) rows_.push_back(Shown(file1_.List(i)));
    if (namesClean_) {  // without the dump tags, where that leaves them apart
        cleanRows_ = CleanNames(rows_);
        rows_.assign(cleanRows_.begin(), cleanRows_.end());
    }
    if (sets_.HasTitles() || namesClean_ || games_) {  // in the order of what the rows show
        std::vector<std::string_view> shown;
        shown.reserve(rows_.size());
        for (const std::uint32_t from : file1_.OrderByShown(rows_)) shown.push_back(rows_[from]);
        rows_ = std::move(shown);
    }
    if (found_.IsOpen()) return ShowFound(file1_.ListIndex());  // the new list narrowed as the old one was
    controls_.list1.AddItems(rows_);
    if (rows_.empty() && !file1_.Reading()) controls_.list1.SetPlaceholder(EmptyListText());
    if (file1_.ListIndex() >= 0) controls_.list1.SetListIndex(file1_.ListIndex());
    TellWhetherSelected();
}

void frmPindle::ProgramAnswered(std::optional<std::string> output) {
    if (!sets_.TakeTitles(output)) return;  // short names, as they were
    // The list in its new order at once, the same ROM selected and its picture on show.
    controls_.list1.Clear();
    FillList();
}

void frmPindle::List1_Click() {
    file1_.SetListIndex(found_.PlaceOf(controls_.list1.ListIndex()));
    TellWhetherSelected();
}

void frmPindle::TellWhetherSelected() {
    const bool none = controls_.list1.ListIndex() < 0;
    const bool empty = rows_.empty() && !file1_.Reading();
    std::string description = !none ? "" : empty ? EmptyListText() : "No ROM selected";
    if (description == toldDescription_) return;
    toldDescription_ = std::move(description);
    controls_.list1.SetDescription(toldDescription_);
}

void frmPindle::SelectRow(int row) {
    if (row < 0 || row == controls_.list1.ListIndex()) return;
    controls_.list1.SetListIndex(row);
    List1_Click();
}

void frmPindle::MoveSelection(Key key) {
    controls_.list1.SetFocus();
    if (controls_.list1.ListIndex() >= 0) return controls_.list1.KeyDown(key);
    SelectRow(Visible().empty() ? -1 : 0);
}

bool frmPindle::List1_KeyPress(char32_t character, std::int64_t milliseconds) {
    // A character beyond the first 65,536 may come as two halves (UTF-16).
    if (character >= 0xD800 && character <= 0xDBFF) {
        highSurrogate_ = static_cast<char16_t>(character);
        return true;
    }
    if (character >= 0xDC00 && character <= 0xDFFF) {
        if (highSurrogate_ == 0) return true;  // half a character is none
        character = 0x10000 + ((char32_t(highSurrogate_) - 0xD800) << 10) + (character - 0xDC00);
    }
    highSurrogate_ = 0;
    if (!IsTypedText(character)) return false;
    // A key passed on by a screen reader may come without its time (0): it
    // was typed about now.
    if (milliseconds == 0) milliseconds = clock_.Now();
    SelectRow(typeAhead_.Typed(Visible(), character, milliseconds, controls_.list1.ListIndex()));
    return true;
}

void frmPindle::list1_DblClick(int rowUnderPointer) {
    // The first click selected the row under the pointer, unless the list
    // moved under it meanwhile.
    SelectRow(rowUnderPointer);
    Command1_Click();
}

void frmPindle::Image1_DblClick() { Command1_Click(); }

void frmPindle::File1_Click() {
    const char sep = host_.separator;
    const std::string shotsByDefault = Installed() ? file1_.Path() + "media" + sep : appFolder_ + "shots" + sep;
    // An arcade clone without a picture of its own shows its parent's.
    const std::string name = file1_.FileName();
    const MachineTraits* traits = sets_.TraitsOf(name);
    const std::string parent = traits && !traits->parent.empty() ? traits->parent + LastChars(name, 4) : "";
    const GameEntry* game = games_ ? games_->Find(name) : nullptr;
    const std::string own = game && !game->image.empty() ? GameImagePath(game->image) : "";  // the player's own first
    // "shots" is read at each selection, on the picture's worker: the settings may sit on a share.
    PictureCandidates candidates = [settings = settings_, section = section_, shotsByDefault, app = appFolder_, name, sep,
                                    parent, own] {
        const std::string shots = WithTrailingSeparator(settings.Read(section, "shots").value_or(shotsByDefault), sep);
        std::vector<std::string> pictures = PreviewCandidates(shots, app, name, sep, parent);
        if (!own.empty()) pictures.insert(pictures.begin(), own);
        return pictures;
    };
    const std::string what = shotsByDefault + '\n' + name + '\n' + parent + '\n' + own;
    TakePictureStep(picture_.Want(what, std::move(candidates), clock_.Now(), controls_.form.InputWaiting()));
}

void frmPindle::TakePictureStep(const PictureStep& step) {
    if (step.settle) controls_.form.StartTimer(FormTimer::Picture, static_cast<int>(PictureOnShow::kSettleMs));
    if (!step.read) return;
    const PixelSize screen = controls_.image1.Screen();
    pictures_->Read(picture_.Ticket(), picture_.Wanted(), {screen.width, screen.height});
}

void frmPindle::Form_Timer(FormTimer timer) {
    switch (timer) {
        case FormTimer::Showing:
            return ShowWindow();  // the list may come later
        case FormTimer::Titles:
            programs_->Ask(sets_.TitlesQuestion(BuildStartRequest(emulatorPath_, appFolder_, "", host_.separator)));
            return AskForMachines();
        case FormTimer::Pads: {
            if (!pads_.Reading()) return;
            const PadNews news = pads_.Read(controls_.pads.Read(), clock_.Now());
            controls_.form.StartTimer(FormTimer::Pads, news.nextReadMs);
            if (!news.endGames) return Pad_Command(news.command);
            session_.EndAsked();  // the player wants out: asked first, ended after a while
            programs_->EndGames(false);
            return controls_.form.StartTimer(FormTimer::GameEnds, kGameEndsMs);
        }
        case FormTimer::GameEnds:
            if (session_.EndWasAsked() && session_.GameRunning()) programs_->EndGames(true);
            return;
        case FormTimer::Picture:
            return TakePictureStep(picture_.Timer(controls_.form.InputWaiting()));
    }
}

void frmPindle::PictureRead(std::uint64_t ticket, FoundPicture found) {
    // A picture of a ROM no longer selected never shows.
    if (!picture_.Read(ticket).show) return;
    controls_.image1.Show(std::move(found.picture));
    const bool screenshot =
        found.index >= 0 && static_cast<std::size_t>(found.index) + kLogoCandidates < found.candidates;
    const auto row = static_cast<std::size_t>(controls_.list1.ListIndex());
    const std::string rom(row < Visible().size() ? Visible()[row] : std::string_view());
    controls_.image1.SetName(rom.empty() ? design::kTitle : (screenshot ? "Screenshot of " : "No screenshot of ") + rom);
}

void frmPindle::Command1_Click() {
    // One press, one start: nothing more while a start is under way or its
    // message shows, nor while the window is away (a key that waited in
    // the queue while the game started, a pad in a game's hands).
    if (!session_.Take(SessionEvent::Play).start) return;
    const char sep = host_.separator;
    const std::string name = file1_.FileName();
    const std::string parameters = BuildParameterString(launchMode_, file1_.Path(), name, sep);
    StartRequest request = BuildStartRequest(emulatorPath_, appFolder_, parameters, sep);
    if (!name.empty()) request.rom = WithTrailingSeparator(file1_.Path(), sep) + name;
    request.argsSetting = args_;
    request.parameterIsPath = launchMode_ != 1;
    programs_->Start(request);  // checked and made beside the window's thread
}

void frmPindle::StartFinished(const StartRequest& request, const StartResult& result) {
    if (result.started) {
        session_.Started(result.watched);
        GoAway();
    } else {
        const std::string program = ShortenedForDisplay(request.program, host_.separator);
        controls_.form.ShowMessage("Could not start the emulator " + program + ": " + result.error);
        session_.Take(SessionEvent::StartFailed);
    }
}

void frmPindle::GoAway() {
    if (HowToGoAway(host_) == GoingAway::Hide) {
        controls_.form.Hide();
    } else {
        controls_.form.Minimize();
    }
    UpdatePadReading();
}

void frmPindle::ProgramEnded(const ProgramOutcome& outcome, std::int64_t lastedMs) {
    // Back from the game: the window returns when the last emulator ends,
    // unless the user has brought it back already.
    if (!session_.GameRunning()) return;
    const bool last = session_.GameEnded();
    UpdatePadReading();
    if (!last || !session_.Take(SessionEvent::LastGameEnded).comeBack) return;
    ComeBack();
    // One that failed as it began says why, as far as it said; not one the
    // player ended, nor a launcher that handed over and ended with 0.
    const bool failed = outcome.exitCode != 0 || outcome.signal != 0;
    if (!failed || lastedMs >= kAtOnceMs || session_.EndWasAsked()) return;
    controls_.form.ShowMessage("The emulator " + FileNamePart(emulatorPath_, host_.separator) + " ended at once (" +
                               HowItEnded(outcome) + ")" + (outcome.lastLines.empty() ? "." : ": " + outcome.lastLines));
}

void frmPindle::Pad_Command(PadCommand command) {
    if (command == PadCommand::None) return;
    if (command == PadCommand::Play) return Command1_Click();
    controls_.list1.SetFocus();
    const int selected = controls_.list1.ListIndex();
    if (command == PadCommand::PreviousLetter) return SelectRow(FirstOfPreviousLetter(Visible(), selected));
    if (command == PadCommand::NextLetter) return SelectRow(FirstOfNextLetter(Visible(), selected));
    MoveSelection(command == PadCommand::Up       ? Key::Up
                  : command == PadCommand::Down   ? Key::Down
                  : command == PadCommand::PageUp ? Key::PageUp
                                                  : Key::PageDown);
}

}  // namespace tarvo
