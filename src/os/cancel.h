#pragma once
// What a piece of work beside the window's thread asks between its steps:
// whether it is still wanted. A call that blocks in the system asks it
// between short waits.

namespace tarvo {

class Cancellable {
public:
    virtual bool Cancelled() const = 0;

protected:
    ~Cancellable() = default;
};

// Work that is never cancelled (a call made on its own, a test's).
class NeverCancelled : public Cancellable {
public:
    bool Cancelled() const override { return false; }
};

}  // namespace tarvo
