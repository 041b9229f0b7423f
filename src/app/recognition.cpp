// Emulator recognition: which profile the emulator path belongs to.

#include <algorithm>

#include "app/emulator_profiles.h"
#include "app/frm_pindle.h"
#include "text/name_order.h"
#include "text/paths.h"
#include "text/utf8.h"
#include "text/ini.h"
#include "text/wildcard.h"

namespace tarvo {

namespace {

const std::string kExe = ".exe";

bool EndsWithIgnoreCase(const std::string& text, const std::string& tail) {
    const std::string end = text.size() > tail.size() ? text.substr(text.size() - tail.size()) : text;
    return EqualsIgnoreCase(end, tail);
}

std::string WithoutExe(const std::string& name) { return name.substr(0, name.size() - kExe.size()); }

}  // namespace

bool frmPindle::MatchEmulator(const std::string& name) {
    const bool bareNames = !host_.programsCarryExe;
    // Only the raw tail counts: "KGENS.EXE" is "gens.exe".
    if (EndsWithIgnoreCase(emulatorPath_, name)) return true;
    // Where programs carry no ".exe", /usr/games/mame is "mame.exe", but only
    // as a whole file name: /usr/bin/changes is not "ages.exe".
    if (bareNames &&
        EqualsIgnoreCase(FileNamePart(emulatorPath_, host_.separator), WithoutExe(name))) {
        return true;
    }
    // Nothing on the command line: adopt an emulator from Tarvo's own folder
    // (an installed Tarvo's holds the system's programs, none of them chosen).
    if (!emulatorPath_.empty() || Installed()) return false;
    if (FileExists(appFolder_ + name)) {
        emulatorPath_ = name;
        return true;
    }
    if (bareNames) {
        const std::string bare = WithoutExe(name);
        if (FileExists(appFolder_ + bare) && files_.IsExecutableFile(appFolder_ + bare)) {
            emulatorPath_ = bare;
            return true;
        }
    }
    return false;
}

bool frmPindle::MatchFolderWildcard(const std::string& pattern) {
    NameList names;
    if (Installed()) return false;
    if (!files_.ListFiles(appFolder_, WildcardSet(pattern), names) || names.empty()) return false;
    // The same order as the file list, so the choice does not depend on the
    // order the file system happens to list names in.
    emulatorPath_ = appFolder_ + std::string(names[OrderLikeFileList(names).front()]);
    return true;
}

std::string frmPindle::ProgramName(const std::string& program) const {
    const std::string name = FileNamePart(program, host_.separator);
    return EndsWithIgnoreCase(name, kExe) ? WithoutExe(name) : name;
}

std::optional<std::string> frmPindle::SectionOf(const std::string& program) {
    const std::string name = ProgramName(program);
    // [Settings] is every emulator's: no program's own.
    if (name.empty() || EqualsIgnoreCase(name, "Settings")) return std::nullopt;
    return settings_.Section(name);
}

bool frmPindle::RecognizeBySection() {
    const std::optional<std::string> section = SectionOf(emulatorPath_);
    if (!section) return RecognizeBuiltIn();
    section_ = *section;
    system_ = section_;
    controls_.form.SetCaption(controls_.form.Caption() + " - " + section_);
    emulatorName_ = section_;
    file1_.SetPattern("*.*");  // unless the section says otherwise
    return true;
}

bool frmPindle::RecognizeBuiltIn() {
    const BuiltInEmulator* known = Installed() ? FindBuiltIn(ProgramName(emulatorPath_)) : nullptr;
    if (!known) return false;
    // A name alone is the entry's: its program where Debian puts it.
    if (emulatorPath_.find(host_.separator) == std::string::npos) emulatorPath_ = known->program;
    builtIn_ = known;
    section_ = known->name;
    system_ = known->system;
    emulatorName_ = known->menuName;
    controls_.form.SetCaption(controls_.form.Caption() + " - " + emulatorName_);
    file1_.SetPattern(known->pattern ? known->pattern : "*.*");
    return true;
}

void frmPindle::ApplyProfile(const EmulatorProfile& profile) {
    // Its own settings, by the row's name (a wildcard row's by the file it found).
    section_ = profile.match == EmulatorProfile::Match::Name ? WithoutExe(profile.executable)
                                                             : FileNamePart(WithoutExe(emulatorPath_), host_.separator);
    system_ = profile.system;
    controls_.form.SetCaption(controls_.form.Caption() + profile.captionSuffix);
    const std::string_view suffix = profile.captionSuffix;
    emulatorName_ = suffix.substr(suffix.rfind(" - ") == 0 ? 3 : 0);
    if (profile.filePattern != nullptr) file1_.SetPattern(profile.filePattern);
    if (profile.launchMode == 1) launchMode_ = 1;
    sets_ = ArcadeSets(profile.launchMode == 1, profile.tellsTitles);
}

bool frmPindle::RecognizeEmulator() {
    for (const auto& profile : kEmulatorProfiles) {
        const bool matched = profile.match == EmulatorProfile::Match::Name ? MatchEmulator(profile.executable)
                                                                           : MatchFolderWildcard(profile.executable);
        if (matched) {
            ApplyProfile(profile);
            return true;
        }
    }
    return false;
}

}  // namespace tarvo
