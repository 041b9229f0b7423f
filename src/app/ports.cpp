#include "app/ports.h"

namespace tarvo {

Ports PortsBeside(Settings& settings, Files& files, Instance& instance, Clock& clock, PictureDecoder& decoder,
                  Launcher& launcher, WindowThread& window, char separator) {
    return {settings, files, instance, clock,
            [&files, &clock, &window](FolderListener& listener) {
                return std::make_unique<FolderReaderBeside>(files, clock, window, listener);
            },
            [&files, &decoder, &window](PictureListener& listener) {
                return std::make_unique<PictureReaderBeside>(files, decoder, window, listener);
            },
            [&files, &launcher, &clock, &window, separator](ProgramListener& listener) {
                return std::make_unique<ProgramsBeside>(files, launcher, clock, window, listener, separator);
            }};
}

}  // namespace tarvo
