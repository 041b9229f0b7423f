#pragma once
// One Tarvo at a time: a later start finds the running one and hands it its
// caption; the running one decides what that start means
// (frmPindle::Form_AnotherStart).

#include <string>

namespace tarvo {

class Instance {
public:
    virtual ~Instance() = default;
    // Whether another Tarvo was running when this one started. A Tarvo is
    // findable from its first moment, its start-up message included.
    virtual bool AnotherIsRunning() = 0;
    // Hands this start's caption to the running Tarvo, without waiting for
    // what it makes of it.
    virtual void HandCaption(const std::string& caption) = 0;
};

}  // namespace tarvo
