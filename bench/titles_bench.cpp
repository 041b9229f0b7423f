// MAME's titles, on 40,000 ROMs named after its sets: for a stand-in MAME
// that prints a -listfull answer of 45,295 lines and, when given, the real
// one, the time the emulator takes to answer on its own against the time
// from tarvo's window showing to its list showing the titles; the window
// taking the answer in (reading it, ordering the rows by title, filling the
// list), and F5 with the titles against without;
// and tarvo's peak memory with the titles against without (the same ROMs,
// an arcade emulator that tells none); with the real one, its -listxml
// alone, read through a pipe as the window reads it, against the window to
// the sets that are no games hidden. Medians
// of five.
//   titles_bench WORK_DIR TARVO [MAME]

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "linux_parts.h"
#include "single_instance.h"
#include "tarvo_window.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr int kRuns = 5, kPairedRuns = 11, kRoms = 40000;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A program run to its end, its output to a file or, without one, read
// through a pipe and dropped, as a reader that takes every byte in must;
// its time in ms and its peak memory in KiB.
std::pair<double, long> Run(const std::vector<std::string>& command, const std::string& output = "") {
    std::vector<char*> argv;
    for (const auto& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    int ends[2] = {-1, -1};
    if (output.empty() && pipe(ends) != 0) return {-1, 0};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output.empty()) {
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, ends[0]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (output.empty()) {
        close(ends[1]);
        char buffer[1 << 16];
        while (started && read(ends[0], buffer, sizeof buffer) > 0) {}
        close(ends[0]);
    }
    if (!started) return {-1, 0};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, usage.ru_maxrss};
}

// tarvo's peak memory (KiB) when it has run for three seconds on the ROMs:
// its own high-water mark, read before it is killed. What wait4 tells
// would count this process too: posix_spawn starts tarvo in this process's
// memory, and the system keeps that peak across the exec.
long TarvoPeak(const std::string& tarvo, const std::string& emulator) {
    pid_t pid = 0;
    std::vector<char*> argv{const_cast<char*>(tarvo.c_str()), const_cast<char*>(emulator.c_str()), nullptr};
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return 0;
    std::this_thread::sleep_for(std::chrono::seconds(3));
    long peak = 0;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) peak = std::stol(line.substr(6));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return peak;
}

// tarvo's window on the ROMs, shown and its list read. The bench hears
// what the window hears of its programs, to hand it an answer itself.
struct Window {
    Window(const std::string& work, const std::string& emulator)
        : parts(instance, work + "/config/Tarvo/Tarvo.conf"),
          window(tarvo::Host{'/', false, work + "/", emulator}, Overheard(parts.MakePorts())) {
        window.Load();
        while (window.Reading() || !window.isVisible()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    tarvo::Ports Overheard(tarvo::Ports ports) {
        ports.programs = [make = ports.programs, this](tarvo::ProgramListener& heard) {
            listener = &heard;
            return make(heard);
        };
        return ports;
    }
    tarvo::SingleInstance instance{""};
    tarvo::LinuxParts parts;
    tarvo::ProgramListener* listener = nullptr;  // frmPindle, set as it makes its programs
    tarvo::TarvoWindow window;
};

// From the window showing (it asks then) to its list showing the titles, in ms.
double ToTheTitles(const std::string& work, const std::string& emulator) {
    Window w(work, emulator);
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    QObject::connect(w.window.List1()->model(), &QAbstractItemModel::modelReset, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// From the window's list read (it asks then) to the sets that are no games
// gone from it, in ms.
double ToTheGamesOnly(const std::string& work, const std::string& emulator) {
    Window w(work, emulator);
    QElapsedTimer timer;
    timer.start();
    const QAbstractItemModel* model = w.window.List1()->model();
    const int listed = model->rowCount();
    // Looked at every 10 ms, asleep between: a loop that spins would take a
    // core from MAME.
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (model->rowCount() < listed || timer.elapsed() > 60000) loop.quit();
    });
    look.start(10);
    loop.exec();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The window taking an answer in, in ms.
double TakingTheAnswer(const std::string& work, const std::string& emulator, const std::string& answer) {
    Window w(work, emulator);
    QElapsedTimer timer;
    timer.start();
    w.listener->ProgramAnswered(answer);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// F5 (the folder read again, the list filled anew), in ms, for an emulator
// that told these titles, or none.
double Refresh(const std::string& work, const std::string& emulator, const std::optional<std::string>& answer) {
    Window w(work, emulator);
    if (answer) w.listener->ProgramAnswered(*answer);
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(w.window.Command1(), &f5);  // where the focus is
    while (w.window.Reading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return std::fprintf(stderr, "usage: titles_bench WORK_DIR TARVO [MAME]\n"), 2;
    const std::string work = std::string(argv[1]) + "/titles", tarvo = argv[2], mame = argc > 3 ? argv[3] : "";
    fs::remove_all(work + "/roms");  // a run with the other MAME left other sets
    fs::create_directories(work + "/roms");
    fs::create_directories(work + "/config/Tarvo");
    fs::create_directories(work + "/stand-in");
    // The answer: the real MAME's where there is one, else one of the same shape.
    const std::string answerFile = work + "/listfull.txt";
    if (!mame.empty()) {
        Run({mame, "-listfull"}, answerFile);
    } else if (!fs::exists(answerFile)) {
        std::ofstream out(answerFile);
        out << "Name:             Description:\n";
        for (int set = 0; set < 45294; ++set) out << "set" << set << "            \"Game " << set << " (World, rev " << set % 7 << ")\"\n";
    }
    std::ifstream in(answerFile);
    const std::string answer((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream lines(answer);
    std::string line;
    std::getline(lines, line);  // the header
    if (!mame.empty()) std::ofstream(work + "/roms/pacman.zip");
    for (int rom = 1; rom < kRoms && std::getline(lines, line);) {
        const std::string set = line.substr(0, line.find(' '));
        if (!fs::exists(work + "/roms/" + set + ".zip")) std::ofstream(work + "/roms/" + set + ".zip"), ++rom;
    }
    // The stand-in tells its titles and nothing else: the window also asks
    // MAME for its machines (-listxml), and the stand-in's titles are to be
    // measured alone.
    std::ofstream(work + "/stand-in/mame") << "#!/bin/sh\n[ \"$1\" = -listfull ] || exit 1\nexec cat '" << answerFile << "'\n";
    fs::permissions(work + "/stand-in/mame", fs::perms::owner_all, fs::perm_options::add);
    std::ofstream(work + "/config/Tarvo/Tarvo.conf") << "[Settings]\nroms=" << work << "/roms\n";
    setenv("XDG_CONFIG_HOME", (work + "/config").c_str(), 1);

    int one = 1;
    QApplication app(one, argv);
    std::printf("MAME's titles on %d ROMs named after its sets, %zu bytes of answer; medians of %d\n", kRoms, answer.size(), kRuns);
    std::vector<std::string> emulators{work + "/stand-in/mame"};
    if (!mame.empty()) emulators.push_back(mame);
    for (const std::string& emulator : emulators) {
        std::vector<double> alone, toTitles;
        for (int run = 0; run < kRuns; ++run) {
            alone.push_back(Run({emulator, "-listfull"}, work + "/answer.out").first);  // written out, as to a pipe
            toTitles.push_back(ToTheTitles(work, emulator));
        }
        std::printf("  %-40s -listfull alone %7.1f ms; window to titles %7.1f ms (%+.1f ms)\n", emulator.c_str(),
                    Median(alone), Median(toTitles), Median(toTitles) - Median(alone));
    }
    std::vector<double> taking, byTitle, byName;
    for (int run = 0; run < kRuns; ++run) {
        taking.push_back(TakingTheAnswer(work, emulators[0], answer));
        byTitle.push_back(Refresh(work, emulators[0], answer));
        byName.push_back(Refresh(work, work + "/stand-in/fba", std::nullopt));  // an arcade emulator that tells none
    }
    std::printf("  taking the answer in (reading it, ordering %d rows by title, filling the list): %.1f ms\n", kRoms,
                Median(taking));
    std::printf("  F5 with titles %.1f ms, without %.1f ms: ordering by title %.1f ms\n", Median(byTitle), Median(byName),
                Median(byTitle) - Median(byName));

    if (!mame.empty()) {  // the real MAME's -listxml, alone and asked by the window
        // MAME's own time varies by more than a second from run to run
        // here: each window run is set against the run alone just before it.
        std::vector<double> alone, toGames, more;
        for (int run = 0; run < kPairedRuns; ++run) {
            alone.push_back(Run({mame, "-listxml"}).first);  // all of it: Tarvo asks so past 4,000 sets
            toGames.push_back(ToTheGamesOnly(work, mame));
            more.push_back(toGames.back() - alone.back());
        }
        std::printf("  %s -listxml alone, read through a pipe %.1f ms; window to the non-games hidden %.1f ms; "
                    "the window's run less the one alone before it: median %+.1f ms of %d\n",
                    mame.c_str(), Median(alone), Median(toGames), Median(more), kPairedRuns);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<double> with, without;
    for (int run = 0; run < kRuns; ++run) {
        with.push_back(static_cast<double>(TarvoPeak(tarvo, emulators[0])));
        without.push_back(static_cast<double>(TarvoPeak(tarvo, work + "/stand-in/fba")));  // an arcade emulator that tells none
    }
    std::printf("  peak memory, tarvo: with titles %.1f MiB, without %.1f MiB: %.2f\n", Median(with) / 1024,
                Median(without) / 1024, Median(with) / Median(without));
    if (!mame.empty()) {  // the real MAME's words for pacman.zip, in the real window
        Window w(work, mame);
        w.listener->ProgramAnswered(answer);
        bool found = false;
        for (int row = 0; row < w.window.List1()->model()->rowCount() && !found; ++row) {
            found = w.window.List1()->model()->index(row, 0).data().toString() == "Pac-Man (Midway)";
        }
        std::printf("  with %s, pacman.zip shows \"Pac-Man (Midway)\": %s\n", mame.c_str(), found ? "yes" : "NO");
    }
    return 0;
}
