// A stand-in emulator: asked for its titles (-listfull), it adds its
// process id to asked.pid beside itself, waits for answer-now there, prints
// listfull and exits with the number in listfull.status (else 0); asked
// for its machines (-listxml ...), it waits for answer-now too, prints
// listxml and exits with the number in listxml.status. Started
// for a game, it adds what followed its name on the command line and
// its working folder, as UTF-8 lines, to launched.txt beside itself, and
// writes to opened.txt whether it could open the file its first argument
// names ("opened" or "not opened"). With fail beside it, holding "<code>
// <seconds>", it exits with that code after that long. Else it plays, in a
// window of its own shown without taking the focus, until <N>.end or
// end-all appears beside it (N: its parameters after the last "\"), and
// writes <N>.ended as it ends; WM_CLOSE to its window ends it too, unless
// stubborn is there.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "command_line.h"
#include "wide_text.h"

namespace {

bool Opens(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

std::string Read(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string text(file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!text.empty()) ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return text.substr(0, got);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Write(const std::wstring& path, const std::string& text, DWORD access = GENERIC_WRITE, DWORD how = CREATE_ALWAYS) {
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, how, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// Its game's window: it plays until it is closed, or an end file appears.
struct Game {
    std::wstring name, folder;
    bool stubborn;
    int ticks = 0;  // at most 30 s, as a test's game never outlives its test
};

LRESULT CALLBACK GameWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* game = reinterpret_cast<Game*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_TIMER:
            if (Exists(game->name + L".end") || Exists(game->folder + L"end-all") || ++game->ticks > 600) {
                Write(game->name + L".ended", "");
                DestroyWindow(window);
            }
            return 0;
        case WM_CLOSE:
            if (!game->stubborn) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Play(Game game) {
    WNDCLASSW type{};
    type.lpfnWndProc = GameWindow;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"TarvoStandInGame";
    RegisterClassW(&type);
    HWND window = CreateWindowExW(0, type.lpszClassName, L"game", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr,
                                  type.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&game));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, 1, 50, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using tarvo::win32::Narrow;
    wchar_t self[MAX_PATH], current[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring folder(self);
    folder.resize(folder.rfind(L'\\') + 1);
    const std::wstring tail = tarvo::win32::CommandLineTail(GetCommandLineW());
    if (tail.rfind(L"-listxml", 0) == 0) {  // whatever sets it is asked for
        for (int i = 0; i < 600 && !Exists(folder + L"answer-now"); ++i) Sleep(50);
        const std::string answer = Read(folder + L"listxml");
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr);
        return std::atoi(Read(folder + L"listxml.status").c_str());
    }
    if (tail == L"-listfull") {
        Write(folder + L"asked.pid", std::to_string(GetCurrentProcessId()) + "\n", FILE_APPEND_DATA, OPEN_ALWAYS);
        for (int i = 0; i < 600 && !Exists(folder + L"answer-now"); ++i) Sleep(50);
        const std::string answer = Read(folder + L"listfull");
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr);
        return std::atoi(Read(folder + L"listfull.status").c_str());
    }
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const bool opened = Opens(tail) || (argc > 1 && Opens(argv[1]));
    Write(folder + L"launched.txt", Narrow(tail) + "\n" + Narrow(current) + "\n", FILE_APPEND_DATA, OPEN_ALWAYS);
    Write(folder + L"opened.txt", opened ? "opened" : "not opened");
    if (Exists(folder + L"fail")) {
        const std::string fail = Read(folder + L"fail");
        Sleep(static_cast<DWORD>(std::atof(fail.substr(fail.find(' ') + 1).c_str()) * 1000));
        return std::atoi(fail.c_str());
    }
    Play({folder + tail.substr(tail.rfind(L'\\') + 1), folder, Exists(folder + L"stubborn")});
    return 0;
}
