// Writes the package's menu entries, one per emulator Debian ships: each
// shows in the menu only while its program is installed (TryExec).
//   tarvo_menu_entries FOLDER

#include <fstream>
#include <iostream>

#include "app/built_in_emulators.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarvo_menu_entries FOLDER\n";
        return 2;
    }
    for (const tarvo::BuiltInEmulator& emulator : tarvo::kBuiltInEmulators) {
        std::ofstream entry(std::string(argv[1]) + "/io.github.tarvo.tarvo." + emulator.name + ".desktop");
        // A menu cannot test for RetroArch's core (a library, not a program):
        // Tarvo says which package brings it.
        entry << "[Desktop Entry]\n"
                 "Type=Application\n"
                 "Name=Tarvo - " << emulator.menuName << "\n"
                 "GenericName=Emulator Front End\n"
                 "Comment=Lists the ROMs in ~/ROMs/" << emulator.system << " and starts them with " << emulator.menuName << "\n"
                 "Keywords=emulator;front end;ROM;" << emulator.system << ";\n"
                 "Icon=tarvo\n"
                 "TryExec=" << emulator.program << "\n"
                 "Exec=tarvo " << tarvo::MenuCommandLine(emulator) << "\n"
                 "Terminal=false\n"
                 "StartupNotify=true\n"
                 "Categories=Game;Emulator;\n";
        if (!entry) return std::cerr << "cannot write the entry for " << emulator.name << "\n", 1;
    }
    return 0;
}
