// What only the Linux front end does: Tarvo.conf, folder listing, the
// command line, detached starts, the socket of a crashed instance.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <algorithm>
#include <sstream>

#include "ini_settings.h"
#include "linux_services.h"
#include "posix_files.h"
#include "posix_start.h"
#include "window_driver.h"

namespace tarvo::testing {
namespace {

TEST(Settings, ValuesAreTakenAsWritten) {
    const std::string conf = "; comment\r\n[Other]\r\nroms=/wrong\r\n[Settings]\r\n"
                             "roms = /home/me/My \"Roms\", all\\old \r\nshots=\nEMU=/usr/games/mame\n";
    EXPECT_EQ(IniValue(conf, "Settings", "roms"), "/home/me/My \"Roms\", all\\old");
    EXPECT_EQ(IniValue(conf, "Settings", "shots"), "");
    EXPECT_EQ(IniValue(conf, "Settings", "emu"), "/usr/games/mame");
    EXPECT_EQ(IniValue(conf, "Settings", "missing"), std::nullopt);
}

TEST(Folders, OnePassKeepsTheVisibleMatchingFilesAndLinksToThem) {
    ScratchFolder t;
    for (const char* name : {"roms/a.nes", "roms/.hidden.nes", "roms/sub.nes/inner", "roms/\xff\xfe.nes", "roms/a.txt"}) {
        t.Write(name, "x");
    }
    ASSERT_EQ(symlink((t / "roms/a.nes").c_str(), (t / "roms/link.nes").c_str()), 0);
    ASSERT_EQ(symlink((t / "nowhere").c_str(), (t / "roms/broken.nes").c_str()), 0);
    NameList names;
    ASSERT_TRUE(posix::ListFiles(t / "roms", WildcardSet("*.NES"), names));
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < names.size(); ++i) seen.emplace_back(names[i]);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"a.nes", "link.nes", "\xff\xfe.nes"}));
    EXPECT_FALSE(posix::ListFiles(t / "missing", WildcardSet("*.*"), names));
    EXPECT_FALSE(posix::ListFiles(t / "roms/a.nes", WildcardSet("*.*"), names));
    EXPECT_EQ(posix::FirstOrdinaryFile(t / "roms/sub.nes"), "inner");
    t.Write("only/.dot", "x");
    EXPECT_EQ(posix::FirstOrdinaryFile(t / "only"), "");
    EXPECT_EQ(posix::FileLength(t / "roms/a.nes"), 1u);
    t.Write("run", "#!/bin/sh\n", true);  // adoption needs a program this user may run
    EXPECT_TRUE(posix::IsExecutableFile(t / "run") && !posix::IsExecutableFile(t / "roms/a.nes"));
    EXPECT_EQ(posix::FileLength(t / "roms/sub.nes"), std::nullopt);
}

TEST(CommandLine, ArgumentsJoinedBySingleBlanks) {
    char a0[] = "tarvo", a1[] = "/opt/My", a2[] = "Emus/mame", a3[] = "\xff";
    char* argv[] = {a0, a1, a2, a3, nullptr};
    EXPECT_EQ(LinuxEnvironment::FromProcess(4, argv).commandLine, "/opt/My Emus/mame \xff");
    EXPECT_EQ(LinuxEnvironment::FromProcess(1, argv).commandLine, "");
}

TEST(Start, TheEmulatorOutlivesTarvo) {
    ScratchFolder t;
    t.Write("emu", "#!/bin/sh\nsleep 0.5\necho \"$1\" >'" + t / "out" + "'\n", true);
    QProcess probe;  // starts the emulator as tarvo does, then ends at once
    probe.start(START_PROBE, {QString::fromStdString(t / "emu"), "game.nes", QString::fromStdString(t / "")});
    ASSERT_TRUE(probe.waitForFinished(5000));
    EXPECT_EQ(probe.exitCode(), 0);
    EXPECT_TRUE(t.Read("out").empty());  // still asleep when the starter has ended
    for (int i = 0; i < 500 && t.Read("out").empty(); ++i) QTest::qWait(10);
    EXPECT_EQ(t.Read("out"), "game.nes\n");
}

TEST(Wine, AWindowsEmulatorStartsUnderWineWithARomPathItCanOpen) {
#ifndef WINDOWS_RECORDER
    GTEST_SKIP() << "no MinGW to build a Windows program";
#else
    if (posix::FindOnPath("wine").empty()) GTEST_SKIP() << "no wine";
    const auto d = MakeWindowDriver();
    d->folder.Write("app/zsnesw.exe", ReadTreeFile(WINDOWS_RECORDER));
    d->folder.Write("roms/Super Mario.smc", "rom");
    d->Show(d->folder / "app/zsnesw.exe");
    d->Click(0);
    d->ClickPlay();
    for (int i = 0; i < 6000 && d->folder.Read("app/launched.txt").empty(); ++i) QTest::qWait(10);
    std::istringstream record(d->folder.Read("app/launched.txt"));
    std::string parameters, folder, opened;
    std::getline(record, parameters) && std::getline(record, folder) && std::getline(record, opened);
    EXPECT_NE(parameters.find(":\\"), std::string::npos) << parameters;  // as Windows names it
    EXPECT_NE(parameters.find("\\roms\\Super Mario.smc"), std::string::npos) << parameters;
    EXPECT_EQ(folder.substr(folder.size() - 4), "\\app") << folder;
    EXPECT_EQ(opened, "opened");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nowhere");  // no wine: the message says what is missing
    EXPECT_NE(d->MessageDuring([&] { d->ClickPlay(); }).find("Wine is needed"), std::string::npos);
    qputenv("PATH", path);
#endif
}

TEST(SingleInstance, TheSocketOfACrashedTarvoIsTakenOver) {
    const auto d = MakeWindowDriver();
    const std::string path = d->folder / "tarvo.socket";
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);  // the file stays; nobody listens

    const std::string emulator = d->Emulator("nestopia");
    d->Show(emulator);
    d->Minimize();
    EXPECT_EQ(d->SecondStart(emulator), 0);
    EXPECT_FALSE(d->Minimized());
}

}  // namespace
}  // namespace tarvo::testing
