// The soak on Linux: tarvo's real window in this process (its emulators
// started and reaped as tarvo does), SDL's virtual game controller plugged
// in, and a stand-in MAME: a game of 0.2 s, one that plays until closed or
// one that fails at once, as the bench says before each Play; its titles
// and machines told.
//   soak_bench WORK_DIR CYCLES      (the ROMs and screenshots of scroll_bench)

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <SDL2/SDL.h>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "linux_host.h"
#include "linux_parts.h"
#include "process_tree.h"
#include "single_instance.h"
#include "soak.h"
#include "virtual_pad.h"
#include "tarvo_window.h"

namespace {

namespace fs = std::filesystem;

long Entries(const char* folder) {
    const fs::directory_iterator entries(folder);
    return std::distance(begin(entries), end(entries));
}

// A stand-in MAME: -listfull and -listxml answered from files the bench
// wrote; as a game, what the file "next" says.
void WriteStandIn(const std::string& soak) {
    std::ofstream(soak + "/mame") << "#!/bin/sh\n"
                                     "cd '" << soak << "' || exit 1\n"
                                     "case $1 in\n"
                                     "-listfull) exec cat listfull.txt ;;\n"
                                     "-listxml)\n"
                                     "  shift\n"
                                     "  echo '<?xml version=\"1.0\"?>'\n"
                                     "  echo '<mame build=\"0.251 (soak)\" debug=\"no\" mameconfig=\"10\">'\n"
                                     "  for set; do\n"
                                     "    case $set in *bios) bios=' isbios=\"yes\"' ;; *) bios= ;; esac\n"
                                     "    echo \"  <machine name=\\\"$set\\\" sourcefile=\\\"soak.cpp\\\"$bios>"
                                     "<description>Game $set</description><year>1984</year>"
                                     "<driver status=\\\"good\\\" emulation=\\\"good\\\" savestate=\\\"supported\\\"/></machine>\"\n"
                                     "  done\n"
                                     "  echo '</mame>'\n"
                                     "  exit 0 ;;\n"
                                     "esac\n"
                                     "case $(cat next) in\n"
                                     "endless) exec sleep 600 ;;  # until closed\n"
                                     "failing) echo 'Fatal error: required files are missing' >&2; exit 2 ;;\n"
                                     "esac\n"
                                     "sleep 0.2\n";
    fs::permissions(soak + "/mame", fs::perms::owner_all);
}

class QtSoakWindow : public tarvo::bench::SoakWindow {
public:
    QtSoakWindow(tarvo::TarvoWindow& window, std::string soak) : window_(window), soak_(std::move(soak)) {
        pad_ = tarvo::testing::AttachVirtualPad();
        // A message box runs its own loop: answered from there.
        QObject::connect(&answerer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message_ = box->text().toStdString();
                box->button(QMessageBox::Ok)->click();
            }
        });
        answerer_.start(50);
    }
    bool PadPlugged() const { return pad_ != nullptr; }
    void NextGame(tarvo::bench::SoakGame game) override {
        const char* words[] = {"short", "endless", "failing"};
        std::ofstream(soak_ + "/next") << words[static_cast<int>(game)] << "\n";
    }
    void Play() override { window_.Command1()->click(); }
    bool WaitUntil(const std::function<bool()>& done, int milliseconds) override {
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
    bool Away() override { return window_.isMinimized() || !window_.isVisible(); }
    void HoldBackAndStart(bool held) override {
        SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_BACK, held);
        SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_START, held);
    }
    std::string TakeMessage() override { return std::exchange(message_, std::string()); }
    void PutRom(const std::string& set, bool there) override {
        const std::string rom = soak_ + "/roms/" + set + ".zip";
        if (there) {
            std::ofstream(rom) << "rom";
        } else {
            fs::remove(rom);
        }
    }
    int Rows() override { return window_.List1()->model()->rowCount(); }
    void Refresh() override {
        Key(Qt::Key_F5);
        WaitUntil([&] { return !window_.Reading(); }, 5000);
    }
    void Move(bool down) override {
        window_.List1()->setFocus();
        Key(down ? Qt::Key_Down : Qt::Key_Up);
        WaitUntil([&] { return window_.PictureSettled(); }, 5000);
    }
    void Find(const std::string& text) override {
        window_.activateWindow();  // after a message box, the window is active again as a player finds it
        WaitUntil([&] { return window_.isActiveWindow(); }, 5000);
        window_.List1()->setFocus();
        Key(Qt::Key_F3);
        WaitUntil([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr; }, 5000);
        for (const char c : text) Key(Qt::Key_unknown, QString(QChar(c)));
    }
    void EndFind() override { Key(Qt::Key_Escape); }
    tarvo::bench::SoakSample Measure() override {
        long pages = 0, resident = 0;
        std::ifstream("/proc/self/statm") >> pages >> resident;
        return {static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20),
                Entries("/proc/self/fd"), Entries("/proc/self/task")};
    }

private:
    void Key(Qt::Key key, const QString& text = {}) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &window_;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text), release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(focus, &press);
        QApplication::sendEvent(focus, &release);
    }

    tarvo::TarvoWindow& window_;
    const std::string soak_;
    SDL_Joystick* pad_ = nullptr;
    QTimer answerer_;
    std::string message_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string work = argv[1], scroll = work + "/scroll", soak = work + "/soak";
    tarvo::posix::BecomeReaperOfDescendants();  // as tarvo is
    int one = 1;
    QApplication app(one, argv);
    // The scroll bench's ROMs, in a folder of the soak's own: F5 finds new sets there.
    fs::remove_all(soak + "/roms");
    fs::create_directories(soak + "/roms");
    std::vector<std::string> sets;
    for (const auto& rom : fs::directory_iterator(scroll + "/roms")) {
        fs::copy_file(rom.path(), soak + "/roms/" + rom.path().filename().string());
        sets.push_back(rom.path().stem().string());
    }
    std::sort(sets.begin(), sets.end());
    std::ofstream(soak + "/listfull.txt") << tarvo::bench::SoakListFull(sets);
    std::ofstream(soak + "/roms/gamelist.xml") << tarvo::bench::SoakGameList(sets.front());
    WriteStandIn(soak);
    const std::string settings = soak + "/Tarvo.conf";
    std::ofstream(settings) << "[Settings]\nroms=" << soak << "/roms\nshots=" << scroll << "/shots\n";
    tarvo::SingleInstance instance(soak + "/");
    tarvo::LinuxParts parts(instance, settings);
    tarvo::Host host{'/', false, soak + "/", soak + "/mame"};
    const std::string platform = QGuiApplication::platformName().toStdString();
    host.minimisedWindowsComeBack = tarvo::posix::MinimisedWindowsComeBack(platform);  // as tarvo sees its display
    tarvo::TarvoWindow window(host, parts.MakePorts(), &instance);
    QtSoakWindow soaked(window, soak);
    if (!soaked.PadPlugged()) return std::fprintf(stderr, "soak_bench: no virtual pad: %s\n", SDL_GetError()), 2;
    window.Load();
    while (!window.isVisible()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    soaked.WaitUntil([] { return false; }, 1000);  // the pad found, MAME's first answers in
    const std::string name = "tarvo on " + platform + (host.minimisedWindowsComeBack ? ", minimised" : ", hidden") + " for each game";
    return tarvo::bench::RunSoak(soaked, std::atoi(argv[2]), name.c_str());
}
