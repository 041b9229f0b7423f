// Holding Down through a list in which every ROM has a 1920 x 1080 PNG
// screenshot: the CPU a program spends while 90 presses come at 30 a
// second, and the delay from the last press to the last row's picture on
// screen. Keys go through XTest, the picture is read off the screen; needs
// an X display without a window manager (scripts/bench starts Xvfb).
//   scroll_bench WORK_DIR "NAME=COMMAND WORDS"...
// The ROMs and screenshots are made in WORK_DIR/scroll/roms and /shots; a
// tarvo finds them through WORK_DIR/scroll/config/Tarvo/Tarvo.conf
// (XDG_CONFIG_HOME is set for it), Tarvo.exe through the registry, which
// scripts/bench sets.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "x_screen.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRows = 100, kPresses = 90, kDistinct = 8;

struct Rgb {
    int red, green, blue;
};
// The rows' pictures in turn, and the last row's, which is none of them.
Rgb ColourOf(int picture) {
    static const Rgb kColours[kDistinct + 1] = {{200, 40, 40},   {40, 200, 40},  {40, 40, 200},   {200, 200, 40}, {40, 200, 200},
                                                {200, 40, 200},  {130, 130, 130}, {230, 150, 60}, {20, 20, 20}};
    return kColours[picture];
}

// A screenshot as a game's are: a colour with fine detail all over, which
// PNG cannot compress away.
void WritePicture(const std::string& path, Rgb colour) {
    QImage image(1920, 1080, QImage::Format_RGB32);
    std::mt19937 random(static_cast<unsigned>(colour.red * 65536 + colour.green * 256 + colour.blue));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = static_cast<int>(random() % 25) - 12;
            line[x] = qRgb(std::clamp(colour.red + noise, 0, 255), std::clamp(colour.green + noise, 0, 255),
                           std::clamp(colour.blue + noise, 0, 255));
        }
    }
    image.save(QString::fromStdString(path), "PNG");
}

// ROMs r000.zip ... r099.zip, each with its screenshot rNNN.png; the row
// the presses end on has a colour of its own.
void MakeFolders(const std::string& scroll) {
    namespace fs = std::filesystem;
    if (fs::exists(scroll + "/shots/.complete")) return;
    fs::remove_all(scroll);
    fs::create_directories(scroll + "/roms");
    fs::create_directories(scroll + "/shots");
    fs::create_directories(scroll + "/config/Tarvo");
    std::ofstream(scroll + "/config/Tarvo/Tarvo.conf") << "[Settings]\nroms=" << scroll << "/roms\nshots=" << scroll << "/shots\n";
    for (int picture = 0; picture <= kDistinct; ++picture) WritePicture(scroll + "/p" + std::to_string(picture) + ".png", ColourOf(picture));
    for (int row = 0; row < kRows; ++row) {
        char name[8];
        std::snprintf(name, sizeof name, "r%03d", row);
        std::ofstream(scroll + "/roms/" + name + ".zip") << "rom";
        const int picture = row == kPresses ? kDistinct : row % kDistinct;
        fs::create_hard_link(scroll + "/p" + std::to_string(picture) + ".png", scroll + "/shots/" + name + ".png");
    }
    std::ofstream(scroll + "/shots/.complete");
}

double CpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i >= 14) ticks += std::stod(field);  // utime, stime
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The colour in the middle of the picture area (right two thirds, above the button).
Rgb PictureColour(xcb_connection_t* connection, xcb_window_t window) {
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const auto x = static_cast<int16_t>(size->width * 2 / 3), y = static_cast<int16_t>(size->height * 2 / 5);
    std::free(size);
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection, xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, ~0u), nullptr);
    Rgb colour{-1, -1, -1};
    if (image && xcb_get_image_data_length(image) >= 3) {
        const uint8_t* bgr = xcb_get_image_data(image);
        colour = {bgr[2], bgr[1], bgr[0]};
    }
    std::free(image);
    return colour;
}

bool Near(const Rgb& a, const Rgb& b) {
    return std::abs(a.red - b.red) < 40 && std::abs(a.green - b.green) < 40 && std::abs(a.blue - b.blue) < 40;
}

void Measure(tarvo::testing::XScreen& screen, const std::string& definition, const std::string& config) {
    const std::string name = definition.substr(0, definition.find('='));
    std::vector<std::string> words;
    std::istringstream command(definition.substr(definition.find('=') + 1));
    for (std::string word; command >> word;) words.push_back(word);
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return std::perror(argv[0]);
    const xcb_window_t window = screen.WaitForTarvo(60000);
    if (!window) {
        std::printf("  %-26s its window never came\n", name.c_str());
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    screen.Focus(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    screen.Press(0xff09);  // Tab, to the list
    screen.Press(0xff54);  // Down: the first row
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const double cpuBefore = CpuSeconds(pid);
    const auto start = Clock::now();
    for (int press = 1; press <= kPresses; ++press) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(press * 1000000 / 30));
        screen.Press(0xff54);
    }
    const auto released = Clock::now();
    const double cores = (CpuSeconds(pid) - cpuBefore) / std::chrono::duration<double>(released - start).count();
    while (!Near(PictureColour(screen.Connection(), window), ColourOf(kDistinct)) && Clock::now() - released < std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const double delay = std::chrono::duration<double, std::milli>(Clock::now() - released).count();
    std::printf("  %-26s CPU while Down is held %.2f of a core; last picture %.0f ms after the last press%s\n",
                name.c_str(), cores, delay, delay >= 5000 ? " (never shown)" : "");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: scroll_bench WORK_DIR \"NAME=COMMAND\"...\n");
        return 2;
    }
    const std::string scroll = std::string(argv[1]) + "/scroll";
    MakeFolders(scroll);
    tarvo::testing::XScreen screen;
    if (!screen.Usable()) {
        std::fprintf(stderr, "scroll_bench: no X display\n");
        return 2;
    }
    std::printf("Holding Down for 3 s (%d presses at 30 a second), every ROM with a 1920 x 1080 PNG screenshot\n", kPresses);
    for (int i = 2; i < argc; ++i) Measure(screen, argv[i], scroll + "/config");
    return 0;
}
