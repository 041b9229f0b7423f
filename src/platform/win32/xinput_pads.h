#pragma once
// The gamepads on Windows, through XInput, loaded at run time from the
// system folder (xinput1_4.dll, else xinput9_1_0.dll) at the first reading,
// so that Tarvo.exe starts where neither exists.

#include <windows.h>
#include <xinput.h>

#include <vector>

#include "ui/controls.h"
#include "ui/pad_input.h"

namespace tarvo::win32 {

class XInputPads : public PadReader {
public:
    std::vector<PadState> Read() override;

private:
    decltype(&XInputGetState) getState_ = nullptr;
    bool loaded_ = false;
    // A slot without a pad is asked again only now and then: asking costs.
    ULONGLONG nextLook_[XUSER_MAX_COUNT] = {};
};

}  // namespace tarvo::win32
