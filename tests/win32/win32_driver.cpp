// The window contract's driver for the Win32 front end: the real window
// in-process, real Tarvo.exe processes for second starts, all under Wine.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <xinput.h>

#include <cstdio>

#include "dpi.h"
#include "tarvo_window.h"
#include "wide_text.h"
#include "window_driver.h"
#include "windows_parts.h"

namespace tarvo::testing {
namespace {

using win32::Narrow;
using win32::Widen;

const wchar_t kSettings[] = L"Software\\VB and VBA Program Settings\\Tarvo";

}  // namespace

// A real Tarvo.exe process (the one built, unless another is named), with
// the environment of the tests.
HANDLE StartTarvo(const std::string& commandLine, const std::string& exe = "");
HANDLE StartTarvo(const std::string& commandLine, const std::string& exe) {
    std::wstring line = L"\"" + Widen(exe.empty() ? TreePath(TARVO_EXE) : exe) + L"\" " + Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

namespace {

std::string TextOf(HWND hwnd) {
    wchar_t text[512];
    GetWindowTextW(hwnd, text, 512);
    return Narrow(text);
}

// A row's MSAA states in the words the window contract uses: "available"
// (not unavailable) and "visible" (neither invisible nor off screen).
std::string StateWords(long state) {
    std::string words = state & STATE_SYSTEM_UNAVAILABLE ? "" : "available ";
    long told = STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    const std::pair<long, const char*> named[] = {{STATE_SYSTEM_FOCUSABLE, "focusable"}, {STATE_SYSTEM_FOCUSED, "focused"},
                                                  {STATE_SYSTEM_SELECTABLE, "selectable"}, {STATE_SYSTEM_SELECTED, "selected"}};
    for (auto [bit, word] : named) {
        if (state & bit) words += word + std::string(" ");
        told |= bit;
    }
    if (!(state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))) words += "visible ";
    char hex[16];
    if (state & ~told) words += std::string(hex, std::snprintf(hex, sizeof hex, "%#lx ", state & ~told));
    return words.substr(0, words.size() - 1);
}

// The text of the message box on show, OK pressed; a shown window must be
// its owner, and take no input meanwhile.
std::string g_message;
HWND g_window;
void CALLBACK AnswerMessage(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindWindowW(L"#32770", nullptr)) {
        wchar_t text[1024];
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        const bool over = !IsWindowVisible(g_window) || (GetWindow(box, GW_OWNER) == g_window && !IsWindowEnabled(g_window));
        g_message = (TextOf(box) == "Tarvo" && over ? "" : "wrong box: ") + Narrow(text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// What screen readers ask: an object's role, name and description.
struct Answer {
    IAccessible* object = nullptr;
    long child = CHILDID_SELF;
    VARIANT Child() const { VARIANT id{}; return id.vt = VT_I4, id.lVal = child, id; }
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) const {
        BSTR text = nullptr;
        if (!object || (object->*property)(Child(), &text) != S_OK || !text) return "";
        const std::string narrow = Narrow(text);
        SysFreeString(text);
        return narrow;
    }
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, VARIANT*)) const {
        VARIANT value{};
        return object && (object->*property)(Child(), &value) == S_OK && value.vt == VT_I4 ? value.lVal : 0;
    }
};
Answer ObjectOf(HWND hwnd, long id) {
    Answer answer;
    return AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(id), __uuidof(IAccessible), reinterpret_cast<void**>(&answer.object)), answer;
}
void Release(Answer& answer) { answer.object ? answer.object->Release() : 0; }

// The names of what took the focus, in turn, as a screen reader hears of them.
std::vector<std::string> g_focusesTold;
void CALLBACK HearFocus(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    Answer answer;
    VARIANT id{};
    if (AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(object), static_cast<DWORD>(child), &answer.object, &id) != S_OK) return;
    answer.child = id.vt == VT_I4 ? id.lVal : CHILDID_SELF;
    g_focusesTold.push_back(answer.Text(&IAccessible::get_accName));
    Release(answer);
}

// Where Tarvo.exe takes XInput from, and where the tests' main puts the stand-in.
std::wstring SystemXInput() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\xinput1_4.dll";
}

class Win32Driver : public WindowDriver {
public:
    Win32Driver() {
        exe = ".exe";
        recorder = ReadTreeFile(RECORDER_EXE);
        launcher = ReadTreeFile(LAUNCHER_EXE);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
        UseSetting("Settings", "roms", folder / "roms");
        UseSetting("Settings", "shots", folder / "shots");
        folder.Write("app/logo.gif", TestPicture("blue.gif"));
        focusHook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, HearFocus, GetCurrentProcessId(), 0,
                                     WINEVENT_OUTOFCONTEXT);
        com_.Enter();  // for the screen reader's questions
    }
    ~Win32Driver() override {
        Close();
        UnhookWinEvent(focusHook_);
        if (!systemColours_.empty()) SetSysColors(2, kColourItems, systemColours_.data());
        if (other_) DestroyWindow(other_);
        if (held_) TerminateProcess(held_, 1);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
    }

    void UseSetting(const std::string& section, const std::string& key, const std::string& value) override {
        const std::wstring text = Widen(value), path = std::wstring(kSettings) + L"\\" + Widen(section);
        RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), Widen(key).c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void Show(const std::string& commandLine, bool listRead) override {
        Close();
        instance_ = std::make_unique<win32::WindowsInstance>();
        parts_ = std::make_unique<win32::WindowsParts>(*instance_);
        window_ = std::make_unique<win32::TarvoWindow>(Host{'\\', true, folder / "app/", commandLine}, parts_->MakePorts());
        ASSERT_EQ(window_->Load(), frmPindle::LoadResult::Run);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_->Handle()) && !(listRead && window_->Reading()); }, 10000));
        Restore();
    }

    void Click(int row, int modifiers) override {
        const WPARAM keys = (modifiers & kCtrl) ? MK_CONTROL : 0;
        Post(List(), {WM_LBUTTONDOWN, WM_LBUTTONUP}, RowPoint(row), keys);
    }
    void DoubleClick(int row) override {
        const LPARAM at = RowPoint(row);
        POINT screen{LOWORD(at), HIWORD(at)};
        ClientToScreen(List(), &screen);
        SetCursorPos(screen.x, screen.y);  // where the window looks for the row
        Post(List(), {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, at, 0);
    }
    void ClickPlay() override { SendMessageW(window_->Command1(), BM_CLICK, 0, 0); }
    void DoubleClickPicture() override { Post(window_->Image1().Handle(), {WM_LBUTTONDBLCLK}, MAKELPARAM(5, 5), 0); }
    // As a keyboard sends them, to the active window: the modifiers held
    // around the key, all queued before the first is handled.
    static WORD KeyCode(Key key) {
        static const WORD kKeys[] = {VK_TAB, VK_UP, VK_DOWN, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_F5, VK_F3};
        return kKeys[int(key)];
    }
    void SendKeys(Key key, int modifiers, int times) {
        std::vector<INPUT> keys;
        auto add = [&](WORD code, DWORD up) {
            keys.push_back(INPUT{INPUT_KEYBOARD, {}}), keys.back().ki = {code, static_cast<WORD>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC)), up, 0, 0};
        };
        const WORD held[] = {WORD(modifiers & kShift ? VK_SHIFT : 0), WORD(modifiers & kCtrl ? VK_CONTROL : 0)};
        for (WORD code : held) if (code) add(code, 0);
        while (times-- > 0) add(KeyCode(key), 0), add(KeyCode(key), KEYEVENTF_KEYUP);
        for (WORD code : held) if (code) add(code, KEYEVENTF_KEYUP);
        ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    }
    void Press(Key key, int modifiers, int times) override {
        SendKeys(key, modifiers, times);
        WaitUntil({}, 50);
    }
    double Handling(Key key) override {
        const auto pressed = std::chrono::steady_clock::now();
        SendKeys(key, kNone, 1);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            if (message.message != WM_QUIT) window_->Process(message);
        }
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed).count();
    }
    void Type(const std::string& letters) override {
        for (wchar_t letter : Widen(letters)) PostMessageW(GetFocus(), WM_CHAR, letter, 1);
        WaitUntil({}, 50);
    }
    void Resize(int width, int height) override {
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
        SetWindowPos(window_->Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        WaitUntil({}, 50);
    }
    void Minimize() override { ShowWindow(window_->Handle(), SW_MINIMIZE), WaitUntil({}, 50); }
    void Deactivate() override {
        if (!other_) other_ = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(other_, SW_SHOWNORMAL);
        SetForegroundWindow(other_);
        WaitUntil([&] { return GetActiveWindow() == other_; }, 2000);
    }
    void Pad(const PadState& state, int milliseconds) override {
        using Move = void (*)(WORD buttons, SHORT thumbLY, BYTE leftTrigger, BYTE rightTrigger);
        static const auto move = reinterpret_cast<Move>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(SystemXInput().c_str()), "StandInPad")));
        ASSERT_TRUE(move) << "no stand-in XInput: is WINEDLLOVERRIDES xinput1_4=n?";
        move(static_cast<WORD>((state.dpadUp ? XINPUT_GAMEPAD_DPAD_UP : 0) | (state.dpadDown ? XINPUT_GAMEPAD_DPAD_DOWN : 0) |
                               (state.leftShoulder ? XINPUT_GAMEPAD_LEFT_SHOULDER : 0) |
                               (state.rightShoulder ? XINPUT_GAMEPAD_RIGHT_SHOULDER : 0) | (state.a ? XINPUT_GAMEPAD_A : 0) |
                               (state.start ? XINPUT_GAMEPAD_START : 0) | (state.back ? XINPUT_GAMEPAD_BACK : 0)),
             static_cast<SHORT>(-1 - state.stickY), static_cast<BYTE>(state.leftTrigger * 255 / 32767),
             static_cast<BYTE>(state.rightTrigger * 255 / 32767));
        WaitUntil({}, milliseconds);
    }
    void Restore() override {
        ShowWindow(window_->Handle(), SW_RESTORE);
        SetForegroundWindow(window_->Handle());
        WaitUntil({}, 100);
    }

    std::vector<std::string> Rows() override {
        EXPECT_TRUE(WaitUntil([&] { return !window_->Reading(); }, 10000)) << "the folder still unread after 10 s";
        std::vector<std::string> rows(static_cast<std::size_t>(SendMessageW(List(), LB_GETCOUNT, 0, 0)));
        for (std::size_t row = 0; row < rows.size(); ++row) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(List(), LB_GETTEXTLEN, row, 0)) + 1, L'\0');
            SendMessageW(List(), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
            rows[row] = Narrow(text.c_str());
        }
        return rows;
    }
    int Selected() override { return static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)); }  // LB_ERR is -1
    Control Focused() override {
        for (Control c : {Control::List, Control::Play, Control::Picture}) if (GetFocus() == Handle(c)) return c;
        return Control::Window;
    }
    std::string Text(Control control) override { return TextOf(Handle(control)); }
    std::string ToolTip(Control control) override {  // the control's own tool in the window's tooltip
        wchar_t tip[1024] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Handle(control));
        tool.lpszText = tip;
        SendMessageW(window_->ToolTip(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        return Narrow(tip);
    }
    std::pair<double, bool> Font(Control control) override {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(control), WM_GETFONT, 0, 0)), sizeof font, &font);
        return {-font.lfHeight * 72.0 / win32::DpiOf(window_->Handle()), font.lfWeight >= FW_BOLD};
    }
    Box Rectangle(Control control) override {
        RECT r;
        if (control == Control::Window) GetClientRect(window_->Handle(), &r);
        else GetWindowRect(Handle(control), &r), MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    Image Grab(Control control) override {
        // Wine's PNG decoder reads a whole image before it tells its size: a
        // picture bomb takes it a second or more on a busy machine.
        EXPECT_TRUE(WaitUntil([&] { return window_->PictureSettled(); }, 5000)) << "a picture still unread after 5 s";
        RECT area{0, 0, 64, 64};  // the picture to its very edges; the list inside its frame
        if (control == Control::Picture) GetWindowRect(Handle(control), &area), OffsetRect(&area, -area.left, -area.top);
        if (control != Control::Icon && control != Control::Picture) GetClientRect(Handle(control), &area);
        UpdateWindow(Handle(control));
        Image image{area.right, area.bottom, {}};
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        BYTE* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr), window = control == Control::Picture ? GetWindowDC(Handle(control)) : GetDC(Handle(control));
        HGDIOBJ old = SelectObject(dc, CreateDIBSection(dc, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
        if (control == Control::Icon) {  // the title bar's and the taskbar's: both, or none
            const bool small = SendMessageW(Handle(control), WM_GETICON, ICON_SMALL, 0) != 0;
            const auto icon = reinterpret_cast<HICON>(small ? SendMessageW(Handle(control), WM_GETICON, ICON_BIG, 0) : 0);
            DrawIconEx(dc, 0, 0, icon, 64, 64, 0, nullptr, DI_NORMAL);
        } else {
            BitBlt(dc, 0, 0, image.width, image.height, window, 0, 0, SRCCOPY);
        }
        for (int i = 0; i < image.width * image.height; ++i) image.pixels.push_back({bits[4 * i + 2], bits[4 * i + 1], bits[4 * i]});
        DeleteObject(SelectObject(dc, old)), DeleteDC(dc), ReleaseDC(Handle(control), window);
        return image;
    }
    bool Minimized() override { return IsIconic(window_->Handle()); }
    bool Reading() override { return window_->Reading(); }
    bool Starting() override { return window_ && window_->Starting(); }
    bool Running(int pid) override {
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
        const bool running = process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        if (process) CloseHandle(process);
        return running;
    }
    int Threads() override {
        const win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        THREADENTRY32 thread{};
        thread.dwSize = sizeof thread;
        int count = 0;
        for (BOOL more = Thread32First(snapshot.get(), &thread); more; more = Thread32Next(snapshot.get(), &thread)) {
            count += thread.th32OwnerProcessID == GetCurrentProcessId();
        }
        return count;
    }
    double PeakMegabytes() override {
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        return static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20);
    }
    bool Active() override { return GetActiveWindow() == window_->Handle(); }
    bool Open() override { return window_ && window_->IsOpen(); }

    bool Listening() override { return true; }
    Heard Told(int rows) override {
        Heard heard;
        Answer frame = ObjectOf(window_->Handle(), OBJID_WINDOW), list = ObjectOf(List(), OBJID_CLIENT);
        Answer play = ObjectOf(window_->Command1(), OBJID_CLIENT), picture = ObjectOf(window_->Image1().Handle(), OBJID_CLIENT);
        // The frame is the system's own window object, whose role Wine does not tell.
        const long frameRole = frame.Number(&IAccessible::get_accRole);
        heard.windowIsFrame = frame.object && (frameRole == ROLE_SYSTEM_WINDOW || frameRole == 0);
        heard.listIsList = list.Number(&IAccessible::get_accRole) == ROLE_SYSTEM_LIST;
        heard.list = list.Text(&IAccessible::get_accName);
        long count = 0;
        if (list.object) list.object->get_accChildCount(&count);
        heard.count = static_cast<std::size_t>(count);
        Answer row = list;
        for (row.child = 1; row.child <= std::min<long>(count, rows); ++row.child) heard.rows.push_back(row.Text(&IAccessible::get_accName));
        VARIANT selection{};
        if (list.object && list.object->get_accSelection(&selection) == S_OK && selection.vt == VT_I4) {
            row.child = selection.lVal;
            const long state = row.Number(&IAccessible::get_accState);  // a selected row in sight
            if ((state & STATE_SYSTEM_SELECTED) && !(state & STATE_SYSTEM_OFFSCREEN)) heard.selected = row.Text(&IAccessible::get_accName);
        }
        Answer system;  // what the list leaves to the system's own object is the system's answer: a row's action
        CreateStdAccessibleObject(List(), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&system.object));
        BSTR actions[2] = {};
        system.child = 1;
        for (auto asked : {&IAccessible::get_accDefaultAction, &IAccessible::get_accHelp}) {
            if (list.object && system.object) { EXPECT_EQ((list.object->*asked)(system.Child(), &actions[0]), (system.object->*asked)(system.Child(), &actions[1])); }
            SysFreeString(actions[0]), SysFreeString(actions[1]), actions[0] = actions[1] = nullptr;
        }
        Release(system);
        heard.play = play.Text(&IAccessible::get_accDescription);
        heard.description = list.Text(&IAccessible::get_accDescription);
        heard.picture = picture.Text(&IAccessible::get_accName);
        Answer find = ObjectOf(window_->FindLine(), OBJID_CLIENT);
        if (IsWindowVisible(window_->FindLine())) heard.find = find.Text(&IAccessible::get_accName), heard.findCount = find.Text(&IAccessible::get_accDescription);
        for (Answer* answer : {&frame, &list, &play, &picture, &find}) Release(*answer);
        return heard;
    }
    std::optional<Kept> ObjectsAReaderKeeps() override { return std::nullopt; }
    Walked WalkedAsAReaderDoes() override {
        Walked walked;
        Answer list = ObjectOf(List(), OBJID_CLIENT), row = list;
        const auto start = std::chrono::steady_clock::now();
        long count = 0;
        if (list.object) list.object->get_accChildCount(&count);
        for (row.child = 1; row.child <= count; ++row.child) walked.items += row.Number(&IAccessible::get_accRole) == ROLE_SYSTEM_LISTITEM;
        for (row.child = 1; row.child <= count && walked.focused.empty(); ++row.child) {
            const long state = row.Number(&IAccessible::get_accState);
            if (state & STATE_SYSTEM_FOCUSED) walked.focused = row.Text(&IAccessible::get_accName), walked.states = StateWords(state);
        }
        walked.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Release(list);
        return walked;
    }
    std::string FocusTold(const std::string& awaited, int milliseconds) override {
        WaitUntil([&] { return !g_focusesTold.empty() && g_focusesTold.back() == awaited; }, milliseconds);
        const std::vector<std::string> told = FocusesTold();
        return told.empty() ? "" : told.back();
    }
    std::vector<std::string> FocusesTold() override { return std::exchange(g_focusesTold, {}); }
    void UseSystemColours(Colour window, Colour text) override {
        if (systemColours_.empty()) systemColours_ = {GetSysColor(kColourItems[0]), GetSysColor(kColourItems[1])};
        const COLORREF colours[] = {RGB(window.red, window.green, window.blue), RGB(text.red, text.green, text.blue)};
        SetSysColors(2, kColourItems, colours);
        WaitUntil({}, 100);
    }

    std::string MessageDuring(const std::function<void()>& action) override {
        g_message.clear();
        g_window = window_ ? window_->Handle() : nullptr;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerMessage);
        action();
        WaitUntil([&] { return !g_message.empty(); }, 2000);  // a start's message comes once it has been tried
        KillTimer(nullptr, timer);
        return g_message;
    }
    int SecondStart(const std::string& commandLine) override {
        HANDLE second = StartTarvo(commandLine);
        // The first window answers the second while it waits.
        const bool ended = WaitUntil([&] { return WaitForSingleObject(second, 0) == WAIT_OBJECT_0; }, 10000);
        DWORD code = 0;
        GetExitCodeProcess(second, &code);
        TerminateProcess(second, 1), CloseHandle(second);
        WaitUntil({}, 200);
        return ended ? static_cast<int>(code) : -1;
    }
    void StartOneHeldAtItsMessage() override {
        Close();
        held_ = StartTarvo("");
        for (int i = 0; i < 1000 && !FindWindowW(L"#32770", L"Tarvo"); ++i) Sleep(10);
    }

protected:
    // Runs the messages through the window's own loop.
    bool WaitUntil(const std::function<bool()>& done, int milliseconds) override {
        for (const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);; Sleep(5)) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) continue;
                if (window_ && window_->IsOpen()) {
                    window_->Process(message);
                } else {
                    DispatchMessageW(&message);
                }
            }
            if (done && done()) return true;
            if (GetTickCount64() >= end) return false;
        }
    }

private:
    HWND List() const { return window_->List1(); }
    HWND Handle(Control control) const {
        const HWND handles[] = {window_->Handle(), List(), window_->Command1(), window_->Image1().Handle(), window_->Handle()};
        return handles[int(control)];
    }
    LPARAM RowPoint(int row) const {
        RECT r;
        GetClientRect(List(), &r);
        if (row >= 0) {
            SendMessageW(List(), LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
            SendMessageW(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        }
        return MAKELPARAM((r.left + r.right) / 2, row >= 0 ? (r.top + r.bottom) / 2 : r.bottom - 3);
    }
    void Post(HWND to, std::initializer_list<UINT> messages, LPARAM at, WPARAM keys) {
        for (UINT m : messages) PostMessageW(to, m, (m == WM_LBUTTONUP ? 0 : MK_LBUTTON) | keys, at);
        WaitUntil({}, 50);
    }
    void Close() {
        window_.reset();
        parts_.reset();
        instance_.reset();
        WaitUntil({}, 0);
    }

    static constexpr INT kColourItems[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    std::vector<COLORREF> systemColours_;  // as they were before a test set them
    HWINEVENTHOOK focusHook_;
    win32::ComScope com_;
    std::unique_ptr<win32::WindowsInstance> instance_;
    std::unique_ptr<win32::WindowsParts> parts_;
    std::unique_ptr<win32::TarvoWindow> window_;
    HANDLE held_ = nullptr;
    HWND other_ = nullptr;
};

}  // namespace

std::unique_ptr<WindowDriver> MakeWindowDriver() { return std::make_unique<Win32Driver>(); }

}  // namespace tarvo::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The test display has no window manager: under Wine, windows are
    // Wine's to manage, or each one closed waits two seconds for a manager
    // that never answers. (Only Wine reads this key.)
    const wchar_t unmanaged[] = L"N";
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed", REG_SZ, unmanaged, sizeof unmanaged);
    // The stand-in XInput where Tarvo.exe takes XInput from: the system folder.
    CopyFileW(tarvo::win32::Widen(tarvo::testing::TreePath(XINPUT_STAND_IN)).c_str(), tarvo::testing::SystemXInput().c_str(), FALSE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return tarvo::FinishProcess(RUN_ALL_TESTS());
}
