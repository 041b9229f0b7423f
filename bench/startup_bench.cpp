// Start-up to the first shown window, and to the full list, and peak
// memory, of programs that list a generated ROM folder: the first is
// measured against the second (its floor), any further ones are
// references. Runs are interleaved and medians reported. Needs an X display
// without a window manager (scripts/bench starts Xvfb): a window is "shown"
// when the X server reports it mapped; a program whose name begins with "@"
// may show its window before its list, which is full when its first rows'
// text, in the list's designed blue, is on screen; for the others the two
// are one. In a command, {roms} stands for the ROM folder and {winroms} for
// the same as Wine names it. FOLDER: "40000" (40,000 ROMs among 80,000
// files), "numbered-40000" (the same, numbered names), or a folder (a share
// mounted over one).
//   startup_bench WORK_DIR FOLDER RUNS "NAME=COMMAND WORDS"...

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
#include <thread>
#include <vector>

#include "rom_folder.h"

extern char** environ;

namespace {

struct Sample {
    double milliseconds, listMilliseconds;
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

    // Blocks until a top-level window is mapped; which.
    xcb_window_t WaitForMap() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (mapped) return window;
        }
        return 0;
    }

    // Whether the window's first rows (left third, top) show text in pure blue.
    bool ListShown(xcb_window_t window) {
        xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        if (!size) return false;
        const auto width = static_cast<uint16_t>(size->width / 3 - 8), height = static_cast<uint16_t>(40);
        std::free(size);
        xcb_get_image_reply_t* image = xcb_get_image_reply(
            connection_, xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 4, 2, width, height, ~0u), nullptr);
        bool blue = false;
        const int length = image ? xcb_get_image_data_length(image) : 0;
        for (int i = 0; i + 3 < length && !blue; i += 4) {
            const uint8_t* bgr = xcb_get_image_data(image) + i;
            blue = bgr[0] > 200 && bgr[1] < 80 && bgr[2] < 80;
        }
        std::free(image);
        return blue;
    }

private:
    xcb_connection_t* connection_;
};

Sample Measure(Display& display, const std::vector<std::string>& command, bool listLater) {
    std::vector<char*> argv;
    for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror(argv[0]);
        std::exit(2);
    }
    const xcb_window_t window = display.WaitForMap();
    const auto shown = std::chrono::steady_clock::now();
    auto listed = shown;
    while (listLater && !display.ListShown(window) && listed - shown < std::chrono::minutes(2)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        listed = std::chrono::steady_clock::now();
    }
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {std::chrono::duration<double, std::milli>(shown - start).count(),
            std::chrono::duration<double, std::milli>(listed - start).count(), usage.ru_maxrss};
}

Sample Median(std::vector<Sample> samples) {
    auto middle = [&](auto key) {
        std::sort(samples.begin(), samples.end(), [&](const Sample& a, const Sample& b) { return key(a) < key(b); });
        return samples[samples.size() / 2];
    };
    const double ms = middle([](const Sample& s) { return s.milliseconds; }).milliseconds;
    const double listMs = middle([](const Sample& s) { return s.listMilliseconds; }).listMilliseconds;
    const long kb = middle([](const Sample& s) { return s.peakKilobytes; }).peakKilobytes;
    return {ms, listMs, kb};
}

struct Program {
    std::string name;
    bool listLater;
    std::vector<std::string> command;
    std::vector<Sample> samples;
};

Program Parse(const std::string& definition, const std::string& folder) {
    Program program{definition.substr(0, definition.find('=')), definition[0] == '@', {}, {}};
    if (program.listLater) program.name.erase(0, 1);
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
        std::fprintf(stderr, "usage: startup_bench WORK_DIR FOLDER RUNS \"NAME=COMMAND\"...\n");
        return 2;
    }
    const std::string work = argv[1], shape = argv[2];
    const bool numbered = shape.rfind("numbered-", 0) == 0;
    const int runs = std::atoi(argv[3]);
    const std::string folder = shape.find('/') != std::string::npos
                                   ? shape
                                   : tarvo::bench::MakeRomFolder(work, std::atoi(shape.c_str() + (numbered ? 9 : 0)), numbered);
    std::vector<Program> programs;
    for (int i = 4; i < argc; ++i) programs.push_back(Parse(argv[i], folder));
    if (programs.size() < 2) return 0;  // only the folder was wanted

    Display display;
    for (int run = 0; run < runs; ++run) {  // interleaved, so load on the machine hits all alike
        for (auto& program : programs) program.samples.push_back(Measure(display, program.command, program.listLater));
    }
    std::printf("Start-up, %s, median of %d runs: to the window, to the full list\n", folder.c_str(), runs);
    std::vector<Sample> medians;
    for (const auto& program : programs) {
        medians.push_back(Median(program.samples));
        std::printf("  %-34s %8.1f ms %8.1f ms  %7ld KiB peak\n", program.name.c_str(), medians.back().milliseconds,
                    medians.back().listMilliseconds, medians.back().peakKilobytes);
    }
    std::printf("  %s against %s: window %.2f, full list %.2f, peak memory %.2f\n", programs[0].name.c_str(),
                programs[1].name.c_str(), medians[0].milliseconds / medians[1].milliseconds,
                medians[0].listMilliseconds / medians[1].listMilliseconds,
                static_cast<double>(medians[0].peakKilobytes) / static_cast<double>(medians[1].peakKilobytes));
    return 0;
}
