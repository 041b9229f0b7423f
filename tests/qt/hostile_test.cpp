// Hostile files and neighbours on Linux: nothing may hang, exhaust or crash
// Tarvo, and another user cannot answer for it.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <ctime>
#include <filesystem>

#include "picture_view.h"
#include "window_driver.h"

namespace tarvo::testing {
namespace {

constexpr uid_t kNobody = 65534;

TEST(HostileFiles, ThatAreNoOrdinaryFilesAreRefusedAtOnce) {
    const auto d = MakeWindowDriver();
    const std::string emulator = d->Emulator("nestopia");
    d->folder.Write("roms/a.nes", "rom");
    d->folder.Write("shots/keep", "");
    const std::function<void(const std::string&)> hostile[] = {
        [](const std::string& p) { mkfifo(p.c_str(), 0600); },
        [](const std::string& p) { symlink("/dev/zero", p.c_str()); },
        [](const std::string& p) { close(open(p.c_str(), O_CREAT | O_WRONLY, 0600)), truncate(p.c_str(), 2100000000); },
        [](const std::string& p) { mkdir(p.c_str(), 0700); },
    };
    for (const auto& make : hostile) {  // as a screenshot, then as the settings file
        std::filesystem::remove(d->folder / "shots/a.nes.gif");
        make(d->folder / "shots/a.nes.gif");
        EXPECT_FALSE(PictureView(nullptr).LoadPicture(d->folder / "shots/a.nes.gif"));
        d->Show(emulator);
        d->Click(0);
        EXPECT_EQ(d->Grab(Control::Picture).At(0.5, 0.5).blue, 255);  // the logo
        const std::string settings = d->folder.Read("Tarvo.conf");
        std::filesystem::remove(d->folder / "Tarvo.conf");
        make(d->folder / "Tarvo.conf");
        d->Show(emulator);  // without settings: no ROM folder
        EXPECT_TRUE(d->Rows().empty());
        std::filesystem::remove(d->folder / "Tarvo.conf");
        d->folder.Write("Tarvo.conf", settings);
    }
}

// User nobody listening on a socket; bound by root first when bindAsRoot.
// The child ends with 1 when a connection sent it anything within 3 s.
pid_t Squat(const std::string& path, bool bindAsRoot) {
    const pid_t child = fork();
    if (child != 0) return child;
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const bool bound = (bindAsRoot || setuid(kNobody) == 0) && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (!bound || setuid(kNobody) != 0 || listen(fd, 4) != 0) _exit(2);
    ssize_t received = 0;
    for (const std::time_t end = std::time(nullptr) + 3; std::time(nullptr) < end;) {
        pollfd incoming{fd, POLLIN, 0};
        if (poll(&incoming, 1, 100) <= 0) continue;
        const int connection = accept(fd, nullptr, nullptr);
        char bytes[64];
        for (ssize_t got; (got = read(connection, bytes, sizeof bytes)) > 0;) received += got;
        close(connection);
    }
    _exit(received > 0 ? 1 : 0);
}

TEST(SingleInstance, AnotherUsersListenerIsNoTarvo) {
    if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    for (const bool inTemporaryFolder : {true, false}) {  // a folder of nobody's; nobody in Tarvo's own folder
        char root[] = "/tmp/tarvo-squat-XXXXXX";  // a folder nobody can reach
        ASSERT_TRUE(mkdtemp(root));
        chmod(root, 0755);
        const std::string folder = std::string(root) + (inTemporaryFolder ? "/tarvo-" + std::to_string(getuid()) : "/run");
        mkdir(folder.c_str(), 0700);
        if (inTemporaryFolder) {
            ASSERT_TRUE(chmod(folder.c_str(), 0777) == 0 && chown(folder.c_str(), kNobody, kNobody) == 0);
        }
        const pid_t squatter = Squat(folder + "/tarvo.socket", !inTemporaryFolder);
        struct stat before {}, after {};
        for (int i = 0; i < 100 && stat((folder + "/tarvo.socket").c_str(), &before) != 0; ++i) usleep(10000);

        QProcess tarvo, second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", root);
        env.insert("XDG_CACHE_HOME", QString(root) + "/cache");
        env.insert("TMPDIR", root);
        env.insert("XDG_RUNTIME_DIR", inTemporaryFolder ? "" : QString::fromStdString(folder));
        tarvo.setProcessEnvironment(env);
        second.setProcessEnvironment(env);
        tarvo.start(TARVO_BINARY, {"/usr/games/nestopia"});
        EXPECT_FALSE(tarvo.waitForFinished(1500)) << inTemporaryFolder;  // its own window is up
        stat((folder + "/tarvo.socket").c_str(), &after);
        EXPECT_EQ(before.st_ino == after.st_ino, inTemporaryFolder);  // a foreign folder is left alone
        second.start(TARVO_BINARY, {"/usr/games/nestopia"});  // and the rule holds: the first is found
        EXPECT_TRUE(second.waitForFinished(3000) && second.exitCode() == 0) << inTemporaryFolder;
        tarvo.kill();
        tarvo.waitForFinished();
        int status = 0;
        waitpid(squatter, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the squatter was sent something";
        std::filesystem::remove_all(root);
    }
}

}  // namespace
}  // namespace tarvo::testing
