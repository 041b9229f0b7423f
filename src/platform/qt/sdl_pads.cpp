#include "sdl_pads.h"

#include <dlfcn.h>

#include <SDL2/SDL.h>
#include <map>
#include <set>

namespace tarvo {

// The few SDL functions Tarvo uses, from the library loaded at run time.
struct SdlPads::Library {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_PumpEvents) PumpEvents;
    decltype(&SDL_FlushEvents) FlushEvents;
    decltype(&SDL_NumJoysticks) NumJoysticks;
    decltype(&SDL_IsGameController) IsGameController;
    decltype(&SDL_JoystickGetDeviceInstanceID) InstanceId;
    decltype(&SDL_GameControllerOpen) Open;
    decltype(&SDL_GameControllerClose) Close;
    decltype(&SDL_GameControllerGetAttached) Attached;
    decltype(&SDL_GameControllerGetButton) Button;
    decltype(&SDL_GameControllerGetAxis) Axis;
    std::map<SDL_JoystickID, SDL_GameController*> pads;  // open, by instance
    std::set<SDL_JoystickID> others;  // joysticks that are no game controller, or would not open
    bool initialised = false;  // its controllers are there to quit

    static std::unique_ptr<Library> Load() {
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        auto sdl = std::make_unique<Library>();
        bool complete = true;
        auto find = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            complete = complete && function;
        };
        find(sdl->SetHint, "SDL_SetHint");
        find(sdl->InitSubSystem, "SDL_InitSubSystem");
        find(sdl->QuitSubSystem, "SDL_QuitSubSystem");
        find(sdl->PumpEvents, "SDL_PumpEvents");
        find(sdl->FlushEvents, "SDL_FlushEvents");
        find(sdl->NumJoysticks, "SDL_NumJoysticks");
        find(sdl->IsGameController, "SDL_IsGameController");
        find(sdl->InstanceId, "SDL_JoystickGetDeviceInstanceID");
        find(sdl->Open, "SDL_GameControllerOpen");
        find(sdl->Close, "SDL_GameControllerClose");
        find(sdl->Attached, "SDL_GameControllerGetAttached");
        find(sdl->Button, "SDL_GameControllerGetButton");
        find(sdl->Axis, "SDL_GameControllerGetAxis");
        if (!complete) return nullptr;
        // Tarvo's signals are its own.
        sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        sdl->initialised = sdl->InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        return sdl->initialised ? std::move(sdl) : nullptr;
    }

    ~Library() {
        // A library that lacked a function, or would not start, is left as it is.
        if (!initialised) return;
        for (const auto& [id, pad] : pads) Close(pad);
        QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // Pads plugged in since are opened; those pulled out are dropped.
    void Refresh() {
        // Each device is looked up in SDL's controller database once: the
        // look-up compares against every mapping, and the pads are read many
        // times a second.
        for (int device = 0; device < NumJoysticks(); ++device) {
            const SDL_JoystickID id = InstanceId(device);
            if (pads.count(id) || others.count(id)) continue;
            SDL_GameController* pad = IsGameController(device) ? Open(device) : nullptr;
            if (pad) {
                pads[id] = pad;
            } else {
                others.insert(id);
            }
        }
        for (auto it = pads.begin(); it != pads.end();) {
            if (Attached(it->second)) {
                ++it;
            } else {
                Close(it->second);
                it = pads.erase(it);
            }
        }
    }

    PadState StateOf(SDL_GameController* pad) const {
        PadState state;
        state.dpadUp = Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
        state.dpadDown = Button(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        state.leftShoulder = Button(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
        state.rightShoulder = Button(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        state.a = Button(pad, SDL_CONTROLLER_BUTTON_A);
        state.start = Button(pad, SDL_CONTROLLER_BUTTON_START);
        state.back = Button(pad, SDL_CONTROLLER_BUTTON_BACK);
        state.stickY = Axis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        state.leftTrigger = Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
        state.rightTrigger = Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
        return state;
    }
};

SdlPads::SdlPads() = default;

SdlPads::~SdlPads() = default;

std::vector<PadState> SdlPads::Read() {
    if (!sdl_) sdl_ = Library::Load();
    std::vector<PadState> states;
    if (!*sdl_) return states;  // no SDL here: the keys will do
    Library& sdl = **sdl_;
    sdl.PumpEvents();
    // Tarvo reads the pads' states, never their events: nothing queues.
    sdl.FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    sdl.Refresh();
    for (const auto& [id, pad] : sdl.pads) states.push_back(sdl.StateOf(pad));
    return states;
}

}  // namespace tarvo
