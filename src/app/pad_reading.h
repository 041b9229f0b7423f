#pragma once
// When the pads are read, and for what: the list's moves while the window
// is in use, only Back and Start held together while a game Tarvo started
// runs, never on a game's behalf otherwise.

#include <cstdint>
#include <vector>

#include "ui/pad_input.h"

namespace tarvo {

enum class PadsRead { Not, ForTheList, ForTheGamesEnd };

struct PadWindow {
    bool active = false;       // the window is the active one
    bool away = false;         // out of a game's way, or minimised
    bool padQuits = true;      // the "padquit" setting
    bool gameRunning = false;  // a game Tarvo started and watches
};

struct PadReadStep {
    PadsRead next;
    bool startTimer = false;  // reading begins: the pads' timer starts
    bool resume = false;      // what is held as the list gets them counts only once let go
    bool newQuit = false;     // Back and Start are counted from now
};

PadReadStep NextPadReading(PadsRead now, const PadWindow& window);

// What one reading of the pads asks of the window.
struct PadNews {
    int nextReadMs = 0;                     // read again after this long; 0: not at all
    PadCommand command = PadCommand::None;  // for the list
    bool endGames = false;                  // the player wants out of the game
};

class PadReading {
public:
    // The pads, read this often while the window is in use.
    static constexpr int kReadMs = 16;

    bool Reading() const { return read_ != PadsRead::Not; }
    // The window changed: whether the pads' timer is to start.
    bool Update(const PadWindow& window);
    PadNews Read(const std::vector<PadState>& pads, std::int64_t now);

private:
    PadsRead read_ = PadsRead::Not;
    PadRepeat repeat_;
    PadQuit quit_;
};

}  // namespace tarvo
