// What only the Windows front end does: the command-line text, the registry,
// folder attributes, COM, the version information, asking a program.

#include <gtest/gtest.h>

#include <oleacc.h>
#include <ddeml.h>
#include <xinput.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <cstring>
#include <iostream>
#include <thread>

#include "ask_program.h"
#include "command_line.h"
#include "run.h"
#include "wide_text.h"
#include "window_driver.h"
#include "registry_settings.h"
#include "windows_files.h"
#include "windows_host.h"
#include "windows_instance.h"
#include "windows_launcher.h"

namespace tarvo::testing {

HANDLE StartTarvo(const std::string& commandLine, const std::string& exe = "");  // the driver's

namespace {

using win32::Narrow;
using win32::Widen;

TEST(CommandLine, TheTextAfterTheProgramsName) {
    struct Case { const wchar_t* line; const wchar_t* tail; };
    const Case cases[] = {
        {L"\"C:\\Program Files\\Tarvo\\Tarvo.exe\" \"C:\\Emu\\zsnesw.exe\"", L"\"C:\\Emu\\zsnesw.exe\""},
        {L"Tarvo.exe C:\\My Emus\\fceu.exe", L"C:\\My Emus\\fceu.exe"}, {L"\"C:\\Tarvo\\Tarvo.exe\"", L""},
        {L"Tarvo.exe   \t C:\\a.exe  ", L"C:\\a.exe  "},  // blanks after the name skipped, the rest kept
        {L"\"C:\\Tarvo\\Tarvo.exe\"x y", L"y"}, {L"\"unterminated", L""}, {L"", L""}, {L"Tarvo.exe \"", L"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(win32::CommandLineTail(c.line), c.tail) << Narrow(c.line);
}

TEST(Settings, ReadFromTheRegistryWithoutDefaults) {
    for (auto [name, value] : {std::pair{L"roms", L"D:\\Röms, \"all\""}, std::pair{L"emu", L""}}) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvo Tests\\Settings", name, REG_SZ, value,
                        static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    win32::RegistrySettings settings(L"Software\\Tarvo Tests");
    EXPECT_EQ(settings.Read("Settings", "roms").value_or("").c_str(), std::string("D:\\Röms, \"all\""));  // to its NUL
    EXPECT_EQ(settings.Read("Settings", "emu").value_or("?").c_str(), std::string());
    EXPECT_EQ(settings.Read("Settings", "shots"), std::nullopt);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvo Tests");
}

TEST(Settings, AnEmulatorsSectionIsFoundWhateverItsLetterCaseAndLeavesNoKeyOpen) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvo Tests\\ZSNESW", L"roms", REG_SZ, L"x", 2 * sizeof(wchar_t));
    win32::RegistrySettings settings(L"Software\\Tarvo Tests");
    // The next handle the system gives: it moves on only past handles kept open.
    const auto nextHandle = [] {
        const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        CloseHandle(probe);
        return reinterpret_cast<std::uintptr_t>(probe);
    };
    const std::uintptr_t before = nextHandle();
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(settings.Section("zsnesw"), std::optional<std::string>("ZSNESW"));
        ASSERT_EQ(settings.Section("snes9x"), std::nullopt);
    }
    EXPECT_LT(nextHandle(), before + 100 * 4) << "a key left open per look";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvo Tests");
}

TEST(SecondStart, OnlyALaterStartsCaptionIsTakenFromAnotherProgram) {
    const std::wstring longest(4096, L'a'), tooLong = longest + L'a';
    // "Tarv": what every Tarvo.exe sends, so an update started while an
    // older build still runs hands it the caption all the same.
    constexpr ULONG_PTR kOurs = 0x54617276;
    struct Case { ULONG_PTR tag; const wchar_t* text; DWORD bytes; std::optional<std::string> caption; };
    const Case cases[] = {
        {kOurs, L"ゲーム - Nestopia", 28, "ゲーム - Nestopia"},
        {kOurs, longest.c_str(), static_cast<DWORD>(longest.size() * 2), Narrow(longest)},
        {kOurs, tooLong.c_str(), static_cast<DWORD>(tooLong.size() * 2), std::nullopt},
        {kOurs, L"ab", 3, std::nullopt},  // half a character
        {kOurs + 1, L"ab", 4, std::nullopt},  // another program's message
        {kOurs, nullptr, 4, std::nullopt},
        {kOurs, nullptr, 0, ""},
    };
    for (const Case& c : cases) {
        const COPYDATASTRUCT data{c.tag, c.bytes, const_cast<wchar_t*>(c.text)};
        EXPECT_EQ(win32::WindowsInstance::CaptionIn(data), c.caption) << c.bytes << " bytes";
    }
}

struct NoWindow : WindowThread {
    void Post(std::function<void()>) override {}
};

TEST(Launch, APathTheShellCannotTakeIsRefusedBeforeItIsHandedOn) {
    NoWindow window;
    win32::WindowsLauncher launcher(window);
    const std::string tooLong = win32::SystemMessage(ERROR_FILENAME_EXCED_RANGE);
    struct Case { std::size_t fileChars, folderChars; bool refused; };
    for (const Case c : {Case{259, 3, false}, Case{260, 3, true}, Case{10, 259, false}, Case{10, 260, true}}) {
        // Neither is there: the shell, when asked, says so in its own words.
        const auto path = [](std::size_t chars) { return "C:\\" + std::string(chars - 3, 'x'); };
        const StartRequest request{path(c.fileChars), "", path(c.folderChars), ""};
        const Launcher::Launch launch = launcher.Start(request, NeverCancelled());
        EXPECT_FALSE(launch.result.started);
        EXPECT_EQ(launch.result.error == tooLong, c.refused) << c.fileChars << ", " << c.folderChars << ": " << launch.result.error;
    }
}

TEST(Launch, ABatchFileEmulatorGetsItsParametersAsTheyAreAndNothingOfThemRuns) {
    NoWindow window;
    win32::WindowsLauncher launcher(window);
    // Wine's cmd expands %^NAME% as Windows' does not (the core's case has the escaping): "%" only on Windows.
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (wine) std::cout << "[   NOTE   ] names with %: not tried under Wine\n";
    for (const char* rom : {"Tom & Jerry.nes", "x & mkdir PWNED.nes", "a(b)^c!d!.nes", "%PATH%.nes", "100% x.nes"}) {
        if (wine && std::strchr(rom, '%')) continue;
        ScratchFolder s;
        CopyFileW(Widen(RECORDER_EXE).c_str(), Widen(s / "recorder.exe").c_str(), FALSE);
        // As a careful wrapper does: its parameters, whole, within quotes of its own.
        s.Write("run.bat", "@\"%~dp0recorder.exe\" \"%*\"\r\n");
        s.Write(rom, "rom");
        const StartRequest request{s / "run.bat", s / rom, s / "", ""};
        Launcher::Launch launch = launcher.Start(request, NeverCancelled());
        ASSERT_TRUE(launch.result.started) << rom << ": " << launch.result.error;
        for (int i = 0; i < 400 && s.Read("launched.txt").empty(); ++i) Sleep(25);
        Sleep(300);
        EXPECT_EQ(s.Read("launched.txt").substr(0, s.Read("launched.txt").find('\n')), "\"" + s / rom + "\"") << rom;
        EXPECT_EQ(GetFileAttributesW(Widen(s / "PWNED.nes").c_str()), INVALID_FILE_ATTRIBUTES) << rom << ": a command ran";
    }
}

// A program already running, told over DDE to open a file, as the shell
// does for a document whose program says so.
class RunningDdeProgram {
public:
    RunningDdeProgram() {
        told = 0;
        std::promise<DWORD> serving;
        thread_ = std::thread([this, &serving] {
            DWORD instance = 0;
            DdeInitializeW(&instance, &Answer, APPCLASS_STANDARD, 0);
            const HSZ service = DdeCreateStringHandleW(instance, L"TarvoTestDde", CP_WINUNICODE);
            DdeNameService(instance, service, nullptr, DNS_REGISTER);
            serving.set_value(GetCurrentThreadId());
            for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) DispatchMessageW(&message);
            DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
            DdeFreeStringHandle(instance, service);
            DdeUninitialize(instance);
        });
        threadId_ = serving.get_future().get();
    }
    ~RunningDdeProgram() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    static inline std::atomic<int> told{0};

private:
    static HDDEDATA CALLBACK Answer(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
        if (type == XTYP_CONNECT) return reinterpret_cast<HDDEDATA>(TRUE);
        if (type != XTYP_EXECUTE) return nullptr;
        ++told;
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    std::thread thread_;
    DWORD threadId_ = 0;
};

TEST(Launch, AStartARunningProgramTakesOverDdeIsStartedWithNothingToWatch) {
    const auto set = [](const std::wstring& key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    set(L".tarvodde", L"TarvoTest.Dde");
    const std::wstring open = L"TarvoTest.Dde\\shell\\open";
    // The program the shell would start if none answered: one that ends at once.
    set(open + L"\\command", L"C:\\windows\\system32\\cmd.exe /c rem \"%1\"");
    set(open + L"\\ddeexec", L"[open(\"%1\")]");
    set(open + L"\\ddeexec\\application", L"TarvoTestDde");
    set(open + L"\\ddeexec\\topic", L"System");
    ScratchFolder s;
    s.Write("game.tarvodde", "x");
    {
        RunningDdeProgram running;
        NoWindow window;
        win32::WindowsLauncher launcher(window);
        const Launcher::Launch launch = launcher.Start({s / "game.tarvodde", "", s / "", ""}, NeverCancelled());
        EXPECT_TRUE(launch.result.started) << launch.result.error;
        EXPECT_FALSE(launch.result.watched);
        EXPECT_FALSE(launch.program);
        EXPECT_EQ(RunningDdeProgram::told, 1);
    }
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TarvoTest.Dde");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".tarvodde");
}

// The asking thread is held still while its program prints all it has and
// ends, as on a busy machine: it then sees the end and the last read in one
// wake, and the cap must hold all the same.
TEST(Ask, TheCapHoldsWhenTheLastReadAndTheEndAreSeenTogether) {
    struct Case { std::size_t printed; bool answered; };
    for (const Case c : {Case{100, true}, Case{101, false}}) {
        ScratchFolder s;
        CopyFileW(Widen(RECORDER_EXE).c_str(), Widen(s / "mame.exe").c_str(), FALSE);
        const std::string printed = std::string(c.printed - 1, 'x') + "\n";
        s.Write("listfull", printed);
        std::atomic<DWORD> askerId{0};
        std::string said;
        bool answered = !c.answered;
        std::thread asker([&] {
            askerId = GetCurrentThreadId();
            answered = win32::AskProgram(L"\"" + Widen(s / "mame.exe") + L"\" -listfull", Widen(s / ""), 100, 20000,
                                         [&](std::string_view line) { said.append(line); }, NeverCancelled());
        });
        for (int i = 0; i < 800 && s.Read("asked.pid").empty(); ++i) Sleep(25);
        const HANDLE askerThread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, askerId);
        const HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(s.Read("asked.pid").c_str(), nullptr, 10));
        SuspendThread(askerThread);
        s.Write("answer-now", "");
        const bool programEnded = WaitForSingleObject(program, 20000) == WAIT_OBJECT_0;
        ResumeThread(askerThread);
        asker.join();
        CloseHandle(program);
        CloseHandle(askerThread);
        ASSERT_TRUE(programEnded);
        EXPECT_EQ(answered ? std::optional<std::string>(said) : std::nullopt,
                  c.answered ? std::optional<std::string>(printed) : std::nullopt) << c.printed << " bytes";
    }
}

TEST(Folders, OnePassKeepsTheVisibleMatchingFiles) {
    ScratchFolder s;
    const std::pair<const char*, DWORD> files[] = {
        {"a.nes", 0}, {"ゲーム Ülkü.NES", 0}, {"hidden.nes", FILE_ATTRIBUTE_HIDDEN}, {"system.nes", FILE_ATTRIBUTE_SYSTEM},
        {"readonly.nes", FILE_ATTRIBUTE_READONLY}, {"a.txt", 0}, {"Ülkü.txt", 0}};
    for (auto [name, attributes] : files) {
        s.Write(std::string("roms/") + name, "x");
        if (attributes) SetFileAttributesW(Widen(s / (std::string("roms/") + name)).c_str(), attributes);
    }
    s.Write("roms/empty.nes", "");
    s.Write("roms/sub.nes/inner.nes", "x");

    win32::WindowsFiles system;
    NameList names;
    ASSERT_TRUE(system.ListFiles(s / "roms", WildcardSet("*.nes"), names, {}, nullptr));
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < names.size(); ++i) seen.emplace_back(names[i]);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"a.nes", "empty.nes", "readonly.nes", "ゲーム Ülkü.NES"}));
    EXPECT_FALSE(system.ListFiles(s / "missing", WildcardSet("*.*"), names, {}, nullptr));
    bool holdsFiles = false;  // whatever matches
    EXPECT_TRUE(win32::ListMatchingFiles(s / "roms/sub.nes/", WildcardSet("*.zip"), names, {}, &holdsFiles) && holdsFiles);
    s.Write("only/hidden.nes", "x");
    SetFileAttributesW(Widen(s / "only/hidden.nes").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(win32::ListMatchingFiles(s / "only", WildcardSet("*"), names, {}, &holdsFiles) && !holdsFiles);
    EXPECT_EQ(system.FileLength(s / "roms/ゲーム Ülkü.NES"), 1u);
    EXPECT_EQ(system.FileLength(s / "roms/empty.nes"), 0u);
    EXPECT_EQ(system.FileLength(s / "roms/sub.nes"), std::nullopt);
    SetFileAttributesW(Widen(s / "roms/readonly.nes").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The window of a real Tarvo.exe for Nestopia, once it shows.
HWND NestopiaWindow(WindowDriver& d) {
    HWND window = nullptr;
    d.WaitUntil([&] { return (window = FindWindowW(nullptr, L"Tarvo - Generic Frontend by Quillan - Nestopia")) && IsWindowVisible(window); }, 10000);
    return window;
}

TEST(List, AnotherProgramAskingForARowsTextGetsNoneAndCannotHarmTarvo) {
    const auto d = MakeWindowDriver();
    d->folder.Write("roms/" + std::string(210, 'n') + ".nes", "rom");  // as screen readers and automation tools ask
    const HANDLE tarvo = StartTarvo(d->Emulator("nestopia"));
    const HWND list = FindWindowExW(NestopiaWindow(*d), nullptr, L"ListBox", nullptr);
    wchar_t text[300];
    std::fill(std::begin(text), std::end(text), L'#');
    EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), LB_ERR);
    EXPECT_EQ(text[sizeof(ULONG_PTR) / sizeof(wchar_t)], L'#');
    EXPECT_EQ(WaitForSingleObject(tarvo, 500), WAIT_TIMEOUT);  // still there
    TerminateProcess(tarvo, 0), CloseHandle(tarvo);
}

TEST(List, AScreenReaderThatHoldsTheListsObjectMayAskAfterTheListHasGone) {
    const auto d = MakeWindowDriver();
    IAccessible* list = nullptr;
    const auto listObject = [&] {
        return AccessibleObjectFromWindow(FindWindowExW(FindWindowW(L"Tarvo.frmPindle", nullptr), nullptr, L"ListBox", nullptr),
                                          static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&list));
    };
    d->Show(d->Emulator("nestopia"));  // no ROM yet: the list has no first row
    ASSERT_EQ(listObject(), S_OK);
    VARIANT self{}, first{};
    self.vt = VT_I4, self.lVal = CHILDID_SELF;
    EXPECT_EQ(list->accNavigate(NAVDIR_FIRSTCHILD, self, &first), S_FALSE);
    list->Release();
    d->folder.Write("roms/a.nes", "rom");
    d->Show(d->Emulator("nestopia"));
    ASSERT_EQ(listObject(), S_OK);
    d->Press(Key::Escape);  // the window goes; the screen reader still holds the object
    d->WaitUntil({}, 100);
    VARIANT row{};
    row.vt = VT_I4, row.lVal = 1;
    VARIANT state{};
    long left = 0, top = 0, width = 0, height = 0;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(list->get_accState(row, &state), CO_E_OBJNOTCONNECTED) << round;
        EXPECT_EQ(list->accLocation(&left, &top, &width, &height, row), CO_E_OBJNOTCONNECTED) << round;
        d->Show(d->Emulator("nestopia"));  // and once what answered for the list has gone too
    }
    list->Release();
}

TEST(Pads, XInputComesFromTheSystemFolderNeverFromTarvosOwn) {
    const auto d = MakeWindowDriver();
    d->folder.Write("roms/a.nes", "rom");
    d->folder.Write("tarvo/Tarvo.exe", ReadTreeFile(TARVO_EXE));
    d->folder.Write("tarvo/xinput1_4.dll", ReadTreeFile(XINPUT_STAND_IN));  // as an emulator's folder may hold one
    // Either stand-in's pad, plugged in, nothing pressed; a LONG after it counts its readings.
    const HANDLE shared = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(XINPUT_STATE) + sizeof(LONG),
                                             L"Local\\Tarvo.StandInPad");
    auto* pad = static_cast<XINPUT_STATE*>(MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_TRUE(pad);
    const auto readings = [&] { return InterlockedCompareExchange(reinterpret_cast<LONG*>(pad + 1), 0, 0); };
    const HANDLE tarvo = StartTarvo(d->Emulator("nestopia"), d->folder / "tarvo/Tarvo.exe");
    SetForegroundWindow(NestopiaWindow(*d));  // the pads are read while it is active
    const auto hold = [&](WORD buttons) {  // for two readings
        pad->Gamepad.wButtons = buttons, ++pad->dwPacketNumber;
        const LONG before = readings();
        return d->WaitUntil([&] { return readings() >= before + 2; }, 10000);
    };
    const bool read = hold(0);
    EXPECT_TRUE(read) << "the pad is never read";
    for (int buttons : {XINPUT_GAMEPAD_DPAD_DOWN, 0, XINPUT_GAMEPAD_A, 0}) {  // the first row, Play
        if (read) hold(static_cast<WORD>(buttons));
    }
    const std::string launched = d->Launched();
    EXPECT_EQ(launched.substr(0, launched.find('\n')), d->folder / "roms/a.nes") << "the pad's buttons went unseen";
    EXPECT_FALSE(std::filesystem::exists(Native(d->folder / "tarvo/xinput1_4.dll.loaded")));
    TerminateProcess(tarvo, 0), CloseHandle(tarvo);
    UnmapViewOfFile(pad), CloseHandle(shared);
}

TEST(Pads, WithoutAnyXInputTarvoStartsAndTheKeysWork) {
    const auto d = MakeWindowDriver();
    for (const char* rom : {"roms/a.nes", "roms/b.nes"}) d->folder.Write(rom, "rom");
    wchar_t overrides[512] = L"";
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"mscoree=;mshtml=;xinput1_4=d;xinput9_1_0=d");
    const HANDLE tarvo = StartTarvo(d->Emulator("nestopia"));
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides);
    const HWND window = NestopiaWindow(*d);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageW(FindWindowExW(window, nullptr, L"ListBox", nullptr), WM_KEYDOWN, key, 1);
        d->WaitUntil({}, 200);
    }
    const std::string launched = d->Launched();
    EXPECT_EQ(launched.substr(0, launched.find('\n')), d->folder / "roms/b.nes");
    d->WaitUntil([&] { return !IsIconic(window); }, 3000);  // back from the game
    PostMessageW(FindWindowExW(window, nullptr, L"ListBox", nullptr), WM_KEYDOWN, VK_ESCAPE, 1);
    DWORD code = 1;
    EXPECT_EQ(WaitForSingleObject(tarvo, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeProcess(tarvo, &code) && code == 0) << code;  // ended as asked, and well
    TerminateProcess(tarvo, 0), CloseHandle(tarvo);
}

TEST(List, ARowPastTheLastHasNoText) {
    const auto d = MakeWindowDriver();
    d->folder.Write("roms/ab.nes", "rom");
    d->Show(d->Emulator("nestopia"));
    const HWND list = FindWindowExW(FindWindowW(L"Tarvo.frmPindle", nullptr), nullptr, L"ListBox", nullptr);
    wchar_t text[8] = L"#";
    const std::pair<WPARAM, LRESULT> rows[] = {{0, 2}, {1, LB_ERR}, {static_cast<WPARAM>(-1), LB_ERR}};
    for (auto [row, length] : rows) {
        EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, row, 0), length) << row;
        EXPECT_EQ(SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text)), length) << row;
    }
    EXPECT_EQ(std::wstring(text), L"ab");
}

// Whether the window's thread was sent a dialog's Cancel.
bool g_cancelSent = false;
LRESULT CALLBACK SeeCancel(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_COMMAND && LOWORD(sent->wParam) == IDCANCEL) g_cancelSent = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Keys, CtrlBreakIsADialogsCancelAndStartsNothing) {
    const auto d = MakeWindowDriver();
    for (const char* rom : {"roms/a.nes", "roms/b.nes"}) d->folder.Write(rom, "rom");
    d->Show(d->Emulator("nestopia"));
    d->Click(0);
    g_cancelSent = false;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, SeeCancel, nullptr, GetCurrentThreadId());
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_CANCEL, 1);
    EXPECT_TRUE(d->WaitUntil([] { return g_cancelSent; }, 5000)) << "Ctrl+Break was not taken for a dialog's Cancel";
    UnhookWindowsHookEx(hook);
    // The window took it and is as it was: the one start is the one asked for next, of the next row.
    ASSERT_TRUE(d->Open());
    EXPECT_EQ(d->Focused(), Control::List);
    d->Press(Key::Down), d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), d->folder / "roms/b.nes" + "\n" + d->folder / "app");
}

TEST(Focus, RestoredWhileStillTheActiveWindowTheListHasTheKeysAgain) {
    const auto d = MakeWindowDriver();
    d->folder.Write("roms/a.nes", "rom");
    d->Show(d->Emulator("nestopia"));
    d->Click(0);
    const HWND window = FindWindowW(L"Tarvo.frmPindle", nullptr);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);  // the user minimises it
    // Nothing else took the front: Windows leaves it the active window, and
    // the focus nowhere (Wine leaves it on the list: taken away here).
    SetActiveWindow(window);
    SetFocus(nullptr);
    ShowWindow(window, SW_RESTORE);
    d->WaitUntil({}, 100);
    EXPECT_EQ(d->Focused(), Control::List);
}

// The system refuses Tarvo a window of this class.
const wchar_t* g_refused = L"";
LRESULT CALLBACK RefuseTarvosWindow(int code, WPARAM, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    return code == HCBT_CREATEWND && !IS_INTRESOURCE(create->lpcs->lpszClass) &&
           std::wstring(create->lpcs->lpszClass) == g_refused;
}

TEST(Dpi, OnAScreenOfAnotherDpiTheWindowTakesTheRectangleTheSystemOffers) {
    const auto d = MakeWindowDriver();
    d->Show(d->Emulator("nestopia"));
    const HWND window = FindWindowW(L"Tarvo.frmPindle", nullptr);
    RECT offered{20, 30, 760, 530}, taken{};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&offered));
    EXPECT_TRUE(GetWindowRect(window, &taken) && EqualRect(&offered, &taken));
}

TEST(WindowCreation, WithoutItsWindowsTarvoSaysSoAndLetsTheNextStartRun) {
    // Its window, or the message window that brings what is found beside it back (else Tarvo would wait forever).
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"Tarvo.frmPindle", "Tarvo could not make its window: "},
        {L"Tarvo.MessageWindow", "Tarvo could not make its message window: "}};
    for (auto [refused, said] : cases) {
        const auto d = MakeWindowDriver();  // settings, a ROM folder, an emulator
        g_refused = refused;
        HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseTarvosWindow, nullptr, GetCurrentThreadId());
        win32::WindowsInstance instance(L"Local\\Tarvo.Tests");
        win32::WindowsParts parts(instance);
        int ran = -1;
        // Running on regardless, Tarvo would wait for news that never comes: a quit ends that after 10 s.
        const UINT_PTR quit = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
        const std::string message =
            d->MessageDuring([&] { ran = win32::Run(Host{'\\', true, d->folder / "app/", d->Emulator("nestopia")}, parts); });
        KillTimer(nullptr, quit);
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(ran, 1) << said;
        EXPECT_EQ(message.rfind(said, 0), 0u) << message;
        EXPECT_FALSE(win32::WindowsInstance(L"Local\\Tarvo.Tests").AnotherIsRunning()) << said;
    }
}

}  // namespace
}  // namespace tarvo::testing
