#pragma once
// A steady clock in milliseconds: only differences count. It may be read
// on any thread.

#include <chrono>
#include <cstdint>

namespace tarvo {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t Now() = 0;
};

class SteadyClock : public Clock {
public:
    std::int64_t Now() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    }
};

// The system's steady clock for a part whose maker hands it none; never
// destroyed, as a thread abandoned to the system may still read it.
inline Clock& SystemSteadyClock() {
    static SteadyClock* const clock = new SteadyClock;
    return *clock;
}

}  // namespace tarvo
