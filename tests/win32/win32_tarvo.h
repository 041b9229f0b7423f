#pragma once
// A real Tarvo window over real files in a scratch folder: app\ (with a
// recording stand-in emulator and a logo), roms\ and shots\, settings in a
// test key of the registry.

#include <gtest/gtest.h>

#include <memory>

#include "scratch.h"
#include "tarvo_window.h"
#include "windows_services.h"

namespace tarvo::testing {

struct Win32Tarvo {
    Scratch folder;
    std::wstring settingsKey = L"Software\\Tarvo Tests\\" + std::to_wstring(GetTickCount64()) + L"\\Settings";
    std::unique_ptr<win32::WindowsServices> services;
    std::unique_ptr<win32::TarvoWindow> window;

    Win32Tarvo() {
        ClearSettings(settingsKey);
        WriteSetting(settingsKey, "roms", folder / "roms");
        WriteSetting(settingsKey, "shots", folder / "shots");
        folder.Write("app\\logo.gif", kRedGreenGif);
    }
    ~Win32Tarvo() {
        window.reset();
        ClearSettings(settingsKey);
    }

    // The stand-in emulator, under the name it is to be recognised by.
    std::string Emulator(const std::string& name) {
        folder.Copy(FromBuildPath(RECORDER_EXE), "app\\" + name);
        return folder / ("app\\" + name);
    }

    frmPindle::LoadResult Load(const std::string& commandLine) {
        win32::WindowsEnvironment environment;
        environment.executableFolder = folder / "app";
        environment.commandLine = commandLine;
        environment.settingsKey = settingsKey;
        environment.instanceMutex = L"Local\\Tarvo.Tests." + std::to_wstring(GetTickCount64());
        services = std::make_unique<win32::WindowsServices>(environment);
        window = std::make_unique<win32::TarvoWindow>(*services);
        return window->Load();
    }

    void Show(const std::string& commandLine) {
        ASSERT_EQ(Load(commandLine), frmPindle::LoadResult::ShowWindow);
        window->Show();
        SetForegroundWindow(window->Handle());
        Pump([] { return false; }, 100);
    }

    // Runs the messages through the window's loop until the condition holds.
    bool Pump(const std::function<bool()>& condition, int milliseconds = 5000) {
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) continue;
                if (window && window->IsOpen()) {
                    window->Process(message);
                } else {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            if (condition()) return true;
            if (GetTickCount64() > deadline) return false;
            Sleep(5);
        }
    }

    // A key pressed while the given control has the focus, through the loop.
    void Press(HWND focus, WPARAM key) {
        SetFocus(focus);
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        Pump([] { return false; }, 50);
    }

    std::string Launched() {
        Pump([&] { return !folder.Read("app\\launched.txt").empty(); });
        return folder.Read("app\\launched.txt");
    }

    int Rows() const { return static_cast<int>(SendMessageW(window->List1(), LB_GETCOUNT, 0, 0)); }
    int Selected() const { return static_cast<int>(SendMessageW(window->List1(), LB_GETCURSEL, 0, 0)); }
    void Select(int row) {
        SendMessageW(window->List1(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(win32::TarvoWindow::kListId, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(window->List1()));
    }
    RECT Rectangle(HWND control) const {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

}  // namespace tarvo::testing
