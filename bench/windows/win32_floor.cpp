// The Windows floor for start-up: the plainest Win32 program that shows what
// Tarvo.exe shows. It lists the folder with FindFirstFileExW (basic
// information, large fetch), keeps the visible files whose name ends in the
// extension (letter case ignored), adds them to a list box with LB_ADDSTRING
// and shows it in a 492 x 333 window.
//   win32_floor FOLDER EXTENSION
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) return 2;
    const std::wstring extension = argv[2];
    HWND list = CreateWindowExW(0, L"LISTBOX", L"Windows floor", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT,
                                CW_USEDEFAULT, 492, 333, nullptr, nullptr, instance, nullptr);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((std::wstring(argv[1]) + L"\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::size_t length = std::wcslen(data.cFileName);
            const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
            if (!(data.dwFileAttributes & skipped) && length >= extension.size() &&
                _wcsicmp(data.cFileName + length - extension.size(), extension.c_str()) == 0) {
                SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.cFileName));
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    ShowWindow(list, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
