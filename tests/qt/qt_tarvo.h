#pragma once
// A real Tarvo window (offscreen) over real files in a scratch folder:
// app/ (with a recording stand-in "nestopia" and a logo), roms/, shots/ and
// the settings file.

#include <QApplication>
#include <QTest>
#include <memory>

#include "linux_services.h"
#include "recorder.h"
#include "single_instance.h"
#include "tarvo_window.h"

namespace tarvo::testing {

// A 2 x 1 GIF: red on the left, green on the right.
inline const std::string kRedGreenGif(
    "GIF89a\x02\x00\x01\x00\xf0\x00\x00\xff\x00\x00\x00\xff\x00\x21\xf9\x04\x00\x00\x00\x00\x00\x2c\x00\x00"
    "\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0a\x00\x3b",
    43);

struct QtTarvo {
    TempFolder folder;
    std::string emulator = WriteRecorder(folder, "app/nestopia", "launched");
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<LinuxServices> services;
    std::unique_ptr<TarvoWindow> window;

    QtTarvo() {
        folder.Write("Tarvo.conf", "[Settings]\nroms=" + folder / "roms" + "\nshots=" + folder / "shots\n");
        folder.Write("app/logo.gif", kRedGreenGif);
    }

    frmPindle::LoadResult Load(const std::string& commandLine) {
        instance = std::make_unique<SingleInstance>(folder / "tarvo.socket");
        services = std::make_unique<LinuxServices>(
            LinuxEnvironment{folder / "app/", commandLine, folder / "Tarvo.conf"}, *instance);
        window = std::make_unique<TarvoWindow>(*services);
        instance->OnCaption([this](const std::string& caption) { window->RestoreIfCaption(caption); });
        return window->Load();
    }

    void Show(const std::string& commandLine) {
        ASSERT_EQ(Load(commandLine), frmPindle::LoadResult::ShowWindow);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    int RowCount() const { return window->List1()->model()->rowCount(); }
    QPoint RowCentre(int row) const {
        return window->List1()->visualRect(window->List1()->model()->index(row, 0)).center();
    }
};

}  // namespace tarvo::testing
