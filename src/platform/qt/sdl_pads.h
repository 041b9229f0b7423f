#pragma once
// The gamepads on Linux, through SDL2's game controller API (with SDL's
// controller database, and no SDL window). SDL is loaded at run time at
// the first reading, once the window is in use, so Tarvo neither starts
// slower for it nor needs it.

#include <memory>
#include <optional>
#include <vector>

#include "ui/controls.h"
#include "ui/pad_input.h"

namespace tarvo {

class SdlPads : public PadReader {
public:
    SdlPads();
    ~SdlPads() override;
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    std::vector<PadState> Read() override;

private:
    struct Library;
    // Loaded at the first reading; nullptr where there is no SDL (or one
    // that lacks a function Tarvo uses).
    std::optional<std::unique_ptr<Library>> sdl_;
};

}  // namespace tarvo
