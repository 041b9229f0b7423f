#include "launch/session_helpers.h"

#include "text/utf8.h"

namespace tarvo {

namespace {

// As Linux cuts a program's name.
constexpr std::size_t kCutNames = 15;

const std::string_view kHelpers[] = {
    // session buses, and the accessibility bus a toolkit may start
    "dbus-daemon", "dbus-launch", "dbus-broker", "dbus-broker-launch", "at-spi-bus-launcher", "at-spi2-registryd",
    // Wine's server and its own services
    "wineserver", "wineserver64", "services.exe", "plugplay.exe", "winedevice.exe", "rpcss.exe", "svchost.exe", "explorer.exe",
    "conhost.exe",
    // games' and sound's daemons
    "gamemoded", "pulseaudio", "pipewire", "pipewire-pulse", "wireplumber",
};

}  // namespace

bool OutlivesGamesByDesign(std::string_view programName) {
    if (programName.empty()) return false;
    for (const std::string_view helper : kHelpers) {
        const bool cut = programName.size() == kCutNames && helper.size() > kCutNames;
        if (EqualsIgnoreCase(cut ? helper.substr(0, kCutNames) : helper, programName)) return true;
    }
    return false;
}

}  // namespace tarvo
