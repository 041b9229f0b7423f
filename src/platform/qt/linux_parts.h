#pragma once
// What Tarvo is made of on Linux, for its window: the parts of the system
// it reads and starts with, waiting with the core's workers.

#include <string>

#include "app/ports.h"
#include "linux_launcher.h"
#include "linux_settings.h"
#include "picture_decoder.h"
#include "posix_files.h"
#include "single_instance.h"
#include "window_thread.h"

namespace tarvo {

struct LinuxParts {
    // pidfds: false to tell programs' ends by asking now and then, as where
    // the system has none.
    LinuxParts(SingleInstance& single, std::string settingsFile, bool pidfds = true)
        : instance(single), settings(std::move(settingsFile)), launcher(files, window, pidfds) {}
    Ports MakePorts() { return PortsBeside(settings, files, instance, clock, decoder, launcher, window, '/'); }

    SingleInstance& instance;
    posix::LinuxSettings settings;
    posix::LinuxFiles files;
    SteadyClock clock;
    QtPictureDecoder decoder;
    QtWindowThread window;
    LinuxLauncher launcher;
};

}  // namespace tarvo
