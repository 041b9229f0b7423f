// Where frmPindle looks for ROMs when no setting says, and what it says
// when it finds no emulator or no ROM.

#include "app/frm_pindle.h"
#include "text/paths.h"
#include "text/utf8.h"

namespace tarvo {

void frmPindle::ChooseRomFolders() {
    const char sep = host_.separator;
    const std::string home = WithTrailingSeparator(host_.home, sep);
    // An installed Tarvo's folder holds programs: the ROMs are in the home
    // folder, as the common front ends lay them out, or where MAME itself
    // looks. A folder of Tarvo's own holds its "roms" folder, and itself
    // is listed when that holds no file.
    const std::string byDefault = Installed() ? home + "ROMs" + sep + system_ + sep : appFolder_ + "roms" + sep;
    const std::optional<std::string> named = ReadSetting("roms");
    romFolder_ = WithTrailingSeparator(named.value_or(byDefault), sep);
    fallbackFolder_ = !Installed() ? appFolder_ : !named && system_ == "arcade" ? home + "mame" + sep + "roms" + sep : "";
    file1_.SetPath(romFolder_);
}

std::string frmPindle::EmptyListText() const {
    std::string folder = romFolder_.size() > 1 ? romFolder_.substr(0, romFolder_.size() - 1) : romFolder_;
    return "No ROMs in " + WithTilde(folder, host_.home) + " (" + file1_.Pattern() + ")";
}

std::string frmPindle::WhyNoEmulator() const {
    const std::string place = settings_.Portable() ? appFolder_ + kPortableSettings : host_.settingsPlace;
    const std::string where = place.empty() ? "" : " in " + place;
    const std::string name = ProgramName(emulatorPath_);
    if (EqualsIgnoreCase(name, "retroarch")) {
        return "RetroArch needs a core to start a game. Name one in the \"args\" of a [" + name + "] section" + where +
               ", for example:\n\n[" + name + "]\npattern=*.nes;*.zip\nargs=" +
               (host_.separator == '/' ? FindBuiltIn("retroarch-nes")->args : "-L cores\\nestopia_libretro.dll %ROM%");
    }
    const std::string help = host_.helpPlace.empty() ? "" : "\n\n" + host_.helpPlace + " shows an example.";
    if (name.empty()) {
        // No emulator named at all.
        if (!Installed()) return "Specify the emulator full path in the command line.";
        return "Specify the emulator full path in the command line.\n\nThe menu has a \"Tarvo - ...\" entry for each "
               "emulator installed; or name one in the \"emu\" setting" + where + "." + help;
    }
    return "Tarvo does not know the emulator " + ShortenedForDisplay(emulatorPath_, host_.separator) +
           ". Give it a section [" + name + "]" + where + " with its \"pattern\" and \"args\", or name the emulator to use in the "
           "\"emu\" setting of [Settings]." + help;
}

}  // namespace tarvo
