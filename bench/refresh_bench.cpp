// RefreshList through the real Linux listing and the real Qt list, against
// the floor: readdir of the same folder, filtered, sorted with strcasecmp.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "floor_listing.h"
#include "linux_parts.h"
#include "rom_folder.h"
#include "single_instance.h"
#include "tarvo_window.h"

namespace {

std::string g_work;

void ReaddirFilterAndSort(benchmark::State& state) {
    const std::string folder = tarvo::bench::MakeRomFolder(g_work, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(tarvo::bench::FloorListing(folder.c_str(), ".zip"));
}

void RefreshList(benchmark::State& state) {
    const int matching = static_cast<int>(state.range(0));
    const std::string folder = tarvo::bench::MakeRomFolder(g_work, matching);
    const std::string settings = g_work + "/Tarvo-" + std::to_string(matching) + ".conf";
    std::ofstream(settings) << "[Settings]\nroms=" << folder << "\n";
    tarvo::SingleInstance instance("");
    tarvo::LinuxParts parts(instance, settings);
    tarvo::TarvoWindow window(tarvo::Host{'/', false, g_work + "/", g_work + "/no-mame/mame"}, parts.MakePorts());
    window.Load();
    // F5 runs RefreshList, which reads beside the window: until the list is filled.
    auto read = [&] { while (window.Reading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); };
    read();
    if (window.List1()->model()->rowCount() != matching) state.SkipWithError("wrong number of ROMs listed");
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    for (auto _ : state) {
        QApplication::sendEvent(window.Command1(), &f5);  // where the focus is
        read();
    }
}

// Prints each measurement beside its baseline from the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const std::string size = name.substr(name.find('/') + 1);
            (name.rfind("RefreshList", 0) == 0 ? tarvo_ : baseline_)[size] = run.GetAdjustedRealTime();
        }
    }
    void PrintRatios() const {
        std::printf("\nRefreshList against readdir + filter + strcasecmp sort (target: at most 1.0 x)\n");
        for (const auto& [size, time] : tarvo_) {
            const auto base = baseline_.find(size);
            if (base == baseline_.end()) continue;
            std::printf("  %6s matching files (+ as many others): %8.2f ms, baseline %8.2f ms, ratio %.2f\n",
                        size.c_str(), time, base->second, time / base->second);
        }
    }

private:
    std::map<std::string, double> tarvo_, baseline_;
};

}  // namespace

BENCHMARK(ReaddirFilterAndSort)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshList)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    g_work = qEnvironmentVariable("TARVO_BENCH_DIR", "/tmp/tarvo-bench").toStdString();
    std::filesystem::create_directories(g_work);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
