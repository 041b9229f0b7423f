#include "app/pad_reading.h"

namespace tarvo {

PadReadStep NextPadReading(PadsRead now, const PadWindow& window) {
    const PadsRead next = window.active && !window.away                           ? PadsRead::ForTheList
                          : window.away && window.padQuits && window.gameRunning ? PadsRead::ForTheGamesEnd
                                                                                 : PadsRead::Not;
    if (next == now) return {now};
    // A timer under way takes the new rate, or stops.
    return {next, now == PadsRead::Not, next == PadsRead::ForTheList, next == PadsRead::ForTheGamesEnd};
}

bool PadReading::Update(const PadWindow& window) {
    const PadReadStep step = NextPadReading(read_, window);
    read_ = step.next;
    if (step.resume) repeat_.Resume();
    if (step.newQuit) quit_ = PadQuit();
    return step.startTimer;
}

PadNews PadReading::Read(const std::vector<PadState>& pads, std::int64_t now) {
    switch (read_) {
        case PadsRead::Not:
            return {};
        case PadsRead::ForTheList:
            return {kReadMs, repeat_.Poll(pads, now)};
        case PadsRead::ForTheGamesEnd: {
            const bool quit = quit_.Poll(pads, now);
            return {quit_.NextReadMs(), PadCommand::None, quit};
        }
    }
    return {};
}

}  // namespace tarvo
