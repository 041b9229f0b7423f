#pragma once
// The gamepads on Windows, through XInput, loaded at run time from the
// system folder (xinput1_4.dll, else xinput9_1_0.dll) so that Tarvo.exe
// starts where neither exists. The
// pads are read only while the window is active, on a timer of the window's.

#include <windows.h>
#include <xinput.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "ui/controls.h"
#include "ui/pad_input.h"

namespace tarvo::win32 {

class XInputPads : public PadReader {
public:
    static constexpr UINT_PTR kTimer = 1;
    using Reading = std::function<void(const std::vector<PadState>& pads, std::int64_t milliseconds)>;
    XInputPads(HWND window, Reading reading) : window_(window), reading_(std::move(reading)) {}

    // About sixty times a second while reading, on the window's timer;
    // nothing at all otherwise.
    void SetReading(bool reading) override;
    // The window's WM_TIMER for kTimer.
    void Read();

private:
    HWND window_;
    Reading reading_;
    decltype(&XInputGetState) getState_ = nullptr;
    bool loaded_ = false;
    // A slot without a pad is asked again only now and then: asking costs.
    ULONGLONG nextLook_[XUSER_MAX_COUNT] = {};
};

}  // namespace tarvo::win32
