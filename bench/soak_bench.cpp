// The soak on Linux: tarvo's real window in this process (its emulators
// started and reaped as tarvo does), a stand-in MAME that plays for 0.2 s.
//   soak_bench WORK_DIR CYCLES      (the ROMs and screenshots of scroll_bench)

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "linux_parts.h"
#include "process_tree.h"
#include "single_instance.h"
#include "soak.h"
#include "tarvo_window.h"

namespace {

long Entries(const char* folder) {
    const std::filesystem::directory_iterator entries(folder);
    return std::distance(begin(entries), end(entries));
}

class QtSoakWindow : public tarvo::bench::SoakWindow {
public:
    explicit QtSoakWindow(tarvo::TarvoWindow& window) : window_(window) {}
    void Play() override { window_.Command1()->click(); }
    bool WaitMinimized(bool minimized, int milliseconds) override {
        return WaitUntil([&] { return window_.isMinimized() == minimized; }, milliseconds);
    }
    void Refresh() override {
        Key(Qt::Key_F5);
        WaitUntil([&] { return !window_.Reading(); }, 5000);
    }
    void Move(bool down) override {
        window_.List1()->setFocus();
        Key(down ? Qt::Key_Down : Qt::Key_Up);
        WaitUntil([&] { return window_.PictureSettled(); }, 5000);
    }
    tarvo::bench::SoakSample Measure() override {
        long pages = 0, resident = 0;
        std::ifstream("/proc/self/statm") >> pages >> resident;
        return {static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20),
                Entries("/proc/self/fd"), Entries("/proc/self/task")};
    }

private:
    void Key(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &window_;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier), release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(focus, &press);
        QApplication::sendEvent(focus, &release);
    }
    template <class Done>
    bool WaitUntil(Done done, int milliseconds) {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > milliseconds) return false;
            QEventLoop pause;  // 10 ms of the window's work, without spinning
            QTimer::singleShot(10, &pause, &QEventLoop::quit);
            pause.exec();
        }
        return true;
    }

    tarvo::TarvoWindow& window_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string work = argv[1], scroll = work + "/scroll";
    tarvo::posix::BecomeReaperOfDescendants();  // as tarvo is
    int one = 1;
    QApplication app(one, argv);
    const std::string game = work + "/soak/mame";  // a game of 0.2 s, and no titles to tell
    std::filesystem::create_directories(work + "/soak");
    std::ofstream(game) << "#!/bin/sh\nsleep 0.2\n";
    std::filesystem::permissions(game, std::filesystem::perms::owner_all);
    const std::string settings = work + "/soak/Tarvo.conf";
    std::ofstream(settings) << "[Settings]\nroms=" << scroll << "/roms\nshots=" << scroll << "/shots\n";
    tarvo::SingleInstance instance(work + "/soak/");
    tarvo::LinuxParts parts(instance, settings);
    tarvo::TarvoWindow window(tarvo::Host{'/', false, work + "/soak/", game}, parts.MakePorts(), &instance);
    window.Load();
    QtSoakWindow soak(window);
    while (!window.isVisible()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return tarvo::bench::RunSoak(soak, std::atoi(argv[2]), "tarvo");
}
