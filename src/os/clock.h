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

}  // namespace tarvo
