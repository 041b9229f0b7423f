// A stand-in XInput for the tests, put where the system keeps its own as
// xinput1_4.dll (WINEDLLOVERRIDES has Wine load it before its own): one
// pad, in slot 0, which the test plugs in and moves with StandInPad. A
// test moves the pad of another process through the mapping
// Local\Tarvo.StandInPad while it holds one: an XINPUT_STATE, then a LONG
// counting the readings. Where it is loaded it leaves xinput1_4.dll.loaded
// beside itself.
#include <windows.h>
#include <xinput.h>

namespace {

XINPUT_STATE g_state{};
bool g_connected = false;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8];
        const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
        lstrcpyW(path + length, L".loaded");
        CloseHandle(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    if (slot != 0) return ERROR_DEVICE_NOT_CONNECTED;
    if (HANDLE shared = OpenFileMappingW(FILE_MAP_WRITE, FALSE, L"Local\\Tarvo.StandInPad")) {
        auto* pad = static_cast<XINPUT_STATE*>(MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, sizeof *state + sizeof(LONG)));
        if (pad) *state = *pad, InterlockedIncrement(reinterpret_cast<LONG*>(pad + 1)), UnmapViewOfFile(pad);
        CloseHandle(shared);
        return pad ? ERROR_SUCCESS : ERROR_DEVICE_NOT_CONNECTED;
    }
    if (!g_connected) return ERROR_DEVICE_NOT_CONNECTED;
    *state = g_state;
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) void StandInPad(WORD buttons, SHORT thumbLY, BYTE leftTrigger, BYTE rightTrigger) {
    g_connected = true;
    ++g_state.dwPacketNumber;
    g_state.Gamepad.wButtons = buttons;
    g_state.Gamepad.sThumbLY = thumbLY;
    g_state.Gamepad.bLeftTrigger = leftTrigger;
    g_state.Gamepad.bRightTrigger = rightTrigger;
}
