#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <algorithm>

#include "ini_settings.h"
#include "linux_services.h"
#include "posix_files.h"
#include "posix_start.h"
#include "recorder.h"

namespace tarvo::testing {
namespace {

TEST(Settings, ValuesAreTakenAsWritten) {
    TempFolder t;
    t.Write("Tarvo.conf",
            "; comment\r\n[Other]\r\nroms=/wrong\r\n[Settings]\r\n"
            "roms = /home/me/My \"Roms\", all\\old \r\nshots=\nEMU=/usr/games/mame\n");
    const std::string file = t / "Tarvo.conf";
    EXPECT_EQ(ReadIniSetting(file, "Settings", "roms"), "/home/me/My \"Roms\", all\\old");
    EXPECT_EQ(ReadIniSetting(file, "Settings", "shots"), "");
    EXPECT_EQ(ReadIniSetting(file, "Settings", "emu"), "/usr/games/mame");
    EXPECT_EQ(ReadIniSetting(file, "Settings", "missing"), std::nullopt);
    EXPECT_EQ(ReadIniSetting(t / "none.conf", "Settings", "roms"), std::nullopt);
}

TEST(Folders, OnePassWithKindsAndHiddenNames) {
    TempFolder t;
    t.Write("roms/a.nes", "x");
    t.Write("roms/.hidden.nes", "x");
    t.Write("roms/sub.nes/inner", "x");
    t.Write("roms/\xff\xfe.nes", "x");
    ASSERT_EQ(symlink((t / "roms/a.nes").c_str(), (t / "roms/link.nes").c_str()), 0);
    ASSERT_EQ(symlink((t / "nowhere").c_str(), (t / "roms/broken.nes").c_str()), 0);

    std::vector<FolderEntry> entries;
    ASSERT_TRUE(posix::ListFolder(t / "roms", entries));
    auto kindOf = [&](const std::string& name) {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](auto& e) { return e.name == name; });
        return it == entries.end() ? std::string("absent")
               : it->kind == FolderEntry::Kind::File ? (it->hidden ? "hidden file" : "file")
               : it->kind == FolderEntry::Kind::Folder ? "folder" : "other";
    };
    EXPECT_EQ(entries.size(), 6u);
    EXPECT_EQ(kindOf("a.nes"), "file");
    EXPECT_EQ(kindOf(".hidden.nes"), "hidden file");
    EXPECT_EQ(kindOf("sub.nes"), "folder");
    EXPECT_EQ(kindOf("\xff\xfe.nes"), "file");
    EXPECT_EQ(kindOf("link.nes"), "file");
    EXPECT_EQ(kindOf("broken.nes"), "other");

    EXPECT_FALSE(posix::ListFolder(t / "missing", entries));
    EXPECT_FALSE(posix::ListFolder(t / "roms/a.nes", entries));
    EXPECT_EQ(posix::FirstOrdinaryFile(t / "roms/sub.nes"), "inner");
    t.Write("only/.dot", "x");
    EXPECT_EQ(posix::FirstOrdinaryFile(t / "only"), "");
    EXPECT_EQ(posix::FileLength(t / "roms/a.nes"), 1u);
    EXPECT_EQ(posix::FileLength(t / "roms/sub.nes"), std::nullopt);
}

TEST(CommandLine, ArgumentsJoinedBySingleBlanks) {
    char a0[] = "tarvo", a1[] = "/opt/My", a2[] = "Emus/mame", a3[] = "\xff";
    char* argv[] = {a0, a1, a2, a3, nullptr};
    EXPECT_EQ(LinuxEnvironment::FromProcess(4, argv).commandLine, "/opt/My Emus/mame \xff");
    EXPECT_EQ(LinuxEnvironment::FromProcess(1, argv).commandLine, "");
}

TEST(Start, OneArgumentNeverSplitAndTheWorkingFolder) {
    struct Case { std::string parameters; std::string recorded; };
    const Case cases[] = {
        {"/roms/Super Game \"v2\" $HOME.nes", "1\n[/roms/Super Game \"v2\" $HOME.nes]\n"},
        {"ülkü \xff", "1\n[ülkü \xff]\n"},
        {"", "0\n"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        const std::string emulator = WriteRecorder(t, "emu dir/run emu", "out");
        t.Write("app/keep", "x");
        const StartResult result = posix::StartDetached({emulator, c.parameters, t / "app/"});
        ASSERT_TRUE(result.started) << result.error;
        ASSERT_TRUE(t.WaitFor("out"));
        EXPECT_EQ(t.Read("out").rfind(c.recorded + t / "app" + "\n", 0), 0u) << t.Read("out");
    }
}

TEST(Start, FailuresComeBackWithTheReason) {
    TempFolder t;
    t.Write("plain", "not a program");
    EXPECT_EQ(posix::StartDetached({t / "missing", "x", t.path()}).error, "No such file or directory");
    EXPECT_EQ(posix::StartDetached({t / "plain", "x", t.path()}).error, "Permission denied");
    EXPECT_FALSE(posix::StartDetached({t / "plain", "x", t.path()}).started);
}

TEST(Start, TheEmulatorOutlivesTarvo) {
    TempFolder t;
    const std::string emulator = WriteRecorder(t, "emu", "out", "0.5");
    QProcess probe;
    probe.start(START_PROBE, {QString::fromStdString(emulator), "game.nes", QString::fromStdString(t.path())});
    ASSERT_TRUE(probe.waitForFinished(5000));
    EXPECT_EQ(probe.exitCode(), 0);
    EXPECT_TRUE(t.Read("out").empty());  // still asleep when the starter has ended
    ASSERT_TRUE(t.WaitFor("out"));
    EXPECT_EQ(t.Read("out").rfind("1\n[game.nes]\n" + t.path() + "\n", 0), 0u);
}

}  // namespace
}  // namespace tarvo::testing
