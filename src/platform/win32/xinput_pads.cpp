#include "xinput_pads.h"

#include "on_demand.h"

namespace tarvo::win32 {

namespace {

constexpr ULONGLONG kLookForNewPadsMs = 1000;

PadState StateOf(const XINPUT_GAMEPAD& pad) {
    PadState state;
    state.dpadUp = pad.wButtons & XINPUT_GAMEPAD_DPAD_UP;
    state.dpadDown = pad.wButtons & XINPUT_GAMEPAD_DPAD_DOWN;
    state.leftShoulder = pad.wButtons & XINPUT_GAMEPAD_LEFT_SHOULDER;
    state.rightShoulder = pad.wButtons & XINPUT_GAMEPAD_RIGHT_SHOULDER;
    state.a = pad.wButtons & XINPUT_GAMEPAD_A;
    state.start = pad.wButtons & XINPUT_GAMEPAD_START;
    state.back = pad.wButtons & XINPUT_GAMEPAD_BACK;
    state.stickY = -1 - pad.sThumbLY;  // XInput's up is positive
    state.leftTrigger = pad.bLeftTrigger * 32767 / 255;
    state.rightTrigger = pad.bRightTrigger * 32767 / 255;
    return state;
}

}  // namespace

std::vector<PadState> XInputPads::Read() {
    if (!loaded_) {  // at the first reading, once the window is up
        loaded_ = true;
        // From the system folder only: an emulator's folder often holds an XInput of its own.
        for (const wchar_t* library : {L"xinput1_4.dll", L"xinput9_1_0.dll"}) {
            if (HMODULE module = LoadSystemLibrary(library)) {
                getState_ = reinterpret_cast<decltype(getState_)>(
                    reinterpret_cast<void*>(GetProcAddress(module, "XInputGetState")));
                if (getState_) break;
            }
        }
    }
    std::vector<PadState> pads;
    if (!getState_) return pads;  // no XInput here: the keys will do
    const ULONGLONG now = GetTickCount64();
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        if (now < nextLook_[slot]) continue;
        XINPUT_STATE state{};
        if (getState_(slot, &state) == ERROR_SUCCESS) {
            pads.push_back(StateOf(state.Gamepad));
        } else {
            nextLook_[slot] = now + kLookForNewPadsMs;  // a pad plugged in is found within a second
        }
    }
    return pads;
}

}  // namespace tarvo::win32
