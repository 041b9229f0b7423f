// The soak on Windows: Tarvo.exe's real window in this process, a stand-in
// MAME (soak_game.exe, copied as mame.exe) that plays for 0.2 s.
//   soak_bench ROM_FOLDER SHOT_FOLDER CYCLES
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../soak.h"
#include "tarvo_window.h"
#include "wide_text.h"
#include "windows_host.h"
#include "windows_parts.h"

namespace {

// Under Wine, this process's descriptors as Linux counts them (Z: is the
// Linux root): what Wine's handles to files, pipes and events hold.
DWORD LinuxDescriptors() {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(L"Z:\\proc\\self\\fd\\*", &entry);
    DWORD count = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) count += entry.cFileName[0] != L'.';
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return count;
}

class Win32SoakWindow : public tarvo::bench::SoakWindow {
public:
    explicit Win32SoakWindow(tarvo::win32::TarvoWindow& window) : window_(window) {}
    void Play() override { SendMessageW(window_.Command1(), BM_CLICK, 0, 0); }
    bool WaitMinimized(bool minimized, int milliseconds) override {
        return WaitUntil([&] { return (IsIconic(window_.Handle()) != FALSE) == minimized; }, milliseconds);
    }
    void Refresh() override {
        Key(VK_F5);
        WaitUntil([&] { return !window_.Reading(); }, 5000);
    }
    void Move(bool down) override {
        SetFocus(window_.List1());
        Key(down ? VK_DOWN : VK_UP);
        WaitUntil([&] { return window_.PictureSettled(); }, 5000);
    }
    tarvo::bench::SoakSample Measure() override {
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        DWORD handles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &handles);
        if (handles == 0) handles = LinuxDescriptors();  // Wine counts no handles
        long threads = 0;
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 thread{sizeof thread, 0, 0, 0, 0, 0, 0};
        for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
            threads += thread.th32OwnerProcessID == GetCurrentProcessId();
        }
        CloseHandle(snapshot);
        return {static_cast<double>(memory.WorkingSetSize) / (1 << 20), static_cast<long>(handles), threads};
    }

private:
    void Key(WPARAM key) {
        const HWND focus = GetFocus() ? GetFocus() : window_.Handle();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    }
    template <class Done>
    bool WaitUntil(Done done, int milliseconds) {
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
        for (MSG message;; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) window_.Process(message);
            if (done()) return true;
            if (GetTickCount64() > end) return false;
        }
    }

    tarvo::win32::TarvoWindow& window_;
};

void SetSetting(const wchar_t* name, const wchar_t* value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Tarvo\\Settings", name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    SetSetting(L"roms", argv[1]);
    SetSetting(L"shots", argv[2]);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.erase(folder.rfind(L'\\') + 1);
    CopyFileW((folder + L"soak_game.exe").c_str(), (folder + L"mame.exe").c_str(), FALSE);  // a game of 0.2 s
    tarvo::win32::WindowsInstance instance;
    tarvo::win32::WindowsParts parts(instance);
    tarvo::Host host = tarvo::win32::WindowsHost();
    host.commandLine = tarvo::win32::Narrow(folder + L"mame.exe");
    tarvo::win32::TarvoWindow window(host, parts.MakePorts());
    if (!window.Created()) return std::fprintf(stderr, "soak_bench: no window\n"), 2;
    window.Load();
    Win32SoakWindow soak(window);
    for (MSG message; !IsWindowVisible(window.Handle()) && GetMessageW(&message, nullptr, 0, 0) > 0;) window.Process(message);
    return tarvo::bench::RunSoak(soak, std::atoi(tarvo::win32::Narrow(argv[3]).c_str()), "Tarvo.exe under Wine");
}
