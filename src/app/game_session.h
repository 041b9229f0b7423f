#pragma once
// A game's way from Play to the window's return, as Tarvo itself knows it:
// never read back from the window system, which on Wayland does not tell a
// minimised window from one in sight.

#include "os/host.h"

namespace tarvo {

enum class Session {
    Idle,      // the window is the player's: Play starts
    Starting,  // Play pressed, its start under way or its message showing
    Away,      // out of the game's way until the last game ends
};

enum class SessionEvent {
    Play,           // Play, Enter, a double-click, the pad's A
    StartFailed,    // its message is done
    Started,
    LastGameEnded,  // no game Tarvo started runs any more
    AnotherStart,   // Tarvo started again for this emulator
    UserCameBack,   // the player brought the window back themselves
};

struct SessionStep {
    Session next;
    bool start = false;     // the selected ROM starts now
    bool comeBack = false;  // the window comes back now, its list focused
};

SessionStep NextSession(Session now, SessionEvent event);

// How Tarvo gets out of the game's way. Where a minimised window cannot
// bring itself back (Wayland has no request for it), it hides, and shows
// again after the game; so it does where nothing minimises (gamescope).
enum class GoingAway { Minimise, Hide };
GoingAway HowToGoAway(const Host& host);

}  // namespace tarvo
