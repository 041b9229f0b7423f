// The start-up sequence of frmPindle.

#include "text/ini.h"
#include "text/paths.h"
#include "text/utf8.h"
#include "ui/design.h"
#include "app/frm_pindle.h"

namespace tarvo {

namespace {

bool IsQuoted(const std::string& text) { return text.size() >= 2 && text.front() == '"' && text.back() == '"'; }

}  // namespace

frmPindle::LoadResult frmPindle::Form_Load() {
    const char sep = host_.separator;
    appFolder_ = WithTrailingSeparator(host_.executableFolder, sep);
    settings_.TakePortable(files_.ReadFile(appFolder_ + kPortableSettings, kMostSettingsBytes));

    const std::string& commandLine = host_.commandLine;
    if (!commandLine.empty()) {
        emulatorPath_ = IsQuoted(commandLine) ? commandLine.substr(1, commandLine.size() - 2) : commandLine;
        emulatorPath_ = WithHomeFolder(emulatorPath_, host_.home);  // a desktop entry's Exec never expands "~"
    }

    if (!RecognizeEmulator() && !RecognizeBySection()) {
        const std::string named = emulatorPath_;
        emulatorPath_ = ReadSettingOr("emu", "");
        if (emulatorPath_.empty()) {
            emulatorPath_ = named;
            controls_.form.ShowMessage(WhyNoEmulator());
            return LoadResult::EndProgram;
        }
        file1_.SetPattern("*.*");
        section_ = SectionOf(emulatorPath_).value_or("");
        system_ = ProgramName(emulatorPath_);
    }
    // Debian's emulator, where the user's settings say nothing of it.
    if (!builtIn_ && Installed() && !SectionOf(section_)) builtIn_ = FindBuiltIn(section_);
    if (builtIn_ && *builtIn_->core && !FileExists(builtIn_->core)) {
        controls_.form.ShowMessage(emulatorName_ + " needs its core " + builtIn_->core + ".\n\nInstall it with: sudo apt install " +
                                   builtIn_->package);
        return LoadResult::EndProgram;
    }
    // The emulator's own settings now count, before the common ones.
    if (const auto pattern = settings_.ReadIn(section_, "pattern"); pattern && !pattern->empty()) file1_.SetPattern(*pattern);
    args_ = settings_.ReadIn(section_, "args").value_or(builtIn_ && builtIn_->args ? builtIn_->args : "");
    ChooseRomFolders();

    if (instance_.AnotherIsRunning()) {
        const std::string keptCaption = controls_.form.Caption();
        controls_.form.SetCaption("!");  // so the search cannot find this window
        instance_.HandCaption(keptCaption);
        return LoadResult::EndProgram;
    }

    controls_.command1.SetToolTip(ShortenedForDisplay(emulatorPath_, sep));
    const std::string name = emulatorName_.empty() ? ProgramName(emulatorPath_) : emulatorName_;
    controls_.command1.SetDescription("Starts " + name + " with the selected ROM");
    sets_.SetHidden(ReadSettingOr("hide", ""));
    padQuits_ = !EqualsIgnoreCase(ReadSettingOr("padquit", "on"), "off");
    namesClean_ = EqualsIgnoreCase(ReadSettingOr("names", ""), "clean");
    RefreshList();  // the window shows when it is read, or a moment after
    File1_Click();
    controls_.form.StartTimer(FormTimer::Showing, kShowWithinMs);
    return LoadResult::Run;
}

}  // namespace tarvo
