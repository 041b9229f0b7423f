#pragma once
// The gamepads on Linux, through SDL2's game controller API (with SDL's
// controller database, and no SDL window). SDL is loaded at run time the
// first time the window is active, so Tarvo neither starts slower for it
// nor needs it; the pads are read only while the window is active.

#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/controls.h"
#include "ui/pad_input.h"

namespace tarvo {

class SdlPads : public PadReader {
public:
    using Reading = std::function<void(const std::vector<PadState>& pads, std::int64_t milliseconds)>;
    explicit SdlPads(Reading reading);
    ~SdlPads() override;
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    // About sixty times a second while reading; nothing at all otherwise.
    void SetReading(bool reading) override;

private:
    struct Library;
    void Read();

    Reading reading_;
    QTimer timer_;
    // Loaded once the window was first active; nullptr where there is no SDL.
    std::optional<std::unique_ptr<Library>> sdl_;
    bool on_ = false;  // reading, as the window last asked
};

}  // namespace tarvo
