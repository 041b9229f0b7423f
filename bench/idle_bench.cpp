// What the window costs while it waits: tarvo's real window, in this
// process with SDL's virtual game controller plugged in, its CPU time over
// ten seconds away (minimised, or hidden on Wayland) while a game it started
// runs (the pad read for Back and Start alone) and, for comparison, active.
//   idle_bench WORK_DIR

#include <sys/resource.h>
#include <sys/stat.h>

#include <QApplication>
#include <QPushButton>
#include <QEventLoop>
#include <QTimer>
#include <SDL2/SDL.h>
#include <cstdio>
#include <fstream>

#include "linux_host.h"
#include "linux_parts.h"
#include "rom_folder.h"
#include "single_instance.h"
#include "tarvo_window.h"
#include "virtual_pad.h"

namespace {

double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void Run(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The CPU time the window's event loop takes in ten seconds.
double CpuOverTenSeconds() {
    const double before = CpuMilliseconds();
    Run(10000);
    return CpuMilliseconds() - before;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string work = argv[1];
    int one = 1;
    QApplication app(one, argv);
    tarvo::testing::AttachVirtualPad();

    const std::string settings = work + "/idle.conf", game = work + "/nestopia";
    std::ofstream(settings) << "[Settings]\nroms=" << tarvo::bench::MakeRomFolder(work, 1) << "\n";
    std::ofstream(game) << "#!/bin/sh\nexec sleep 14\n";  // plays past the measurement, then ends
    chmod(game.c_str(), 0755);
    tarvo::SingleInstance instance("");
    tarvo::LinuxParts parts(instance, settings);
    tarvo::Host host{'/', false, work + "/", game};
    host.minimisedWindowsComeBack = tarvo::posix::MinimisedWindowsComeBack(QGuiApplication::platformName().toStdString());
    tarvo::TarvoWindow window(host, parts.MakePorts());
    window.Load();  // it shows itself once its list is read
    Run(200);
    window.activateWindow();
    Run(1000);  // shown, active, the pads opened
    const double active = CpuOverTenSeconds();
    window.Command1()->click();  // the game starts, the window goes
    Run(1000);
    if (window.isVisible() && !window.isMinimized()) return std::fprintf(stderr, "idle_bench: no game started\n"), 2;
    const char* away = window.isVisible() ? "minimised" : "hidden";
    const double during = CpuOverTenSeconds();
    std::printf("Waiting, a pad plugged in (Qt platform %s): CPU time in 10 s, %s during a game %.1f ms (the pad read 4 times "
                "a second); active %.1f ms (60 times a second)\n",
                qPrintable(QGuiApplication::platformName()), away, during, active);
    return 0;
}
