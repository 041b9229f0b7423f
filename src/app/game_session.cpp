#include "game_session.h"

namespace tarvo {

SessionStep NextSession(Session now, SessionEvent event) {
    switch (event) {
        case SessionEvent::Play:
            // One press, one start: nothing more while one is under way, or
            // while a game has the screen (a key that waited in the queue,
            // a reader's click, a pad in the game's hands).
            return now == Session::Idle ? SessionStep{Session::Starting, true} : SessionStep{now};
        case SessionEvent::StartFailed:
            return {now == Session::Starting ? Session::Idle : now};
        case SessionEvent::Started:
            return {now == Session::Starting ? Session::Away : now};
        case SessionEvent::LastGameEnded:
            // Back, unless the player came back first.
            return now == Session::Away ? SessionStep{Session::Idle, false, true} : SessionStep{now};
        case SessionEvent::AnotherStart:
            return {now == Session::Away ? Session::Idle : now, false, true};
        case SessionEvent::UserCameBack:
            return {now == Session::Away ? Session::Idle : now};
    }
    return {now};
}

GoingAway HowToGoAway(const Host& host) {
    return host.oneWindowAtATime || !host.minimisedWindowsComeBack ? GoingAway::Hide : GoingAway::Minimise;
}

}  // namespace tarvo
