// Start-up to the first shown window, and peak memory, of programs that
// list a generated ROM folder: the first is measured against the second
// (its floor), any further ones are references. Runs are interleaved and
// medians reported. Needs an X display without a window manager
// (scripts/bench starts Xvfb): a window is "shown" when the X server
// reports it mapped. In a command, {roms} stands for the ROM folder and
// {winroms} for the same as Wine names it.
//   startup_bench WORK_DIR MATCHING RUNS "NAME=COMMAND WORDS"...

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "rom_folder.h"

extern char** environ;

namespace {

struct Sample {
    double milliseconds;
    long peakKilobytes;
};

class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) {
            std::fprintf(stderr, "startup_bench: no X display\n");
            std::exit(2);
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }

    // Blocks until a top-level window is mapped.
    void WaitForMap() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped) return;
        }
    }

private:
    xcb_connection_t* connection_;
};

Sample Measure(Display& display, const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror(argv[0]);
        std::exit(2);
    }
    display.WaitForMap();
    const auto shown = std::chrono::steady_clock::now();
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {std::chrono::duration<double, std::milli>(shown - start).count(), usage.ru_maxrss};
}

Sample Median(std::vector<Sample> samples) {
    auto middle = [&](auto key) {
        std::sort(samples.begin(), samples.end(), [&](const Sample& a, const Sample& b) { return key(a) < key(b); });
        return samples[samples.size() / 2];
    };
    const double ms = middle([](const Sample& s) { return s.milliseconds; }).milliseconds;
    const long kb = middle([](const Sample& s) { return s.peakKilobytes; }).peakKilobytes;
    return {ms, kb};
}

struct Program {
    std::string name;
    std::vector<std::string> command;
    std::vector<Sample> samples;
};

Program Parse(const std::string& definition, const std::string& folder) {
    Program program{definition.substr(0, definition.find('=')), {}, {}};
    std::string winFolder = "Z:" + folder;
    std::replace(winFolder.begin(), winFolder.end(), '/', '\\');
    std::istringstream words(definition.substr(definition.find('=') + 1));
    for (std::string word; words >> word;) {
        program.command.push_back(word == "{roms}" ? folder : word == "{winroms}" ? winFolder : word);
    }
    return program;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench WORK_DIR MATCHING RUNS \"NAME=COMMAND\"...\n");
        return 2;
    }
    const std::string work = argv[1];
    const int matching = std::atoi(argv[2]);
    const int runs = std::atoi(argv[3]);
    const std::string folder = tarvo::bench::MakeRomFolder(work, matching);
    std::vector<Program> programs;
    for (int i = 4; i < argc; ++i) programs.push_back(Parse(argv[i], folder));
    if (programs.size() < 2) return 0;  // only the folder was wanted

    Display display;
    for (int run = 0; run < runs; ++run) {  // interleaved, so load on the machine hits all alike
        for (auto& program : programs) program.samples.push_back(Measure(display, program.command));
    }
    std::printf("Start-up to the first shown window, %d matching files (+ as many others), median of %d runs\n",
                matching, runs);
    std::vector<Sample> medians;
    for (const auto& program : programs) {
        medians.push_back(Median(program.samples));
        std::printf("  %-34s %8.1f ms  %7ld KiB peak\n", program.name.c_str(), medians.back().milliseconds,
                    medians.back().peakKilobytes);
    }
    std::printf("  %s against %s: time %.2f, peak memory %.2f\n", programs[0].name.c_str(), programs[1].name.c_str(),
                medians[0].milliseconds / medians[1].milliseconds,
                static_cast<double>(medians[0].peakKilobytes) / static_cast<double>(medians[1].peakKilobytes));
    return 0;
}
