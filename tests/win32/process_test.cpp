#include <gtest/gtest.h>

#include "wide_text.h"
#include "win32_tarvo.h"

namespace tarvo::testing {
namespace {

using win32::Widen;

const std::wstring kSettings = L"Software\\VB and VBA Program Settings\\Tarvo\\Settings";

// A real Tarvo.exe with a command line; its process handle.
HANDLE StartTarvo(const std::string& commandLine) {
    std::wstring line = L"\"" + Widen(FromBuildPath(TARVO_EXE)) + L"\" " + Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

HWND WaitForWindow(const std::wstring& caption) {
    for (int i = 0; i < 500; ++i) {
        if (HWND found = FindWindowW(nullptr, caption.c_str())) return found;
        Sleep(10);
    }
    return nullptr;
}

class TwoInstances : public ::testing::Test {
protected:
    Scratch folder;
    HANDLE first = nullptr;
    HWND firstWindow = nullptr;

    void SetUp() override {
        ClearSettings(kSettings);
        folder.Write("roms\\a.nes", "rom");
        WriteSetting(kSettings, "roms", folder / "roms");
        first = StartTarvo("\"C:\\Emus\\nestopia.exe\"");
        ASSERT_NE(first, nullptr);
        firstWindow = WaitForWindow(L"Tarvo - Generic Frontend by Quillan - Nestopia");
        ASSERT_NE(firstWindow, nullptr);
        ShowWindow(firstWindow, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(firstWindow));
    }
    void TearDown() override {
        PostMessageW(firstWindow, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(first, 5000) != WAIT_OBJECT_0) TerminateProcess(first, 1);
        CloseHandle(first);
        ClearSettings(kSettings);
    }
    // Runs a second Tarvo to its end; its exit code.
    DWORD Second(const std::string& commandLine) {
        HANDLE second = StartTarvo(commandLine);
        EXPECT_EQ(WaitForSingleObject(second, 10000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(second, &code);
        CloseHandle(second);
        Sleep(200);
        return code;
    }
};

TEST_F(TwoInstances, SameEmulatorRestoresTheFirstWindow) {
    EXPECT_EQ(Second("D:\\Other\\NESTOPIA.EXE"), 0u);
    EXPECT_FALSE(IsIconic(firstWindow));
    EXPECT_TRUE(IsWindowVisible(firstWindow));
    EXPECT_EQ(FindWindowW(nullptr, L"!"), nullptr);
}

TEST_F(TwoInstances, OtherEmulatorEndsWithoutRestoring) {
    EXPECT_EQ(Second("C:\\Emus\\mame.exe"), 0u);
    EXPECT_TRUE(IsIconic(firstWindow));
    EXPECT_EQ(FindWindowW(nullptr, L"Tarvo - Generic Frontend by Quillan - MAME"), nullptr);
}

}  // namespace
}  // namespace tarvo::testing
