// The Windows floor for start-up: the plainest Win32 program that shows what
// Tarvo.exe shows. It lists the folder with FindFirstFileExW (basic
// information, large fetch), keeps the visible files whose name ends in the
// extension (letter case ignored), sorts them with letter case ignored, as a
// folder under Wine comes in the Linux order, adds them to a list box with
// LB_ADDSTRING (its storage set aside first), in blue text as Tarvo's list
// has it (the bench sees a list on screen by that), and shows it in a
// 492 x 333 window.
//   win32_floor FOLDER EXTENSION
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

LRESULT CALLBACK Frame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORLISTBOX) {
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) return 2;
    const std::wstring extension = argv[2];
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = Frame;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = L"WindowsFloor";
    RegisterClassW(&frameClass);
    HWND frame = CreateWindowExW(0, L"WindowsFloor", L"Windows floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 492, 333, nullptr, nullptr, instance, nullptr);
    RECT client{};
    GetClientRect(frame, &client);
    HWND list = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0,
                                client.right, client.bottom, frame, nullptr, instance, nullptr);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((std::wstring(argv[1]) + L"\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::size_t length = std::wcslen(data.cFileName);
            const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
            if (!(data.dwFileAttributes & skipped) && length >= extension.size() &&
                _wcsicmp(data.cFileName + length - extension.size(), extension.c_str()) == 0) {
                names.emplace_back(data.cFileName, length);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
    SendMessageW(list, LB_INITSTORAGE, names.size(), names.size() * 16 * sizeof(wchar_t));
    for (const auto& name : names) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ShowWindow(frame, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
