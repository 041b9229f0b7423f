#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>

#include "qt_tarvo.h"

namespace tarvo::testing {
namespace {

// Runs the real tarvo as a second start with its own command line.
int SecondStart(const QtTarvo& first, const std::string& commandLine) {
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(first.folder.path()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(first.folder / "config"));
    second.setProcessEnvironment(env);
    second.start(TARVO_BINARY, {QString::fromStdString(commandLine)});
    // Keep the first instance's event loop turning while the second talks.
    for (int i = 0; i < 500 && !second.waitForFinished(10); ++i) QApplication::processEvents();
    for (int i = 0; i < 20; ++i) QTest::qWait(10);
    return second.state() == QProcess::NotRunning ? second.exitCode() : -1;
}

class SingleInstanceRule : public ::testing::Test, public QtTarvo {
protected:
    void SetUp() override {
        folder.Write("roms/a.nes", "rom");
        folder.Write("config/Tarvo/Tarvo.conf", "[Settings]\nroms=" + folder / "roms\n");
    }
    void ShowMinimized() {
        Show(emulator);
        window->showMinimized();
        ASSERT_TRUE(window->isMinimized());
    }
};

TEST_F(SingleInstanceRule, SameEmulatorBringsTheFirstWindowBack) {
    ShowMinimized();
    EXPECT_EQ(SecondStart(*this, "/elsewhere/nestopia"), 0);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(SingleInstanceRule, OtherEmulatorEndsWithoutRestoring) {
    ShowMinimized();
    EXPECT_EQ(SecondStart(*this, "/usr/games/mame"), 0);
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(SingleInstanceRule, StaleSocketOfACrashedInstanceIsTakenOver) {
    const std::string path = folder / "tarvo.socket";
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);  // the file stays, nobody listens

    ShowMinimized();
    EXPECT_EQ(SecondStart(*this, emulator), 0);
    EXPECT_FALSE(window->isMinimized());
}

}  // namespace
}  // namespace tarvo::testing
