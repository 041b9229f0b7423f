#pragma once
// What frmPindle is given of the system. The ports that wait beside the
// window's thread are made by frmPindle itself, each for its listener, so
// their news can only ever reach a window that is there.

#include <functional>
#include <memory>

#include "launch/program_runs.h"
#include "os/clock.h"
#include "os/files.h"
#include "os/folder_reader.h"
#include "os/instance.h"
#include "os/pictures.h"
#include "os/settings.h"
#include "ui/picture_reader.h"

namespace tarvo {

struct Ports {
    Settings& settings;
    Files& files;  // on the window's thread only before it is up
    Instance& instance;
    Clock& clock;
    std::function<std::unique_ptr<FolderReader>(FolderListener&)> folderReader;
    std::function<std::unique_ptr<PictureReader>(PictureListener&)> pictureReader;
    std::function<std::unique_ptr<Programs>(ProgramListener&)> programs;
};

// The ports of a platform: its own parts, waiting with the core's workers,
// which hand back through window. Every part must outlive the window.
Ports PortsBeside(Settings& settings, Files& files, Instance& instance, Clock& clock, PictureDecoder& decoder,
                  Launcher& launcher, WindowThread& window, char separator);

}  // namespace tarvo
