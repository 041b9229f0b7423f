#pragma once
// A long evening in minutes: cycles of Play, a game that ends after 0.2 s
// and the window back, with an F5 every fifth cycle and two selection moves
// (and their pictures) each; the process's resident memory, open handles
// and threads every 100 cycles. Nothing that lives as long as the window
// (the process watch, the pads, the picture and folder readers) may grow.
// Shared by both platforms' soak programs.

#include <cstdio>
#include <vector>

namespace tarvo::bench {

struct SoakSample {
    double residentMiB;
    long handles;  // Linux: open descriptors; Windows: kernel handles
    long threads;
};

class SoakWindow {
public:
    virtual ~SoakWindow() = default;
    virtual void Play() = 0;
    // Lets the window work until it is minimised (so) or back (not), or the
    // time is up; false then.
    virtual bool WaitMinimized(bool minimized, int milliseconds) = 0;
    virtual void Refresh() = 0;   // F5, and its reading done
    virtual void Move(bool down) = 0;  // a key in the list, and its picture shown
    virtual SoakSample Measure() = 0;
};

// Returns the exit code: 1 when a game never ended or the window never came back.
inline int RunSoak(SoakWindow& window, int cycles, const char* platform) {
    std::printf("Soak, %s: %d cycles of Play, a 0.2 s game and back; an F5 every 5th; 2 moves with pictures each\n",
                platform, cycles);
    std::printf("  %6s %12s %9s %8s\n", "cycles", "resident MiB", "handles", "threads");
    std::vector<SoakSample> samples;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        window.Play();
        if (!window.WaitMinimized(true, 5000) || !window.WaitMinimized(false, 5000)) {
            std::printf("  cycle %d: the game or the window's return never came\n", cycle);
            return 1;
        }
        if (cycle % 5 == 0) window.Refresh();
        window.Move(cycle % 2 == 1);
        window.Move(cycle % 2 == 1);
        if (cycle % 100 == 0) {
            samples.push_back(window.Measure());
            const SoakSample& s = samples.back();
            std::printf("  %6d %12.1f %9ld %8ld\n", cycle, s.residentMiB, s.handles, s.threads);
        }
    }
    if (samples.size() < 2) return 0;
    const SoakSample& first = samples.front();
    const SoakSample& last = samples.back();
    std::printf("  after 100 cycles against the last: resident memory %+.1f%%, handles %+ld, threads %+ld\n",
                (last.residentMiB / first.residentMiB - 1) * 100, last.handles - first.handles, last.threads - first.threads);
    return 0;
}

}  // namespace tarvo::bench
