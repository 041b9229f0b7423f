// What only the Linux front end does: Tarvo.conf, folder listing, the
// command line, starts, Windows emulators through Wine, the socket of a
// crashed instance; and hostile files and neighbours: nothing may hang,
// exhaust or crash Tarvo, and another user cannot answer for it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QListView>
#include <QProcess>
#include <QStyledItemDelegate>
#include <QTest>
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>

#include "ask_program.h"
#include "linux_host.h"
#include "linux_parts.h"
#include "picture_decoder.h"
#include "posix_files.h"
#include "posix_start.h"
#include "process_tree.h"
#include "window_driver.h"
#include "x_screen.h"

namespace tarvo::testing {
namespace {

TEST(List, AFullArcadeSetIsLaidOutWithoutMeasuringEachRow) {
    struct Measuring : QStyledItemDelegate {
        mutable int rows = 0;
        QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
            return ++rows, QStyledItemDelegate::sizeHint(option, index);
        }
    } measuring;
    const std::unique_ptr<WindowDriver> d = MakeWindowDriver();
    d->UseRoms(TARVO_ARCADE_SET);  // 70,000 rows
    d->Show(d->Emulator("nestopia"));
    QListView* list = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) list = list ? list : window->findChild<QListView*>();
    ASSERT_TRUE(list);
    list->setItemDelegate(&measuring);
    list->doItemsLayout();  // as a new list, or a new width, has it laid out again
    EXPECT_LT(measuring.rows, 100);
    list->setItemDelegate(nullptr);
}

TEST(Folders, OnePassKeepsTheVisibleMatchingFilesAndLinksToThem) {
    ScratchFolder t;
    for (const char* name : {"roms/a.nes", "roms/.hidden.nes", "roms/sub.nes/inner", "roms/\xff\xfe.nes", "roms/a.txt"}) t.Write(name, "x");
    ASSERT_EQ(symlink((t / "roms/a.nes").c_str(), (t / "roms/link.nes").c_str()), 0);
    ASSERT_EQ(symlink((t / "nowhere").c_str(), (t / "roms/broken.nes").c_str()), 0);
    NameList names;  // read on while its reader wants it, to the end
    ASSERT_TRUE(posix::ListFiles(t / "roms", WildcardSet("*.NES"), names, [](std::size_t) { return true; }));
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < names.size(); ++i) seen.emplace_back(names[i]);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"a.nes", "link.nes", "\xff\xfe.nes"}));
    NameList first;  // and no further once it no longer does
    ASSERT_TRUE(posix::ListFiles(t / "roms", WildcardSet("*.NES"), first, [](std::size_t found) { return found == 0; }));
    EXPECT_EQ(first.size(), 1u);
    EXPECT_FALSE(posix::ListFiles(t / "missing", WildcardSet("*.*"), names));
    EXPECT_FALSE(posix::ListFiles(t / "roms/a.nes", WildcardSet("*.*"), names));
    bool holdsFiles = false;  // whatever matches
    EXPECT_TRUE(posix::ListFiles(t / "roms/sub.nes", WildcardSet("*.zip"), names, {}, &holdsFiles) && holdsFiles);
    t.Write("only/.dot", "x");
    EXPECT_TRUE(posix::ListFiles(t / "only", WildcardSet("*"), names, {}, &holdsFiles) && !holdsFiles);
    EXPECT_EQ(posix::FileLength(t / "roms/a.nes"), 1u);
    t.Write("run", "#!/bin/sh\n", true);  // adoption needs a program this user may run
    EXPECT_TRUE(posix::IsExecutableFile(t / "run") && !posix::IsExecutableFile(t / "roms/a.nes"));
    EXPECT_EQ(posix::FileLength(t / "roms/sub.nes"), std::nullopt);
}

TEST(CommandLine, ArgumentsJoinedBySingleBlanks) {
    char a0[] = "tarvo", a1[] = "/opt/My", a2[] = "Emus/mame", a3[] = "\xff";
    char* argv[] = {a0, a1, a2, a3, nullptr};
    EXPECT_EQ(posix::LinuxHost(4, argv, "").commandLine, "/opt/My Emus/mame \xff");
    EXPECT_EQ(posix::LinuxHost(1, argv, "").commandLine, "");
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", "/home/me");  // messages name the settings file as the user knows it
    EXPECT_EQ(posix::LinuxHost(1, argv, "/home/me/.config/Tarvo/Tarvo.conf").settingsPlace, "~/.config/Tarvo/Tarvo.conf");
    qputenv("HOME", savedHome);
    for (auto [folder, installed] : {std::pair{"/usr/games/", true}, {"/usr/local/bin/", true}, {"/usr/games/tarvo/", false},
                                     {"/home/me/tarvo/", false}, {"/opt/tarvo/", false}}) {
        EXPECT_EQ(posix::IsSystemFolder(folder), installed) << folder;
    }
    const QByteArray gamescope = qgetenv("GAMESCOPE_WAYLAND_DISPLAY"), desktop = qgetenv("XDG_CURRENT_DESKTOP");
    struct Case { const char* display; const char* desktop; bool oneWindow; };  // Steam Deck's game mode
    for (const Case& c : {Case{"", "KDE", false}, Case{"gamescope-0", "KDE", true}, Case{"", "gamescope", true}}) {
        qputenv("GAMESCOPE_WAYLAND_DISPLAY", c.display), qputenv("XDG_CURRENT_DESKTOP", c.desktop);
        EXPECT_EQ(posix::LinuxHost(1, argv, "").oneWindowAtATime, c.oneWindow) << c.display << c.desktop;
    }
    qputenv("GAMESCOPE_WAYLAND_DISPLAY", gamescope), qputenv("XDG_CURRENT_DESKTOP", desktop);
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY"), session = qgetenv("XDG_SESSION_TYPE");
    struct Display { const char* platform; const char* wayland; const char* session; bool comeBack; };
    for (const Display& c : {Display{"xcb", "", "x11", true}, Display{"xcb", "", "", true}, Display{"wayland", "", "", false},
                             Display{"wayland-egl", "wayland-0", "wayland", false}, Display{"xcb", "wayland-0", "", false},
                             Display{"xcb", "", "wayland", false}, Display{"offscreen", "", "tty", true}}) {
        qputenv("WAYLAND_DISPLAY", c.wayland), qputenv("XDG_SESSION_TYPE", c.session);
        EXPECT_EQ(posix::MinimisedWindowsComeBack(c.platform), c.comeBack) << c.platform << c.wayland << c.session;
    }
    qputenv("WAYLAND_DISPLAY", wayland), qputenv("XDG_SESSION_TYPE", session);
    const QByteArray config = qgetenv("XDG_CONFIG_HOME"), home = qgetenv("HOME");
    qputenv("HOME", "/home/me");
    for (const char* folder : {"", "/settings"}) {
        qputenv("XDG_CONFIG_HOME", folder);
        EXPECT_EQ(posix::LinuxSettings::UsersFile(), (*folder ? std::string(folder) : "/home/me/.config") + "/Tarvo/Tarvo.conf");
    }
    qputenv("XDG_CONFIG_HOME", config), qputenv("HOME", home);
}

TEST(CommandLine, HelpAndVersionAnswerWithoutAWindow) {
    for (const char* option : {"--help", "--version"}) {
        QProcess tarvo;
        tarvo.start(TARVO_BINARY, {option});
        ASSERT_TRUE(tarvo.waitForFinished(5000)) << option;  // no window, no message waiting for OK
        EXPECT_EQ(tarvo.exitCode(), 0);
        const QString said = tarvo.readAllStandardOutput();
        EXPECT_TRUE(said.startsWith(option[2] == 'h' ? "Usage: tarvo EMULATOR" : "tarvo 1.0")) << said.toStdString();
    }
}

TEST(Start, AGameIsWaitedForWhateverItsLauncherDoesAndOutlivesTarvo) {
    ScratchFolder t;
    // A launcher that leaves its game behind in a session of its own, as "setsid emu &" does; the game
    // leaves a session bus of its own behind, as an SDL game in a session without one does.
    ASSERT_EQ(symlink("/bin/sleep", (t / "dbus-daemon").c_str()), 0);
    t.Write("game", "#!/bin/sh\necho $$ >>'" + t / "pids" + "'\nsetsid '" + t / "dbus-daemon" + "' 30 >/dev/null 2>&1 &\n"
                    "echo $! >>'" + t / "helpers" + "'\necho \"playing $1\"\ni=0\n"
                    "while [ ! -e '" + t / "end" + "' ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done\n"
                    "echo \"played $1\" >&2\n", true);
    t.Write("emu", "#!/bin/sh\nsetsid '" + t / "game" + "' \"$@\" &\n", true);
    auto game = [&](std::size_t n) {  // the nth game's process, once it plays
        std::vector<pid_t> pids;
        for (int i = 0; i < 500 && pids.size() < n; ++i, QTest::qWait(10)) {
            std::istringstream lines(t.Read("pids"));
            pids.assign(std::istream_iterator<pid_t>(lines), std::istream_iterator<pid_t>());
        }
        return pids.size() < n ? -1 : pids[n - 1];
    };
    QProcess helper;  // a program of Tarvo's own session: no game
    helper.start("sleep", {"30"});
    posix::Child own;  // one it started before the game, which leaves a child behind: not the game's
    posix::StartChild("/bin/sh", {"-c", "setsid sleep 5 >/dev/null 2>&1 &"}, "/", own);
    posix::Reap(own);
    posix::LinuxFiles files;
    QtWindowThread window;
    // What the games print reaches Tarvo's own output and error, here files.
    const int output = dup(STDOUT_FILENO), error = dup(STDERR_FILENO);
    const int printedTo = open((t / "printed").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    dup2(printedTo, STDOUT_FILENO), dup2(printedTo, STDERR_FILENO), close(printedTo);
    std::size_t games = 0;
    for (const bool pidfds : {true, false}) {  // and where the system has none: ends asked for now and then
        t.Remove("end");
        int ended = 0;
        auto launcher = std::make_unique<LinuxLauncher>(files, window, pidfds);
        Launcher::Launch launch = launcher->Start({t / "emu", "a.nes", t / "", ""}, NeverCancelled());
        ASSERT_TRUE(launch.result.started && launch.program);
        launcher->Watch(std::move(launch.program), [&](const ProgramOutcome&) { ++ended; });
        const pid_t first = game(++games);
        EXPECT_NE(getsid(first), getsid(0));  // no terminal or session of Tarvo's ends it
        QTest::qWait(300);
        EXPECT_EQ(ended, 0);  // its launcher has ended, it has not
        t.Write("end", "");
        for (int i = 0; i < 500 && ended == 0; ++i) QTest::qWait(10);
        EXPECT_EQ(ended, 1) << pidfds;  // the game, not what it left running
        EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(first))) << pidfds;  // and reaped
        if (!pidfds) continue;
        t.Remove("end");
        launch = launcher->Start({t / "emu", "b.nes", t / "", ""}, NeverCancelled());
        launcher->Watch(std::move(launch.program), [&](const ProgramOutcome&) { ++ended; });
        const pid_t second = game(++games);
        launcher.reset();  // Tarvo ends while the game runs: it runs on, and what it prints still arrives
        EXPECT_EQ(kill(second, 0), 0);
        t.Write("end", "");
        waitpid(second, nullptr, 0);
    }
    for (int i = 0; i < 200 && t.Read("printed").find("played b.nes") == std::string::npos; ++i) QTest::qWait(10);
    dup2(output, STDOUT_FILENO), dup2(error, STDERR_FILENO), close(output), close(error);
    const std::string printed = t.Read("printed");
    for (const char* line : {"playing a.nes\n", "played a.nes\n", "playing b.nes\n", "played b.nes\n"}) {
        EXPECT_NE(printed.find(line), std::string::npos) << line << " not in: " << printed;
    }
    std::istringstream helpers(t.Read("helpers"));
    for (pid_t pid; helpers >> pid;) kill(pid, SIGKILL);
}

// The process descriptors (pidfds) this process holds.
int PidfdsHeld() {
    int held = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        held += std::filesystem::read_symlink(entry.path(), gone) == "anon_inode:[pidfd]";
    }
    return held;
}

TEST(Start, AGameEndsAsItWasAskedAndTellsHowItEnded) {
    // Each row: the game (a launcher's, left behind, when it begins with "setsid"), how Tarvo ends it
    // ("" not at all, "p" politely, "pf" politely then forced), how it ended and the last lines it printed.
    struct Case { const char* game; const char* ending; ProgramOutcome outcome; };
    const Case cases[] = {
        {"echo one >&2; sleep 0.1; echo two; exit 3", "", {3, 0, "one\ntwo"}},
        {"printf 'a\\nb\\nc\\nd\\n\\033[31me\\033[0m\\r\\n'; kill -USR1 $$", "", {0, SIGUSR1, "b\nc\nd\ne"}},
        {"exec sleep 30", "p", {0, SIGTERM, ""}},
        {"setsid sh -c 'trap \"echo asked; exit 0\" TERM; sleep 30 & wait' &", "p", {0, 0, "asked"}},
        // a launcher that lives through the signal and ends as its game does, in a session of its own
        {"trap true TERM; setsid sh -c 'trap \"echo asked; exit 0\" TERM; sleep 30 & wait' & game=$!; "
         "until wait $game; ended=$?; [ $ended -lt 128 ]; do :; done; exit $ended", "p", {0, 0, "asked"}},
        {"trap '' TERM; sleep 30", "pf", {0, SIGKILL, ""}},
        {"kill -PIPE $$; exit 4", "", {0, SIGPIPE, ""}},  // as it normally is, whatever Tarvo was handed
    };
    const auto handed = signal(SIGPIPE, SIG_IGN);
    ScratchFolder t;
    posix::LinuxFiles files;
    QtWindowThread window;
    LinuxLauncher launcher(files, window);
    for (const auto& c : cases) {
        t.Write("emu", std::string("#!/bin/sh\n") + c.game + "\n", true);
        std::optional<ProgramOutcome> ended;
        Launcher::Launch launch = launcher.Start({t / "emu", "", t / "", ""}, NeverCancelled());
        ASSERT_TRUE(launch.program) << c.game;
        launcher.Watch(std::move(launch.program), [&](const ProgramOutcome& outcome) { ended = outcome; });
        QTest::qWait(300);  // under way
        // Its end is told by the system (a pidfd) the moment it comes: nothing asks now and then.
        EXPECT_TRUE(!*c.ending || PidfdsHeld() > 0) << c.game;
        for (const char* step = c.ending; *step; ++step) {
            launcher.EndAll(*step == 'f');
            QTest::qWait(300);
        }
        for (int i = 0; i < 300 && !ended; ++i) QTest::qWait(10);
        ASSERT_TRUE(ended) << c.game;
        EXPECT_EQ(ended->exitCode, c.outcome.exitCode) << c.game;
        EXPECT_EQ(ended->signal, c.outcome.signal) << c.game;
        EXPECT_EQ(ended->lastLines, c.outcome.lastLines) << c.game;
    }
    signal(SIGPIPE, handed);
}

TEST(Start, WithNoPipeLeftForItsOutputAGameStartsAndNothingWatchesItAfterItsEnd) {
#ifdef TARVO_SANITIZED
    // UBSan checks an object's type by writing it to a pipe of its own; with
    // no descriptor free, it reports every object it checks as invalid.
    GTEST_SKIP() << "the sanitizers need free descriptors of their own";
#endif
    posix::LinuxFiles files;
    QtWindowThread window;
    LinuxLauncher launcher(files, window);
    // The descriptors open, and a limit that leaves three free: one pipe, not two.
    std::set<int> open;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) open.insert(std::stoi(entry.path().filename()));
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    const rlimit handed = limit;
    for (limit.rlim_cur = 0; limit.rlim_cur - std::count_if(open.begin(), open.end(), [&](int fd) {
             return fd < static_cast<int>(limit.rlim_cur) && fcntl(fd, F_GETFD) != -1;
         }) < 3;) {
        ++limit.rlim_cur;
    }
    setrlimit(RLIMIT_NOFILE, &limit);
    Launcher::Launch launch = launcher.Start({"/bin/false", "", "/", ""}, NeverCancelled());  // a program of no script
    setrlimit(RLIMIT_NOFILE, &handed);
    ASSERT_TRUE(launch.program);
    std::optional<int> ended;
    static QStringList warned;  // nothing may watch the ended game's descriptor, closed and free for another
    const QtMessageHandler logged = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        warned << text;
    });
    launcher.Watch(std::move(launch.program), [&](const ProgramOutcome& outcome) {
        QTest::qWait(300);  // a message's own loop, as the game ends
        ended = outcome.exitCode;
    });
    for (int i = 0; i < 300 && !ended; ++i) QTest::qWait(10);
    qInstallMessageHandler(logged);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(warned.join("\n").toStdString(), "");
}

// What a helper process keeps of its parent's descriptors: its own pipes,
// which may well be the lowest free ones, and nothing else.
TEST(Start, AHelperKeepsOnlyTheDescriptorsItIsGiven) {
    const struct {
        std::vector<int> kept;
        int open;  // of descriptors 3 to 8, one bit each
    } rows[] = {
        {{}, 0}, {{3}, 1 << 0}, {{5, 3}, 1 << 0 | 1 << 2}, {{1, 8}, 1 << 5}, {{4, 7, 6}, 1 << 1 | 1 << 3 | 1 << 4},
    };
    for (const auto& row : rows) {
        const pid_t child = fork();
        if (child == 0) {
            for (int fd = 3; fd <= 8; ++fd) dup2(2, fd);
            std::vector<int> kept = row.kept;
            posix::KeepOnly(kept.data(), static_cast<int>(kept.size()));
            int open = 0;
            for (int fd = 3; fd <= 8; ++fd) open |= (fcntl(fd, F_GETFD) != -1) << (fd - 3);
            _exit(fcntl(2, F_GETFD) != -1 ? open : 255);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), row.open) << "keeping " << ::testing::PrintToString(row.kept);
    }
}

TEST(Ask, AnAnswerIsCappedTimedAndReadOnlyWhileItsProgramRuns) {
    struct Case { const char* script; std::optional<std::string> answer; int mostMs; };
    const Case cases[] = {
        {"printf 'a\\nb'", "a\nb", 5000},
        {"printf a; exit 1", std::nullopt, 5000},
        {"head -c 17000000 /dev/zero", std::nullopt, 5000},  // past 16 MiB
        {"exec sleep 20", std::nullopt, 300},                // past the time
        {"sleep 2 & printf x", "x", 1500},                   // what it leaves behind holds the pipe, not Tarvo
        {"read line; printf \"[$line]\"", "[]", 5000},      // nothing to read
    };
    for (const auto& c : cases) {
        QElapsedTimer asked;
        asked.start();
        std::string said;
        const bool answered = posix::AskProgram("/bin/sh", {"-c", c.script}, "/", 16u << 20, c.mostMs,
                                                [&](std::string_view piece) { said.append(piece); }, NeverCancelled());
        EXPECT_EQ(answered ? std::optional<std::string>(said) : std::nullopt, c.answer) << c.script;
        EXPECT_LT(asked.elapsed(), c.mostMs + 500) << c.script;
    }
    for (const char* session : {"", "setsid "}) {  // a child in the question's session, or in one of its own
    ScratchFolder t;  // a question under way when Tarvo ends: its program ends too, all it started, and is reaped
    SingleInstance instance("");
    LinuxParts parts(instance, t / "Tarvo.conf");
    struct Answers : ProgramListener {
        int answered = 0;
        void StartFinished(const StartRequest&, const StartResult&) override {}
        void ProgramEnded(const ProgramOutcome&, std::int64_t) override {}
        void ProgramAnswered(std::optional<std::string>) override { ++answered; }
        void MachinesAnswered(std::shared_ptr<const MachineList>) override { ++answered; }
    } answers;
    auto programs = parts.MakePorts().programs(answers);
    t.Write("mame", "#!/bin/sh\n" + std::string(session) + "sh -c 'echo $$ >\"" + t / "pid" + "\"; exec sleep 20' &\nwait\n", true);
    programs->Ask({{t / "mame", "-listfull", "/", ""}, 100, 20000});
    for (int i = 0; i < 100 && t.Read("pid").empty(); ++i) QTest::qWait(10);
    QElapsedTimer ending;
    ending.start();
    programs.reset();
    EXPECT_LT(ending.elapsed(), 500);
    QTest::qWait(50);
    EXPECT_EQ(answers.answered, 0);
    const std::string child = t.Read("pid").substr(0, t.Read("pid").size() - 1);
    EXPECT_FALSE(std::filesystem::exists("/proc/" + child)) << "the wrapper's child runs on" << session;
    }
}

TEST(Wine, OnlyAWindowsProgramGoesToWineAndItsPathNeverHoldsTheWindow) {
    const auto d = MakeWindowDriver();
    const std::string app = d->folder / "app", bin = d->folder / "bin", ran = d->folder / "ran";
    // Stand-ins on PATH: wine records what it was given to start (a question, it fails); winepath
    // notes its process, then acts.
    d->folder.Write("bin/wine", "#!/bin/sh\ncase \"$2\" in -list*) exit 1;; esac\nprintf '%s\\n%s\\n' \"$2\" \"$PWD\" >>'" + app + "/launched.txt'\n", true);
    const std::string saidWinepath = "#!/bin/sh\necho $$ >'" + ran + "'\n";
    auto winepathLingers = [&] { const std::string pid = d->folder.Read("ran"); return !pid.empty() && std::filesystem::exists("/proc/" + pid.substr(0, pid.size() - 1)); };
    const QByteArray path = qgetenv("PATH"), prefix = qgetenv("WINEPREFIX"), home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(d->folder / "home"));
    enum class Prefix { Set, Unset, Empty };  // unset or empty: Wine's is the one in the home folder
    const std::string rom = d->folder / "roms/a b.smc", onZ = "Z:" + std::string(QString::fromStdString(rom).replace('/', '\\').toStdString());
    for (const char* name : {"a b.smc", "a b.nes", "b.smc", "b.nes", "pacman.zip", "z.zip"}) d->folder.Write(std::string("roms/") + name, "rom");
    struct Case { std::string emulator, contents, driveZ, winepath, launched; int presses = 1; Prefix prefix = Prefix::Set; };
    const Case cases[] = {
        {"nestopia.exe", "", "", "", rom.substr(0, rom.size() - 3) + "nes"},  // a native program, whatever its name
        {"zsnesw.exe", "MZ", "/", "", onZ},                          // Z: is "/": no winepath
        {"zsnesw.exe", "MZ", "", "", onZ},                           // a prefix Wine has yet to set up
        {"zsnesw.exe", "MZ", "/tmp", "printf 'Y:\\\\a b.smc'", "Y:\\a b.smc"},  // another Z:: winepath says
        {"zsnesw.exe", "MZ", "/tmp", "printf 'Y:\\\\a b.smc'; exit 1", rom},  // unless it failed
        {"zsnesw.exe", "MZ", "/tmp", "", rom},                       // or there is no winepath
        {"zsnesw.exe", "MZ", "/tmp", "sleep 0.4; printf 'Y:\\\\a b.smc'", "Y:\\a b.smc", 2},  // Play again meanwhile: one start
        {"zsnesw.exe", "MZ", "/tmp", "head -c 300000000 /dev/zero", rom},  // too talkative: the path as it is
        {"mame.exe", "MZ", "/", "", "pacman"},  // a name, not a path: as it is
        {"zsnesw.exe", "MZ", "/", "", onZ, 1, Prefix::Unset},        // no WINEPREFIX: the home's .wine
        {"zsnesw.exe", "MZ", "/tmp", "printf 'Y:\\\\a b.smc'", "Y:\\a b.smc", 1, Prefix::Empty},  // an empty one too
        {"zsnesw.exe", "MZ", "/tmp", "exec sleep 20", rom},          // or too slow
    };
    QElapsedTimer play;
    for (const auto& c : cases) {
        d->folder.Remove("ran");
        const std::string wine = c.prefix == Prefix::Set ? "prefix" : "home/.wine";
        if (c.prefix == Prefix::Unset) qunsetenv("WINEPREFIX");
        else qputenv("WINEPREFIX", c.prefix == Prefix::Empty ? "" : QByteArray::fromStdString(d->folder / wine));
        std::filesystem::remove_all(d->folder / wine);
        if (!c.driveZ.empty()) {
            d->folder.Write(wine + "/dosdevices/c:", "");
            ASSERT_EQ(symlink(c.driveZ.c_str(), (d->folder / (wine + "/dosdevices/z:")).c_str()), 0);
        }
        const bool noWinepath = c.winepath.empty() && !c.contents.empty();  // nowhere on PATH
        qputenv("PATH", QByteArray::fromStdString(bin) + (noWinepath ? "" : ":" + path));
        if (noWinepath) d->folder.Remove("bin/winepath");
        else d->folder.Write("bin/winepath", saidWinepath + c.winepath + "\n", true);
        d->folder.Write("app/" + c.emulator, c.contents.empty() ? d->Emulator("x"), d->folder.Read("app/x") : c.contents, true);
        d->Show(app + "/" + c.emulator);
        d->Click(0);
        play.start();
        for (int press = 0; press < c.presses; ++press) d->WaitUntil({}, press * 100), d->ClickPlay();
        EXPECT_LT(play.elapsed(), 500) << c.winepath;
        d->Click(1);  // the window answers at once
        EXPECT_EQ(d->Selected(), 1);
        EXPECT_EQ(d->Launched(), c.launched + "\n" + app) << c.winepath;
        d->WaitUntil({}, c.presses > 1 ? 600 : 0);
        EXPECT_EQ(d->Launched(false), "") << c.winepath;
        EXPECT_LT(play.elapsed(), 4000) << c.winepath;  // a winepath that hangs on is not waited for
        EXPECT_EQ(std::filesystem::exists(ran), !c.winepath.empty()) << c.winepath;
        EXPECT_FALSE(winepathLingers()) << c.winepath;  // ended, or ended by Tarvo, and reaped
    }
    d->folder.Remove("ran");
    d->ClickPlay();  // Tarvo closes while winepath works: it is ended and reaped, not waited for
    d->WaitUntil([&] { return !d->folder.Read("ran").empty(); }, 2000);
    play.start();
    d->Show(app + "/mame.exe");
    EXPECT_LT(play.elapsed(), 1000);
    EXPECT_FALSE(winepathLingers());
    // A Windows emulator that is not there is no Windows program: it fails to start, never through Wine.
    d->folder.Remove("app/zsnesw.exe");
    d->Show(app + "/zsnesw.exe");
    EXPECT_EQ(d->MessageDuring([&] { d->ClickPlay(); }),
              "Could not start the emulator " + app + "/zsnesw.exe: No such file or directory");
    EXPECT_FALSE(d->Minimized());
    d->folder.Write("app/zsnesw.exe", "MZ");
    qputenv("PATH", "/nowhere");  // no wine: the message says what is missing
    EXPECT_NE(d->MessageDuring([&] { d->ClickPlay(); }).find("Wine is needed"), std::string::npos);
    EXPECT_EQ(d->Launched(false), "");
    qputenv("PATH", path);
    qputenv("WINEPREFIX", prefix);
    qputenv("HOME", home);
}

TEST(Wine, AWindowsEmulatorStartsUnderWineWithARomPathItCanOpen) {
#ifndef WINDOWS_RECORDER
    GTEST_SKIP() << "no MinGW to build a Windows program";
#else
    if (posix::FindOnPath("wine").empty()) GTEST_SKIP() << "no wine";
    // A persistent server without Wine's services yet: the game's wine starts them, and they stay.
    ASSERT_EQ(std::system("wineserver -k; wineserver -p </dev/null >/dev/null 2>&1"), 0);
    const auto d = MakeWindowDriver();
    d->folder.Write("app/zsnesw.exe", ReadTreeFile(WINDOWS_RECORDER));
    d->folder.Write("roms/Super Mario.smc", "rom");
    d->Show(d->folder / "app/zsnesw.exe");
    d->Click(0);
    d->ClickPlay();
    for (int i = 0; i < 6000 && d->folder.Read("app/opened.txt").empty(); ++i) QTest::qWait(10);
    std::istringstream record(d->folder.Read("app/launched.txt"));
    std::string parameters, folder;
    std::getline(record, parameters) && std::getline(record, folder);
    EXPECT_NE(parameters.find(":\\"), std::string::npos) << parameters;  // as Windows names it
    EXPECT_NE(parameters.find("\\roms\\Super Mario.smc"), std::string::npos) << parameters;
    EXPECT_EQ(folder.substr(folder.size() - 4), "\\app") << folder;
    EXPECT_EQ(d->folder.Read("app/opened.txt"), "opened");
    // Wine's services stay for a persistent server (scripts/test keeps one): the game's end brings Tarvo back all the same.
    EXPECT_TRUE(d->Minimized());
    d->folder.Write("app/end-all", "");
    EXPECT_TRUE(d->WaitUntil([&] { return !d->Minimized(); }, 5000)) << "not back when the game ended";
    // The services hold the test's output open: a server of their own again.
    ASSERT_EQ(std::system("wineserver -k; wineserver -p </dev/null >/dev/null 2>&1"), 0);
#endif
}

TEST(HostileFiles, ThatAreNoOrdinaryFilesAreRefusedAtOnce) {
    const auto d = MakeWindowDriver();
    const std::string emulator = d->Emulator("nestopia");
    d->folder.Write("roms/a.nes", "rom");
    d->folder.Write("shots/keep", "");
    const std::function<void(const std::string&)> hostile[] = {
        [](const std::string& p) { mkfifo(p.c_str(), 0600); },
        [](const std::string& p) { ASSERT_EQ(symlink("/dev/zero", p.c_str()), 0); },
        [](const std::string& p) { close(open(p.c_str(), O_CREAT | O_WRONLY, 0600)); ASSERT_EQ(truncate(p.c_str(), 2100000000), 0); },
        [](const std::string& p) { mkdir(p.c_str(), 0700); },
        [](const std::string& p) {  // settings, padded past a megabyte
            std::ofstream(p) << "[Settings]\nroms=" << (std::filesystem::path(p).parent_path() / "roms").string() << "\n"
                             << std::string(1500000, ';') << "\n";
        },
    };
    for (const auto& make : hostile) {  // as a screenshot, then as the settings file
        std::filesystem::remove(d->folder / "shots/a.nes.gif");
        make(d->folder / "shots/a.nes.gif");
        EXPECT_TRUE(ReadPicture(d->folder / "shots/a.nes.gif", {1920, 1080}).isNull());
        EXPECT_FALSE(ReadPicture(TreePath(TARVO_TEST_DATA "/blue.gif"), {1920, 1080}).isNull() || fcntl(STDIN_FILENO, F_GETFD) == -1);
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

constexpr uid_t kNobody = 65534;

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

// The real tarvo, for the emulator of that command line, over the folder's
// roms/ and app/, as a user starts it on the test display (or offscreen).
// Started with the emulator; with a redirection, its output redirected by a shell that then becomes it.
void StartTarvo(QProcess& tarvo, const ScratchFolder& folder, const std::string& emulator, const char* platform,
                const std::vector<std::pair<QString, QString>>& more = {}, const std::string& redirect = "") {
    folder.Write("config/Tarvo/Tarvo.conf", "[Settings]\nroms=" + folder / "roms" + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", platform);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder / ""));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder / "config"));
    for (const auto& [name, value] : more) value.isNull() ? env.remove(name) : env.insert(name, value);
    tarvo.setProcessEnvironment(env);
    if (redirect.empty()) return tarvo.start(TARVO_BINARY, {QString::fromStdString(emulator)});
    tarvo.start("/bin/sh", {"-c", QString::fromStdString("exec \"$0\" \"$1\" " + redirect), TARVO_BINARY,
                            QString::fromStdString(emulator)});
}

TEST(RealProgram, WithoutASessionBusTarvoIsBackWithinASecondOfTheGamesEnd) {
    XScreen screen;
    if (!screen.Usable() || posix::FindOnPath("dbus-launch").empty()) GTEST_SKIP() << "no X display, or no dbus-launch";
    ScratchFolder t;
    t.Write("roms/a.nes", "rom");
    // An SDL game in a session without a bus starts one, which outlives it.
    t.Write("app/nestopia", "#!/bin/sh\neval $(dbus-launch --sh-syntax)\necho $DBUS_SESSION_BUS_PID >'" + t / "bus" +
                                "'\necho \"$1\" >>'" + t / "launched" + "'\nsleep 2\n: >'" + t / "ended" + "'\n", true);
    QProcess tarvo;  // a bare X session, a kiosk, a cabinet: no bus
    StartTarvo(tarvo, t, t / "app/nestopia", "xcb", {{"DBUS_SESSION_BUS_ADDRESS", QString()}});
    const xcb_window_t window = screen.WaitForTarvo(10000);
    ASSERT_NE(window, 0u);
    screen.Focus(window);
    screen.Press(0xff54), screen.Press(0xff0d);  // Down, Enter: the first ROM
    for (int i = 0; i < 500 && t.Read("ended").empty() && !tarvo.waitForFinished(10);) ++i;
    ASSERT_FALSE(t.Read("launched").empty());
    QTest::qWait(1000);
    screen.Focus(window);
    screen.Press(0xff0d);  // back by now: Enter plays again
    for (int i = 0; i < 200 && t.Read("launched").size() < 2 * (t / "roms/a.nes").size() + 2; ++i) QTest::qWait(10);
    EXPECT_EQ(t.Read("launched"), t / "roms/a.nes\n" + t / "roms/a.nes\n") << "not back a second after the game ended";
    tarvo.kill();
    tarvo.waitForFinished();
    kill(std::atoi(t.Read("bus").c_str()), SIGTERM);
}

TEST(RealProgram, UnderGamescopeTarvoFillsTheScreenAndHidesWhileTheGameRuns) {
    // There is no gamescope here: what can be seen on the test display with its variable set.
    XScreen screen;
    if (!screen.Usable()) GTEST_SKIP() << "no X display";
    ScratchFolder t;
    t.Write("roms/a.nes", "rom"), t.Write("roms/b.nes", "rom");
    t.Write("app/nestopia", "#!/bin/sh\necho \"$1\" >>'" + t / "launched" + "'\ni=0\n"
                            "while [ ! -e '" + t / "end" + "' ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done\n"
                            "rm -f '" + t / "end" + "'\n", true);
    QProcess tarvo;
    StartTarvo(tarvo, t, t / "app/nestopia", "xcb", {{"GAMESCOPE_WAYLAND_DISPLAY", "gamescope-0"}});
    const xcb_window_t window = screen.WaitForTarvo(10000);
    ASSERT_NE(window, 0u);
    auto until = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 300 && !done(); ++i) QTest::qWait(10);
        return done();
    };
    EXPECT_TRUE(until([&] { return screen.FillsTheScreen(window); }));
    screen.Focus(window);
    screen.Press(0xff54), screen.Press(0xff0d);  // Down, Enter: the first ROM
    ASSERT_TRUE(until([&] { return !t.Read("launched").empty(); }));
    EXPECT_TRUE(until([&] { return !screen.Mapped(window); })) << "still on screen, or only iconic, while the game runs";
    t.Write("end", "");
    EXPECT_TRUE(until([&] { return screen.Mapped(window) && screen.Focused() == window; })) << "not back, or not active";
    screen.Press(0xff54), screen.Press(0xff0d);  // the list has the keys: the next ROM
    EXPECT_TRUE(until([&] { return t.Read("launched") == t / "roms/a.nes\n" + t / "roms/b.nes\n"; })) << t.Read("launched");
    t.Write("end", "");
    tarvo.kill();
    tarvo.waitForFinished();
}

TEST(RealEmulator, MamesOwnWordsWhenASetCannotRun) {
    if (!std::filesystem::exists("/usr/games/mame")) GTEST_SKIP() << "no MAME (apt install mame)";
    auto d = MakeWindowDriver();
    d->folder.Write("roms/pacman.zip", "not a zip at all");
    d->UseSetting("mame", "args", "-rompath %ROMDIR% %BASENAME%");
    d->Show("/usr/games/mame");
    EXPECT_TRUE(d->WaitUntil([&] { return d->Rows() == std::vector<std::string>{"pacman"}; }, 10000));
    d->Click(0);
    const std::string message = d->MessageDuring([&] {
        d->ClickPlay();
        d->WaitUntil([&] { return d->Minimized(); }, 2000);
        d->WaitUntil([&] { return !d->Minimized(); }, 10000);
    });
    EXPECT_EQ(message.rfind("The emulator mame ended at once (exit code 2): ", 0), 0u) << message;
    EXPECT_NE(message.find("Fatal error: Required files are missing, the machine cannot be run."), std::string::npos) << message;
}

TEST(RealEmulator, MameTellsWhichSetsAreNoGames) {
    if (!std::filesystem::exists("/usr/games/mame")) GTEST_SKIP() << "no MAME (apt install mame)";
    const std::vector<std::string> games{"Pac-Man (Midway)", "Puck Man (Japan set 1)"};
    for (const auto& [hide, shown] : {std::pair{"", games}, std::pair{"clones", std::vector<std::string>{games[1]}}}) {
        const std::vector<std::string> rows = shown;  // a lambda may not name a structured binding in C++17
        auto d = MakeWindowDriver();
        for (const char* set : {"neogeo.zip", "pacman.zip", "puckman.zip", "qsound.zip"}) d->folder.Write(std::string("roms/") + set, "set");
        d->UseSetting("Settings", "hide", hide);
        d->Show("/usr/games/mame");
        EXPECT_TRUE(d->WaitUntil([&] { return d->Rows() == rows; }, 15000)) << hide << ": " << ::testing::PrintToString(d->Rows());
    }
}

TEST(RealProgram, EscDuringTheDecodeOfAHugePictureEndsTarvoWell) {
    XScreen screen;
    if (!screen.Usable()) GTEST_SKIP() << "no X display";
    ScratchFolder t;
    t.Write("roms/a.nes", "rom");
    QImage logo(4096, 4096, QImage::Format_RGB32);  // as many pixels as a picture may have
    for (int y = 0; y < logo.height(); ++y) std::fill_n(reinterpret_cast<QRgb*>(logo.scanLine(y)), logo.width(), qRgb(y % 256, 40, 90));
    ASSERT_TRUE(logo.save(QString::fromStdString(TARVO_BINARY).section('/', 0, -2) + "/logo.png"));
    for (int round = 0; round < 50; ++round) {
        QProcess tarvo;
        StartTarvo(tarvo, t, "/usr/games/nestopia", "xcb");
        const xcb_window_t window = screen.WaitForTarvo(10000);
        ASSERT_NE(window, 0u) << round;
        screen.Focus(window);
        screen.Press(0xff1b);  // Esc, the logo still being decoded
        ASSERT_TRUE(tarvo.waitForFinished(3000)) << round;
        EXPECT_EQ(tarvo.exitStatus(), QProcess::NormalExit) << round;
        EXPECT_EQ(tarvo.exitCode(), 0) << round;
    }
    std::filesystem::remove(std::filesystem::path(TARVO_BINARY).parent_path() / "logo.png");
}

TEST(RealProgram, WhateverBecomesOfItsStreamsTarvoComesBackAndASignalClosesItAsEscDoes) {
    XScreen screen;
    if (!screen.Usable()) GTEST_SKIP() << "no X display";
    // Each case: how Tarvo's standard output is left, and what ends Tarvo (Esc after the game, or a signal during it).
    struct Case { std::string output; int signal; };
    const Case cases[] = {{"closed", 0}, {"errors closed", 0}, {"all three closed", 0}, {"a full pipe nobody reads", 0}, {"errors to a full pipe nobody reads yet", 0},
                          {"a file", SIGTERM}, {"a file", SIGHUP}, {"a file", SIGINT}, {"a file", SIGKILL},
                          {"a full pipe nobody reads", SIGTERM}};
    for (const Case& c : cases) {
        const std::string name = c.output + ", signal " + std::to_string(c.signal);
        ScratchFolder t;
        t.Write("roms/a.nes", "rom");
        // A game that prints 200 KB at once to each stream, then a line every tenth of a second for 1.5 s.
        t.Write("app/nestopia", "#!/bin/sh\nreadlink /proc/$$/fd/0 >'" + t / "input" + "'\necho \"$1\" >>'" + t / "launched" +
                                "'\nhead -c 200000 /dev/zero | tr '\\0' x | tee /dev/stderr\n"
                                "for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do echo line $i; sleep 0.1; done\n"
                                "echo done >'" + t / "ended" + "'\n", true);
        ASSERT_EQ(mkfifo((t / "held").c_str(), 0600), 0);
        const posix::UniqueFd held(open((t / "held").c_str(), O_RDWR | O_CLOEXEC));  // open, never read
        QProcess tarvo;
        StartTarvo(tarvo, t, t / "app/nestopia", "xcb", {},
                   c.output == "closed"       ? ">&-"
                   : c.output == "errors closed" ? "2>&-"
                   : c.output == "all three closed" ? "<&- >&- 2>&-"
                   : c.output == "a file"     ? ">'" + t / "out" + "'"
                   : c.output[0] == 'e'       ? ">'" + t / "out" + "' 2>'" + t / "held" + "'"
                                              : ">'" + t / "held" + "'");
        const xcb_window_t window = screen.WaitForTarvo(10000);
        ASSERT_NE(window, 0u) << name;
        const auto until = [](const std::function<bool()>& done, int ms) {
            for (int i = 0; i < ms / 10 && !done(); ++i) QTest::qWait(10);
        };
        const auto press = [&](std::uint32_t key) { screen.Focus(window), screen.Press(key); };
        press(0xff54), press(0xff0d);  // Down, Enter: the first ROM
        until([&] { return !t.Read("launched").empty(); }, 3000);
        ASSERT_FALSE(t.Read("launched").empty()) << name;
        // With nothing handed to Tarvo, nothing of its own is handed on to the game in their place.
        if (c.output == "all three closed") {
            EXPECT_EQ(t.Read("input"), "/dev/null\n") << name;
        }
        if (c.signal) {
            QTest::qWait(300);
            kill(static_cast<pid_t>(tarvo.processId()), c.signal);
            EXPECT_TRUE(tarvo.waitForFinished(1000)) << name << ": still running a second after the signal";
            EXPECT_EQ(tarvo.exitStatus() == QProcess::NormalExit && tarvo.exitCode() == 0, c.signal != SIGKILL) << name;
            until([&] { return !t.Read("ended").empty(); }, 3000);
            EXPECT_FALSE(t.Read("ended").empty()) << name << ": the game did not run on";
            EXPECT_TRUE(c.output != "a file" || t.Read("out").find("line 15") != std::string::npos) << name << ": output lost";
            continue;
        }
        until([&] { return !t.Read("ended").empty(); }, 4000);
        if (c.output.rfind("errors to", 0) == 0) {  // read once the game is over: what the pipe could not take then comes after it
            // All the pipe holds, and the first 64 KiB it could not take; the rest of the 200 KB is dropped.
            // Each line Tarvo wrote there itself may have kept a page of the pipe for its own.
            const std::size_t kept = static_cast<std::size_t>(fcntl(held.get(), F_GETPIPE_SZ)) + (64 << 10);
            fcntl(held.get(), F_SETFL, O_NONBLOCK);
            std::size_t got = 0, ownLines = 0;
            char bytes[65536];
            const auto drain = [&] {
                for (ssize_t n; (n = read(held.get(), bytes, sizeof bytes)) > 0;) {
                    got += static_cast<std::size_t>(n), ownLines += static_cast<std::size_t>(std::count(bytes, bytes + n, '\n'));
                }
            };
            for (int i = 0; i < 100 && got < kept; ++i, QTest::qWait(10)) drain();
            QTest::qWait(100);
            drain();
            EXPECT_LE(got, kept) << name << ": more kept back than a stream may hold";
            EXPECT_GT(got + 4096 * ownLines, kept) << name << ": what was held back was lost at the game's end";
        }
        QTest::qWait(1000);
        press(0xff0d);  // back by now: Enter plays again
        until([&] { return t.Read("launched").size() >= 2 * (t / "roms/a.nes").size() + 2; }, 2000);
        EXPECT_EQ(t.Read("launched"), t / "roms/a.nes\n" + t / "roms/a.nes\n") << name << ": not back a second after the game";
        QTest::qWait(2000);  // the second game over
        press(0xff1b);  // Esc
        EXPECT_TRUE(tarvo.waitForFinished(2000) && tarvo.exitCode() == 0) << name << ": Esc did not close it";
        if (tarvo.state() != QProcess::NotRunning) tarvo.kill(), tarvo.waitForFinished();
    }
}

TEST(RealProgram, ASignalEndsTarvoWhileItsStartMessageShows) {
    XScreen screen;
    if (!screen.Usable()) GTEST_SKIP() << "no X display";
    for (int signal : {SIGTERM, SIGHUP}) {
        ScratchFolder t;
        QProcess tarvo;
        StartTarvo(tarvo, t, t / "app/unknown-emulator", "xcb", {}, "");  // "Tarvo does not know the emulator ..."
        ASSERT_NE(screen.WaitForTarvo(10000), 0u);
        kill(static_cast<pid_t>(tarvo.processId()), signal);
        EXPECT_TRUE(tarvo.waitForFinished(1000)) << signal << ": still at its message a second after the signal";
        if (tarvo.state() != QProcess::NotRunning) tarvo.kill(), tarvo.waitForFinished();
    }
}

TEST(RealProgram, EscWhileAShareHangsEndsTarvoAtOnceAndTheNextStartIsTheRunningOne) {
    XScreen screen;
    if (!screen.Usable() || SlowShare().empty()) GTEST_SKIP() << "no X display, or no slow share here (slowfs, FUSE)";
    ScratchFolder t;
    t.Write("app/nestopia", "#!/bin/sh\n", true);
    std::filesystem::create_directory_symlink(SlowShare() + "/hangs/roms", t / "roms");  // its listing waits 8 s
    QProcess tarvo, next;
    StartTarvo(tarvo, t, t / "app/nestopia", "xcb");
    const xcb_window_t window = screen.WaitForTarvo(10000);
    ASSERT_NE(window, 0u);
    QTest::qWait(500);  // the listing under way
    QElapsedTimer escape;
    escape.start();
    screen.Focus(window), screen.Press(0xff1b);
    EXPECT_TRUE(tarvo.waitForFinished(1000)) << "still running a second after Esc";
    EXPECT_LT(escape.elapsed(), 1000);
    EXPECT_EQ(tarvo.exitCode(), 0);
    std::filesystem::remove(t / "roms");
    t.Write("roms/a.nes", "rom");
    next.setProcessEnvironment(tarvo.processEnvironment());
    next.start(TARVO_BINARY, {QString::fromStdString(t / "app/nestopia")});
    EXPECT_NE(screen.WaitForTarvo(10000), 0u) << "the next start found the first still running";
    next.kill(), next.waitForFinished();
}

TEST(RealProgram, AnSdlThatLacksFunctionsIsNoPadAndNoCrash) {
    ScratchFolder t;
    t.Write("roms/a.nes", "rom");
    QProcess tarvo;  // its window active: the pads are read, so SDL is loaded
    StartTarvo(tarvo, t, "/usr/games/nestopia", "offscreen",
               {{"LD_LIBRARY_PATH", OLD_SDL}, {"SDL_STAND_IN_LOADED", QString::fromStdString(t / "loaded")}});
    for (int i = 0; i < 500 && t.Read("loaded").empty() && !t.Read("loaded").size(); ++i) {
        QTest::qWait(10);
        if (std::filesystem::exists(t / "loaded")) break;
    }
    EXPECT_TRUE(std::filesystem::exists(t / "loaded"));
    EXPECT_FALSE(tarvo.waitForFinished(1000)) << "it ended, with " << tarvo.exitCode();
    tarvo.kill();
    tarvo.waitForFinished();
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
        env.remove("XDG_CACHE_HOME");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", root);
        env.insert("HOME", root);  // no XDG_CACHE_HOME: ~/.cache
        env.insert("TMPDIR", root);
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder));  // nobody's: not taken for the runtime folder
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

TEST(SingleInstance, TwoStartsAtOneInstantKeepOneWindowWhateverTheFolder) {
    ScratchFolder t;
    const std::string runtime = t / std::string(120, 'r');  // longer than a socket's path may be
    ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);
    std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime, "XDG_CONFIG_HOME=" + t / "",
                                         "PATH=/usr/bin:/bin"};
    std::vector<char*> envp, argv{const_cast<char*>(TARVO_BINARY), const_cast<char*>("/usr/games/nestopia"), nullptr};
    for (auto& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);
    for (int round = 0; round < 30; ++round) {
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        pid_t tarvo[2];
        for (pid_t& pid : tarvo) {
            if ((pid = fork()) == 0) {  // both wait for the same moment
                char byte;
                close(go[1]);
                if (read(go[0], &byte, 1) < 0) _exit(1);  // the end of the pipe is the word to go
                execve(argv[0], argv.data(), envp.data());
                _exit(127);
            }
        }
        close(go[0]), close(go[1]);
        int status = 0, ended = -1;
        for (int i = 0; i < 500 && ended < 0; ++i, usleep(10000)) {
            for (int which : {0, 1}) if (ended < 0 && waitpid(tarvo[which], &status, WNOHANG) == tarvo[which]) ended = which;
        }
        EXPECT_TRUE(ended >= 0 && WEXITSTATUS(status) == 0) << "round " << round << ": neither start found the other";
        usleep(200000);
        const pid_t kept = tarvo[ended == 0 ? 1 : 0];
        EXPECT_EQ(waitpid(kept, &status, WNOHANG), 0) << "round " << round << ": no window kept";
        for (const pid_t pid : tarvo) kill(pid, SIGKILL), waitpid(pid, &status, 0);
        if (HasFailure()) break;
    }
}

TEST(SingleInstance, AClientThatSendsMoreThanACaptionAndATokenIsDropped) {
    ScratchFolder t;
    SingleInstance first(t / "");
    std::vector<std::string> heard;
    first.OnCaption([&](const std::string& caption, const std::string& token) { heard.push_back(caption + "|" + token); });
    QLocalSocket flood;
    flood.connectToServer(QString::fromStdString(t / "tarvo.socket"));
    ASSERT_TRUE(flood.waitForConnected(2000));
    flood.write(QByteArray(1 << 20, 'x'));
    for (int i = 0; i < 200 && flood.state() == QLocalSocket::ConnectedState; ++i) QTest::qWait(10);
    EXPECT_NE(flood.state(), QLocalSocket::ConnectedState);
    // The second start's own token, from the launcher that made it: handed over, or nothing usable.
    struct Case { std::string activation, startup, heard; };  // heard after the caption; "": nothing
    const std::string longest(SingleInstance::kLongestToken, 't');
    const Case cases[] = {{"", "", "|"}, {"wl-1_x", "x11-2", "|wl-1_x"}, {"", "x11-2", "|x11-2"}, {"a b", "", ""},
                          {"a\x7f", "", ""}, {longest, "", "|" + longest}, {longest + "t", "", ""}};
    for (const Case& c : cases) {
        heard.clear();
        qputenv("XDG_ACTIVATION_TOKEN", c.activation.c_str()), qputenv("DESKTOP_STARTUP_ID", c.startup.c_str());
        SingleInstance(t / "").HandCaption("Tarvo - Nestopia");
        for (int i = 0; i < 50 && heard.empty(); ++i) QTest::qWait(10);
        EXPECT_EQ(heard, c.heard.empty() ? std::vector<std::string>{} : std::vector<std::string>{"Tarvo - Nestopia" + c.heard});
    }
    qunsetenv("XDG_ACTIVATION_TOKEN"), qunsetenv("DESKTOP_STARTUP_ID");
}

TEST(SingleInstance, WithoutLocksThroughAFloodAndEndlessLinesTheRunningTarvoIsFound) {
    ScratchFolder t;
    const auto noLocks = [](int) { return errno = ENOLCK, -1; };  // a home on a file system that cannot lock
    SingleInstance first(t / "", noLocks);
    ASSERT_FALSE(first.AnotherIsRunning());
    std::vector<std::string> captions;
    first.OnCaption([&](const std::string& caption, const std::string&) { captions.push_back(caption); });
    int flooded[2];
    ASSERT_EQ(pipe(flooded), 0);
    const pid_t runaway = fork();  // a runaway script of the same user: 1,100 connections kept, 200 MB of lines on one
    if (runaway == 0) {
        rlimit most{};
        getrlimit(RLIMIT_NOFILE, &most);
        most.rlim_cur = most.rlim_max;
        setrlimit(RLIMIT_NOFILE, &most);
        signal(SIGPIPE, SIG_IGN);
        sockaddr_un address{AF_UNIX, {}};
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (t / "tarvo.socket").c_str());
        for (int i = 0; i < 1100; ++i) {
            const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
            connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            if (i == 1099) {
                const std::string lines(1 << 20, '\n');
                for (int mib = 0; mib < 200 && write(fd, lines.data(), lines.size()) > 0; ++mib) {
                }
            }
        }
        if (write(flooded[1], "!", 1) < 0) _exit(1);
        pause();
        _exit(0);
    }
    close(flooded[1]);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    pollfd done{flooded[0], POLLIN, 0};
    for (int i = 0; i < 3000 && poll(&done, 1, 0) == 0; ++i) QTest::qWait(10);
    QTest::qWait(200);
    const auto open = std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    SingleInstance second(t / "", noLocks);  // the socket alone says there is one
    EXPECT_TRUE(second.AnotherIsRunning());
    second.HandCaption("Tarvo - Nestopia");
    for (int i = 0; i < 200 && captions.empty(); ++i) QTest::qWait(10);
    EXPECT_EQ(captions, std::vector<std::string>{"Tarvo - Nestopia"});
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 20 << 10) << "KiB kept of the lines";
    EXPECT_LT(open, 64) << "descriptors open";
    kill(runaway, SIGKILL), waitpid(runaway, nullptr, 0), close(flooded[0]);
}

}  // namespace
}  // namespace tarvo::testing
