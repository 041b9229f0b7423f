// A stand-in XInput for the tests, put beside the test program as
// xinput1_4.dll (WINEDLLOVERRIDES has Wine load it before its own): one
// pad, in slot 0, which the test plugs in and moves with StandInPad.
#include <windows.h>
#include <xinput.h>

namespace {

XINPUT_STATE g_state{};
bool g_connected = false;

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    if (slot != 0 || !g_connected) return ERROR_DEVICE_NOT_CONNECTED;
    *state = g_state;
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) void StandInPad(WORD buttons, SHORT thumbLY) {
    g_connected = true;
    ++g_state.dwPacketNumber;
    g_state.Gamepad.wButtons = buttons;
    g_state.Gamepad.sThumbLY = thumbLY;
}
