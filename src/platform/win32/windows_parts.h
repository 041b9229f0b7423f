#pragma once
// What Tarvo is made of on Windows, for its window: the parts of the
// system it reads and starts with, waiting with the core's workers.

#include "app/ports.h"
#include "registry_settings.h"
#include "wic_decoder.h"
#include "window_thread.h"
#include "windows_files.h"
#include "windows_instance.h"
#include "windows_launcher.h"

namespace tarvo::win32 {

struct WindowsParts {
    explicit WindowsParts(WindowsInstance& single, RegistrySettings store = RegistrySettings())
        : instance(single), settings(std::move(store)), launcher(window) {}
    Ports MakePorts() { return PortsBeside(settings, files, instance, clock, decoder, launcher, window, '\\'); }

    WindowsInstance& instance;
    RegistrySettings settings;
    WindowsFiles files;
    SteadyClock clock;
    WicDecoder decoder;
    Win32WindowThread window;
    WindowsLauncher launcher;
};

}  // namespace tarvo::win32
