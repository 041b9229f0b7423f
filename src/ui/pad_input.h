#pragma once
// A gamepad drives the window as the keys do: the D-pad or the left stick
// moves a row (held, it repeats as a key does), the shoulder buttons a
// page, the triggers to the next or the previous first letter, A or Start
// is Play. During a game, Back and Start held together end it. Nothing else
// does anything.

#include <cstdint>
#include <vector>

namespace tarvo {

// One pad as its driver reads it.
struct PadState {
    bool dpadUp = false, dpadDown = false;
    bool leftShoulder = false, rightShoulder = false;
    bool a = false, start = false;
    int stickY = 0;  // the left stick, -32768 all the way up to 32767 all the way down
    int leftTrigger = 0, rightTrigger = 0;  // 0 let go to 32767 all the way in
    bool back = false;  // Back, Select, View: the small button left of the middle
};

enum class PadCommand { None, Up, Down, PageUp, PageDown, PreviousLetter, NextLetter, Play };

// Turns the pads' states, read again and again while the window is active,
// into commands: one when a button is pressed, then for a held row or page
// the repeats of a held key (after 400 ms, then every 80 ms).
class PadRepeat {
public:
    static constexpr std::int64_t kDelayMs = 400, kIntervalMs = 80;

    // The command due now (a steady clock in ms) for the pads as they are.
    PadCommand Poll(const std::vector<PadState>& pads, std::int64_t now);
    // The window became active again: what is held now was pressed while
    // it was not; no button counts until every one has been let go.
    void Resume() { resumed_ = true; }

private:
    PadCommand held_ = PadCommand::None;
    std::int64_t nextRepeat_ = 0;
    bool resumed_ = true;  // the first poll finds the window just come back; until all is let go
};

// Back and Start held together for kHoldMs: the player wants the game to
// end. Told once for each time they are held so. The pads are read seldom
// while neither is held, closely once one is; a hold may have begun a slow
// reading before it was first seen, so it counts from then.
class PadQuit {
public:
    static constexpr std::int64_t kHoldMs = 1500;
    static constexpr int kSlowReadMs = 250, kCloseReadMs = 16;

    // Whether the pads, as they are now (a steady clock in ms), ask for it.
    bool Poll(const std::vector<PadState>& pads, std::int64_t now);
    // When to read the pads next, in ms.
    int NextReadMs() const { return eitherHeld_ ? kCloseReadMs : kSlowReadMs; }

private:
    std::int64_t since_ = -1;  // when both were first seen held; -1: they are not
    bool told_ = false, eitherHeld_ = false;
};

}  // namespace tarvo
