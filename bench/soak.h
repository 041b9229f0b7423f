#pragma once
// A long evening in minutes: cycles of Play, a game that ends after 0.2 s
// and the window back, with an F5 every fifth cycle and two selection moves
// (and their pictures) each; the process's resident memory, open handles
// and threads every 100 cycles. Nothing that lives as long as the window
// (the process watch, the pads, the picture and folder readers) may grow.
// The emulator is a stand-in MAME: each F5 finds two sets it was never
// asked about, so MAME is asked -listxml for them (one told as a BIOS,
// hidden once told: a name ending in "bios"). Every tenth game plays until closed, and is ended by Back and
// Start held on the stand-in pad; every tenth, five cycles on, fails at
// once, and Tarvo's message about it is answered. A gamelist.xml in the ROM
// folder names the first set as the players do (read again at each F5), and
// each cycle the find line narrows the list to that name and gives it back.
// Shared by both platforms' soak programs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tarvo::bench {

struct SoakSample {
    double residentMiB;
    long handles;  // Linux: open descriptors; Windows: kernel handles
    long threads;
};

// What the stand-in does when it is next started as a game.
enum class SoakGame { Short, Endless, Failing };

// The stand-in MAME's -listfull: a "Game <set>" title for each set.
// The players' name for a set, in a gamelist.xml beside the ROMs: no title
// holds "players".
inline const char* kSoakPlayersName = "The players' own";
inline std::string SoakGameList(const std::string& set) {
    return "<?xml version=\"1.0\"?>\n<gameList>\n  <game><path>./" + set + ".zip</path><name>" + kSoakPlayersName +
           "</name></game>\n</gameList>\n";
}

inline std::string SoakListFull(const std::vector<std::string>& sets) {
    std::string answer = "Name:             Description:\n";
    for (const std::string& set : sets) answer += set + std::string(set.size() < 18 ? 18 - set.size() : 1, ' ') + "\"Game " + set + "\"\n";
    return answer;
}

class SoakWindow {
public:
    virtual ~SoakWindow() = default;
    virtual void NextGame(SoakGame game) = 0;
    virtual void Play() = 0;
    // Lets the window work until done, or the time is up; false then.
    virtual bool WaitUntil(const std::function<bool()>& done, int milliseconds) = 0;
    virtual bool Away() = 0;  // out of the game's way: minimised, or hidden where a window cannot come back
    virtual void HoldBackAndStart(bool held) = 0;  // on the stand-in pad, plugged in throughout
    // The text of the message box answered (OK pressed) since last asked;
    // empty when none came. Any that comes is answered.
    virtual std::string TakeMessage() = 0;
    virtual void PutRom(const std::string& set, bool there) = 0;  // a .zip in the ROM folder
    virtual int Rows() = 0;       // the list's rows
    virtual void Refresh() = 0;   // F5, and its reading done
    virtual void Move(bool down) = 0;  // a key in the list, and its picture shown
    virtual void Find(const std::string& text) = 0;  // F3, the text typed in the find line
    virtual void EndFind() = 0;                      // Esc in the find line
    virtual SoakSample Measure() = 0;
};

// Returns the exit code: 1 when a game never ended, the window never came
// back, MAME's answer never came or a message was wrong.
inline int RunSoak(SoakWindow& window, int cycles, const char* platform) {
    std::printf("Soak, %s: %d cycles of Play, a 0.2 s game and back; an F5 every 5th, MAME asked -listxml for 2 new sets;\n"
                "  every 10th game ended by Back+Start held on the pad, every 10th (5 on) failing at once and its message "
                "answered; 2 moves with pictures each; the find line narrowed to the gamelist's name and closed each\n",
                platform, cycles);
    std::printf("  %6s %12s %9s %8s\n", "cycles", "resident MiB", "handles", "threads");
    auto fail = [](int cycle, const std::string& what) {
        std::printf("  cycle %d: %s\n", cycle, what.c_str());
        return 1;
    };
    auto back = [&](int milliseconds) { return window.WaitUntil([&] { return !window.Away(); }, milliseconds); };
    auto away = [&](int milliseconds) { return window.WaitUntil([&] { return window.Away(); }, milliseconds); };
    const int rows = window.Rows();
    std::string added, failedMessage;
    double slowestQuit = 0;
    std::vector<SoakSample> samples;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const SoakGame game = cycle % 10 == 3 ? SoakGame::Endless : cycle % 10 == 8 ? SoakGame::Failing : SoakGame::Short;
        window.NextGame(game);
        window.Play();
        if (game == SoakGame::Failing) {
            // Gone and back sooner than a look may catch: the message tells it came back.
            std::string message;
            if (!window.WaitUntil([&] { return !(message = window.TakeMessage()).empty(); }, 5000) || !back(5000)) {
                return fail(cycle, "the failed game's message or the window's return never came");
            }
            if (message.find("ended at once (exit code 2)") == std::string::npos) return fail(cycle, "told \"" + message + "\"");
            failedMessage = message;
        } else if (!away(5000)) {
            return fail(cycle, "the game never started");
        } else if (game == SoakGame::Endless) {
            const auto held = std::chrono::steady_clock::now();
            window.HoldBackAndStart(true);
            const bool ended = back(10000);  // held for 1.5 s, then the game asked to close
            window.HoldBackAndStart(false);
            if (!ended) return fail(cycle, "Back and Start held, and the game was never ended");
            slowestQuit = std::max(slowestQuit, std::chrono::duration<double>(std::chrono::steady_clock::now() - held).count());
        } else if (!back(5000)) {
            return fail(cycle, "the window's return never came");
        }
        if (cycle % 5 == 0) {
            if (!added.empty()) window.PutRom(added, false), window.PutRom(added + "bios", false);
            char set[16];
            std::snprintf(set, sizeof set, "s%04d", cycle);
            added = set;
            window.PutRom(added, true), window.PutRom(added + "bios", true);
            window.Refresh();
            if (!window.WaitUntil([&] { return window.Rows() == rows + 1; }, 5000)) {
                return fail(cycle, "MAME's -listxml answer for the new sets never showed (the BIOS still listed)");
            }
        }
        window.Move(cycle % 2 == 1);
        window.Move(cycle % 2 == 1);
        const int listed = window.Rows();
        window.Find("players");
        if (!window.WaitUntil([&] { return window.Rows() == 1; }, 5000)) {
            return fail(cycle, "the find line never kept the one row the gamelist names \"" + std::string(kSoakPlayersName) + "\"");
        }
        window.EndFind();
        if (!window.WaitUntil([&] { return window.Rows() == listed; }, 5000)) return fail(cycle, "Esc never gave the list back");
        if (const std::string message = window.TakeMessage(); !message.empty()) return fail(cycle, "told \"" + message + "\"");
        if (cycle % 100 == 0) {
            samples.push_back(window.Measure());
            const SoakSample& s = samples.back();
            std::printf("  %6d %12.1f %9ld %8ld\n", cycle, s.residentMiB, s.handles, s.threads);
        }
    }
    if (!added.empty()) window.PutRom(added, false), window.PutRom(added + "bios", false);
    if (samples.size() >= 2) {
        const SoakSample& first = samples.front();
        const SoakSample& last = samples.back();
        std::printf("  after 100 cycles against the last: resident memory %+.1f%%, handles %+ld, threads %+ld\n",
                    (last.residentMiB / first.residentMiB - 1) * 100, last.handles - first.handles, last.threads - first.threads);
    }
    if (slowestQuit > 0) std::printf("  Back+Start held to the window back: %.2f s at most\n", slowestQuit);
    if (!failedMessage.empty()) std::printf("  the failed start's message: \"%s\"\n", failedMessage.c_str());
    return 0;
}

}  // namespace tarvo::bench
