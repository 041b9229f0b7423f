// The soak on Windows: Tarvo.exe's real window in this process, the
// stand-in XInput pad plugged in, and a stand-in MAME (soak_game.exe, copied
// as mame.exe into the soak's folder beside this program): a game of 0.2 s,
// one that plays until closed or one that fails at once, as the bench says
// before each Play; its titles and machines told.
//   soak_bench ROM_FOLDER SHOT_FOLDER CYCLES   (under Wine: the stand-in XInput
//                                              in the prefix's system folder,
//                                              WINEDLLOVERRIDES=xinput1_4=n)
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <xinput.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

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

namespace fs = std::filesystem;

// A message box runs its own loop: answered from there, by a timer's call.
std::string g_message;
void CALLBACK AnswerMessage(HWND, UINT, UINT_PTR, DWORD) {
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process != GetCurrentProcessId()) continue;
        wchar_t text[1024];
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        g_message = tarvo::win32::Narrow(text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

using PlugPad = void (*)(WORD buttons, SHORT thumbLY, BYTE leftTrigger, BYTE rightTrigger);

class Win32SoakWindow : public tarvo::bench::SoakWindow {
public:
    Win32SoakWindow(tarvo::win32::TarvoWindow& window, fs::path soak, PlugPad pad)
        : window_(window), soak_(std::move(soak)), pad_(pad), answerer_(SetTimer(nullptr, 0, 50, AnswerMessage)) {
        pad_(0, 0, 0, 0);
    }
    ~Win32SoakWindow() override { KillTimer(nullptr, answerer_); }
    void NextGame(tarvo::bench::SoakGame game) override {
        const char* words[] = {"short", "endless", "failing"};
        std::ofstream(soak_ / "next") << words[static_cast<int>(game)] << "\n";
    }
    void Play() override { SendMessageW(window_.Command1(), BM_CLICK, 0, 0); }
    bool Away() override { return IsIconic(window_.Handle()) != FALSE; }
    void HoldBackAndStart(bool held) override {
        pad_(held ? static_cast<WORD>(XINPUT_GAMEPAD_BACK | XINPUT_GAMEPAD_START) : 0, 0, 0, 0);
    }
    std::string TakeMessage() override { return std::exchange(g_message, std::string()); }
    void PutRom(const std::string& set, bool there) override {
        const fs::path rom = soak_ / "roms" / (set + ".zip");
        if (there) {
            std::ofstream(rom) << "rom";
        } else {
            fs::remove(rom);
        }
    }
    int Rows() override { return static_cast<int>(SendMessageW(window_.List1(), LB_GETCOUNT, 0, 0)); }
    bool WaitUntil(const std::function<bool()>& done, int milliseconds) override {
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
        for (MSG message;; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) window_.Process(message);
            if (done()) return true;
            if (GetTickCount64() > end) return false;
        }
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
    void Find(const std::string& text) override {
        Key(VK_F3);
        WaitUntil([&] { return GetFocus() == window_.FindLine(); }, 5000);
        for (const char c : text) PostMessageW(window_.FindLine(), WM_CHAR, static_cast<WPARAM>(c), 1);
    }
    void EndFind() override { Key(VK_ESCAPE); }
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

    tarvo::win32::TarvoWindow& window_;
    const fs::path soak_;
    const PlugPad pad_;
    const UINT_PTR answerer_;
};

void SetSetting(const wchar_t* name, const wchar_t* value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Tarvo\\Settings", name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    wchar_t self[MAX_PATH], system[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path folder = fs::path(self).parent_path(), soak = folder / "soak";
    GetSystemDirectoryW(system, MAX_PATH);
    const auto pad = reinterpret_cast<PlugPad>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW((std::wstring(system) + L"\\xinput1_4.dll").c_str()), "StandInPad")));
    if (!pad) return std::fprintf(stderr, "soak_bench: no stand-in xinput1_4.dll in the system folder\n"), 2;
    // The ROMs, in a folder of the soak's own: F5 finds new sets there.
    fs::remove_all(soak / "roms");
    fs::create_directories(soak / "roms");
    std::vector<std::string> sets;
    for (const auto& rom : fs::directory_iterator(argv[1])) {
        if (rom.path().extension() != ".zip") continue;
        fs::copy_file(rom.path(), soak / "roms" / rom.path().filename());
        sets.push_back(rom.path().stem().string());
    }
    std::sort(sets.begin(), sets.end());
    std::ofstream(soak / "listfull.txt", std::ios::binary) << tarvo::bench::SoakListFull(sets);
    std::ofstream(soak / "roms" / "gamelist.xml", std::ios::binary) << tarvo::bench::SoakGameList(sets.front());
    CopyFileW((folder / "soak_game.exe").c_str(), (soak / "mame.exe").c_str(), FALSE);
    SetSetting(L"roms", (soak / "roms").c_str());
    SetSetting(L"shots", argv[2]);
    tarvo::win32::WindowsInstance instance;
    tarvo::win32::WindowsParts parts(instance);
    tarvo::Host host = tarvo::win32::WindowsHost();
    host.commandLine = tarvo::win32::Narrow((soak / "mame.exe").wstring());
    tarvo::win32::TarvoWindow window(host, parts.MakePorts());
    if (!window.Created()) return std::fprintf(stderr, "soak_bench: no window\n"), 2;
    window.Load();
    Win32SoakWindow soaked(window, soak, pad);
    for (MSG message; !IsWindowVisible(window.Handle()) && GetMessageW(&message, nullptr, 0, 0) > 0;) window.Process(message);
    soaked.WaitUntil([] { return false; }, 1000);  // the pad found, MAME's first answers in
    return tarvo::bench::RunSoak(soaked, std::atoi(tarvo::win32::Narrow(argv[3]).c_str()), "Tarvo.exe under Wine");
}
