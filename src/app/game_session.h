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

// The session and the games it watches: started, not yet ended.
class GameSession {
public:
    Session Now() const { return session_; }
    SessionStep Take(SessionEvent event) {
        const SessionStep step = NextSession(session_, event);
        session_ = step.next;
        return step;
    }
    // A start made; a watched game counts until its end is told.
    SessionStep Started(bool watched) {
        if (watched) ++running_, ++started_;
        return Take(SessionEvent::Started);
    }
    bool GameRunning() const { return running_ > 0; }
    // A watched game's end: true when it was the last one running.
    bool GameEnded() { return running_ > 0 && --running_ == 0; }
    // The player asked the games running now to end; whether they are
    // still the ones running (no game started since).
    void EndAsked() { toEnd_ = started_; }
    bool EndWasAsked() const { return toEnd_ == started_; }

private:
    Session session_ = Session::Idle;
    int running_ = 0;
    int started_ = 0;  // ever, so a late forced end finds its own game
    int toEnd_ = -1;   // started_ when the player asked games to end
};

// How Tarvo gets out of the game's way. Where a minimised window cannot
// bring itself back (Wayland has no request for it), it hides, and shows
// again after the game; so it does where nothing minimises (gamescope).
enum class GoingAway { Minimise, Hide };
GoingAway HowToGoAway(const Host& host);

}  // namespace tarvo
