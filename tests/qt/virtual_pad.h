#pragma once
// SDL's virtual game controller, in the process where tarvo's window reads
// the pads, which finds it as it finds a pad plugged in; null without one.

#include <SDL2/SDL.h>

namespace tarvo::testing {

inline SDL_Joystick* AttachVirtualPad() {
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    return SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&pad));
}

}  // namespace tarvo::testing
