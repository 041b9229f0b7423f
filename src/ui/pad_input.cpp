#include "ui/pad_input.h"

#include <algorithm>

namespace tarvo {

namespace {

constexpr int kHalfWay = 16384;

bool AnyHeld(const PadState& pad) {
    return pad.dpadUp || pad.dpadDown || pad.leftShoulder || pad.rightShoulder || pad.a || pad.start || pad.back ||
           pad.stickY < -kHalfWay || pad.stickY > kHalfWay || pad.leftTrigger > kHalfWay || pad.rightTrigger > kHalfWay;
}

// What the pads ask for, one command at a time: Play before anything else.
PadCommand Wanted(const std::vector<PadState>& pads) {
    bool play = false, up = false, down = false, pageUp = false, pageDown = false, previous = false, next = false;
    for (const PadState& pad : pads) {
        play = play || pad.a || pad.start;
        up = up || pad.dpadUp || pad.stickY < -kHalfWay;
        down = down || pad.dpadDown || pad.stickY > kHalfWay;
        pageUp = pageUp || pad.leftShoulder;
        pageDown = pageDown || pad.rightShoulder;
        previous = previous || pad.leftTrigger > kHalfWay;
        next = next || pad.rightTrigger > kHalfWay;
    }
    return play       ? PadCommand::Play
           : up       ? PadCommand::Up
           : down     ? PadCommand::Down
           : pageUp   ? PadCommand::PageUp
           : pageDown ? PadCommand::PageDown
           : previous ? PadCommand::PreviousLetter
           : next     ? PadCommand::NextLetter
                      : PadCommand::None;
}

}  // namespace

PadCommand PadRepeat::Poll(const std::vector<PadState>& pads, std::int64_t now) {
    const PadCommand wanted = Wanted(pads);
    if (resumed_) {  // held since before the window came back: nothing until all is let go
        resumed_ = std::any_of(pads.begin(), pads.end(), AnyHeld);
        held_ = PadCommand::None;
        return PadCommand::None;
    }
    if (wanted != held_) {
        held_ = wanted;
        nextRepeat_ = now + kDelayMs;
        return wanted;
    }
    // Play never repeats: one press, one emulator.
    if (held_ == PadCommand::None || held_ == PadCommand::Play || now < nextRepeat_) return PadCommand::None;
    nextRepeat_ += kIntervalMs;
    if (nextRepeat_ <= now) nextRepeat_ = now + kIntervalMs;  // late polls do not pile repeats up
    return held_;
}

bool PadQuit::Poll(const std::vector<PadState>& pads, std::int64_t now) {
    const bool held = std::any_of(pads.begin(), pads.end(), [](const PadState& pad) { return pad.back && pad.start; });
    const bool wasClose = eitherHeld_;
    eitherHeld_ = std::any_of(pads.begin(), pads.end(), [](const PadState& pad) { return pad.back || pad.start; });
    if (!held) {
        since_ = -1;
        told_ = false;
        return false;
    }
    if (since_ < 0) since_ = now - (wasClose ? kCloseReadMs : kSlowReadMs);
    if (told_ || now - since_ < kHoldMs) return false;
    told_ = true;
    return true;
}

}  // namespace tarvo
