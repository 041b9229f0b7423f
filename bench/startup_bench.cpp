// Start-up to the first shown window, and peak memory, of tarvo on a large
// ROM folder against a minimal Qt program that lists the same folder, with
// an empty Qt window for reference. Needs an X display without a window
// manager (scripts/bench starts Xvfb): a program's window is "shown" when
// the X server reports it mapped.
//   startup_bench TARVO BASELINE_LIST BASELINE_EMPTY WORK_DIR MATCHING RUNS

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: startup_bench TARVO BASELINE_LIST BASELINE_EMPTY WORK_DIR MATCHING RUNS\n");
        return 2;
    }
    const std::string work = argv[4];
    const int matching = std::atoi(argv[5]);
    const int runs = std::atoi(argv[6]);
    const std::string folder = tarvo::bench::MakeRomFolder(work, matching);

    // tarvo reads its ROM folder from its settings and keeps its instance
    // socket apart from any real Tarvo.
    const std::string config = work + "/config";
    std::system(("mkdir -p '" + config + "/Tarvo' '" + work + "/runtime' && chmod 700 '" + work + "/runtime'").c_str());
    std::ofstream(config + "/Tarvo/Tarvo.conf") << "[Settings]\nroms=" << folder << "\n";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (work + "/runtime").c_str(), 1);

    Display display;
    std::vector<Sample> tarvo, list, empty;
    for (int i = 0; i < runs; ++i) {  // interleaved, so load on the machine hits all alike
        tarvo.push_back(Measure(display, {argv[1], "/usr/games/mame"}));
        list.push_back(Measure(display, {argv[2], folder}));
        empty.push_back(Measure(display, {argv[3]}));
    }
    const Sample t = Median(tarvo), l = Median(list), e = Median(empty);
    std::printf("Start-up to the first shown window, %d matching files (+ as many others), median of %d runs\n",
                matching, runs);
    std::printf("  tarvo           %8.1f ms  %7ld KiB peak\n", t.milliseconds, t.peakKilobytes);
    std::printf("  baseline list   %8.1f ms  %7ld KiB peak\n", l.milliseconds, l.peakKilobytes);
    std::printf("  empty window    %8.1f ms  %7ld KiB peak   (reference)\n", e.milliseconds, e.peakKilobytes);
    std::printf("  ratio time   %.2f (target: at most 1.25)\n", t.milliseconds / l.milliseconds);
    std::printf("  ratio memory %.2f (target: at most 1.25)\n",
                static_cast<double>(t.peakKilobytes) / static_cast<double>(l.peakKilobytes));
    return 0;
}
