#include "rom_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace tarvo::bench {

std::string MakeRomFolder(const std::string& parent, int matching, bool numbered) {
    const std::string folder = parent + (numbered ? "/numbered-" : "/roms-") + std::to_string(matching);
    const std::string complete = folder + "/.complete";
    if (access(complete.c_str(), F_OK) == 0) return folder;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::mt19937 random(42);
    const char* const prefixes[] = {"Super ", "the ", "Mega ", "", "Ülkü ", "street ", "Final "};
    for (int i = 0; i < 2 * matching; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%05d", i / 2 + 1);
        const std::string name =
            (numbered ? "game " + std::string(number) + " title " + std::to_string(i / 2 % 7 + 1)
                      : std::string(prefixes[random() % 7]) + "Game " + std::to_string(random() % 100000) + "-" + std::to_string(i)) +
            (i % 2 == 0 ? ".zip" : ".txt");
        const int fd = open((folder + "/" + name).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0) close(fd);
    }
    close(open(complete.c_str(), O_CREAT | O_WRONLY, 0644));
    return folder;
}

}  // namespace tarvo::bench
