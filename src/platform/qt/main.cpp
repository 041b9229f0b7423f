// tarvo: started with an emulator's path, lists its ROMs and starts them.

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "end_signals.h"
#include "linux_host.h"
#include "linux_parts.h"
#include "process_tree.h"
#include "standard_streams.h"
#include "tarvo_window.h"

namespace {

const char kUsage[] =
    "Usage: tarvo EMULATOR\n"
    "       tarvo --help | --version\n"
    "Lists the ROMs of the emulator whose path is the whole command line (blanks\n"
    "included; /usr/games/mame is MAME), shows their screenshots and starts the\n"
    "emulator with the one you pick.\n"
    "\n"
    "Settings, in $XDG_CONFIG_HOME/Tarvo/Tarvo.conf (~/.config/Tarvo/Tarvo.conf),\n"
    "group [Settings], or an emulator's own group ([mame], [retroarch]: its file\n"
    "name less .exe), looked up there first:\n"
    "  roms      the ROM folder\n"
    "  shots     the screenshot folder\n"
    "  emu       the emulator when the command line names none tarvo knows\n"
    "  hide      more arcade sets to hide: clones,mechanical,notworking\n"
    "  padquit   off: Back and Start held do not end a game\n"
    "  names     clean: names without their (...) and [...] tags, articles first\n"
    "In an emulator's group only:\n"
    "  pattern   its ROM files, wildcards separated by ; (*.sfc;*.smc)\n"
    "  args      its arguments, with %ROM%, %ROMFILE%, %BASENAME%, %ROMDIR%\n"
    "A file Tarvo.ini beside the tarvo executable, with the same groups and keys,\n"
    "replaces Tarvo.conf when it is there; in it a relative path is taken from\n"
    "the executable's folder, so the folder works wherever it is mounted.\n"
    "\n"
    "Installed (in /usr/games), with no roms setting, tarvo looks in\n"
    "~/ROMs/<system> (~/ROMs/nes, ~/ROMs/arcade, then MAME's own ~/mame/roms),\n"
    "screenshots in ~/ROMs/<system>/media; the menu has a \"Tarvo - ...\" entry\n"
    "for each emulator installed. Without an emulator on the command line, the\n"
    "emu setting names one; else tarvo says so. ~ in a path is your home.\n"
    "\n"
    "Example, ~/.config/Tarvo/Tarvo.conf for: tarvo /usr/bin/retroarch\n"
    "  [retroarch]\n"
    "  roms=~/ROMs/snes\n"
    "  pattern=*.sfc;*.smc;*.zip\n"
    "  args=-L /usr/lib/x86_64-linux-gnu/libretro/bsnes_mercury_balanced_libretro.so %ROM%\n"
    "\n"
    "Keys: Enter or a double-click starts the selected ROM, Esc closes tarvo,\n"
    "F5 reads the ROM folder again, letters typed find the ROM they begin, Ctrl+F\n"
    "or F3 opens a find line that narrows the list to the names holding every word\n"
    "typed (Esc gives the whole list back). A gamelist.xml beside the ROMs (or\n"
    "~/ES-DE/gamelists/<system>/) names them as other front ends do. A\n"
    "gamepad: the D-pad or left stick moves, the shoulder buttons page, the\n"
    "triggers jump by first letter, A or Start plays; Back and Start held for\n"
    "1.5 s end the game. See tarvo(1).\n";

}  // namespace

int main(int argc, char** argv) {
    tarvo::posix::OpenMissingStandardStreams();
    // An emulator's path never begins with "--": these two are Tarvo's own.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0)) {
        std::fputs(argv[1][2] == 'h' ? kUsage : "tarvo " TARVO_VERSION "\n", stdout);
        return 0;
    }
    // The command line belongs to Tarvo, not to Qt: Qt sees only the name.
    const std::string settingsFile = tarvo::posix::LinuxSettings::UsersFile();
    tarvo::Host host = tarvo::posix::LinuxHost(argc, argv, settingsFile);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    host.minimisedWindowsComeBack = tarvo::posix::MinimisedWindowsComeBack(QGuiApplication::platformName().toStdString());
    // A game is over when all its emulator started has ended, launchers' games included.
    tarvo::posix::BecomeReaperOfDescendants();

    tarvo::SingleInstance instance(tarvo::SingleInstance::DefaultFolder());
    tarvo::LinuxParts parts(instance, settingsFile);
    int code = 0;
    {
        tarvo::TarvoWindow window(host, parts.MakePorts(), &instance);
        // Hidden for a game, the window's close is no last window's: the loop is ended too,
        // and so is the start's message, whose loop runs before the window's (quit() would
        // wait for that one).
        bool ended = false;
        tarvo::EndSignals endSignals([&window, &ended] { ended = true, window.close(), QCoreApplication::exit(0); });
        // The window shows itself once its list is read, or a moment after.
        if (window.Load() == tarvo::frmPindle::LoadResult::Run && !ended) code = app.exec();
        instance.Release();  // a new start is the running Tarvo from now on
    }  // what waits beside the window ends with it
    return tarvo::FinishProcess(code);
}
