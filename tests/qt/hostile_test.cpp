// Hostile files and neighbours on Linux: nothing may hang, exhaust or crash
// Tarvo, and another user cannot answer for it or talk to it.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <ctime>
#include <functional>

#include "picture_view.h"
#include "single_instance.h"
#include "window_driver.h"

namespace tarvo::testing {
namespace {

constexpr uid_t kNobody = 65534;

TEST(HostileFiles, ThatAreNoOrdinaryFilesAreRefusedAtOnce) {
    const auto d = MakeWindowDriver();
    const std::string emulator = d->Emulator("nestopia");
    d->folder.Write("roms/a.nes", "rom");
    d->folder.Write("shots/keep", "");
    auto replace = [&](const std::string& name, const std::function<void(const std::string&)>& make) {
        d->folder.Remove(name);
        rmdir((d->folder / name).c_str());
        make(d->folder / name);
    };
    const std::function<void(const std::string&)> hostile[] = {
        [](const std::string& p) { mkfifo(p.c_str(), 0600); },
        [](const std::string& p) { symlink("/dev/zero", p.c_str()); },
        [](const std::string& p) {  // 2.1 GB, sparse: no disk used
            const int fd = open(p.c_str(), O_CREAT | O_WRONLY, 0600);
            EXPECT_EQ(ftruncate(fd, 2100000000), 0);
            close(fd);
        },
        [](const std::string& p) { mkdir(p.c_str(), 0700); },
    };
    for (const auto& make : hostile) {
        replace("shots/a.nes.gif", make);
        EXPECT_FALSE(PictureView(nullptr).LoadPicture(d->folder / "shots/a.nes.gif"));
        d->Show(emulator);
        d->Click(0);
        EXPECT_EQ(d->Grab(Control::Picture).At(0.5, 0.5).blue, 255);  // the logo
        replace("Tarvo.conf", make);
        d->Show(emulator);  // without settings: no ROM folder
        EXPECT_TRUE(d->Rows().empty());
        replace("Tarvo.conf", [](const std::string&) {});
        d->folder.Write("Tarvo.conf", "[Settings]\nroms=" + d->folder / "roms" + "\nshots=" + d->folder / "shots\n");
    }
}

// Another user (nobody) listening on the path Tarvo would use; the socket
// bound as root first where the folder is Tarvo's own. The child ends with
// 1 when any connection sent it anything within three seconds.
pid_t Squat(const std::string& path, bool bindAsRoot) {
    const pid_t child = fork();
    if (child != 0) return child;
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    if (!bindAsRoot && setuid(kNobody) != 0) _exit(2);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) _exit(2);
    if (bindAsRoot && setuid(kNobody) != 0) _exit(2);
    listen(fd, 4);
    ssize_t received = 0, got;
    for (const std::time_t end = std::time(nullptr) + 3; std::time(nullptr) < end;) {
        pollfd incoming{fd, POLLIN, 0};
        if (poll(&incoming, 1, 100) <= 0) continue;
        const int connection = accept(fd, nullptr, nullptr);
        char bytes[64];
        while ((got = read(connection, bytes, sizeof bytes)) > 0) received += got;
        close(connection);
    }
    _exit(received > 0 ? 1 : 0);
}

TEST(SingleInstance, AnotherUsersListenerIsNoTarvo) {
    if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    struct Case { const char* name; bool inTemporaryFolder; };
    for (const Case c : {Case{"a folder of another user", true}, Case{"another user in Tarvo's folder", false}}) {
        ScratchFolder t;
        const std::string folder = c.inTemporaryFolder ? t / ("tarvo-" + std::to_string(getuid())) : t / "run";
        mkdir(folder.c_str(), c.inTemporaryFolder ? 0777 : 0700);
        chmod(folder.c_str(), c.inTemporaryFolder ? 0777 : 0700);
        if (c.inTemporaryFolder && chown(folder.c_str(), kNobody, kNobody) != 0) FAIL() << "chown";
        t.Write("app/nestopia", "#!/bin/sh\n", true);
        const pid_t squatter = Squat(folder + "/tarvo.socket", !c.inTemporaryFolder);
        struct stat before {}, after {};
        for (int i = 0; i < 100 && stat((folder + "/tarvo.socket").c_str(), &before) != 0; ++i) QTest::qWait(10);

        QProcess tarvo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(t / "config"));
        env.insert("TMPDIR", QString::fromStdString(t / ""));
        env.insert("XDG_RUNTIME_DIR", c.inTemporaryFolder ? "" : QString::fromStdString(folder));
        tarvo.setProcessEnvironment(env);
        tarvo.start(TARVO_BINARY, {QString::fromStdString(t / "app/nestopia")});
        EXPECT_FALSE(tarvo.waitForFinished(1500)) << c.name;  // its own window is up
        stat((folder + "/tarvo.socket").c_str(), &after);
        EXPECT_EQ(before.st_ino == after.st_ino, c.inTemporaryFolder) << c.name;  // a foreign folder is left alone
        tarvo.kill();
        tarvo.waitForFinished();
        int status = 0;
        waitpid(squatter, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.name << ": the squatter was sent something";
    }
}

TEST(SingleInstance, CaptionsFromAnotherUserAreIgnored) {
    if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    ScratchFolder t;
    const std::string path = t / "run/tarvo.socket";
    t.Write("run/keep", "");
    chmod((t / "run").c_str(), 0711);
    chmod((t / "").c_str(), 0711);
    SingleInstance first(path);
    std::string received;
    first.OnCaption([&](const std::string& caption) { received += caption; });
    chmod(path.c_str(), 0777);
    const pid_t stranger = fork();
    if (stranger == 0) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        const bool sent = setuid(kNobody) == 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                          write(fd, "Tarvo - Generic Frontend by Quillan\n", 36) == 36;
        _exit(sent ? 0 : 1);
    }
    int status = 0;
    waitpid(stranger, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);  // the stranger did reach the socket
    QTest::qWait(300);
    EXPECT_EQ(received, "");
}

}  // namespace
}  // namespace tarvo::testing
