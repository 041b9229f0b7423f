#include "sdl_pads.h"

#include <dlfcn.h>

#include <SDL2/SDL.h>
#include <chrono>
#include <map>

namespace tarvo {

namespace {
constexpr int kReadEveryMs = 16;
}  // namespace

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
        if (sdl->InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return nullptr;
        return sdl;
    }

    ~Library() {
        for (const auto& [id, pad] : pads) Close(pad);
        QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // Pads plugged in since are opened; those pulled out are dropped.
    void Refresh() {
        for (int device = 0; device < NumJoysticks(); ++device) {
            const SDL_JoystickID id = InstanceId(device);
            if (IsGameController(device) && !pads.count(id)) {
                if (SDL_GameController* pad = Open(device)) pads[id] = pad;
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
        state.stickY = Axis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        state.leftTrigger = Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
        state.rightTrigger = Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
        return state;
    }
};

SdlPads::SdlPads(Reading reading) : reading_(std::move(reading)) {
    timer_.setInterval(kReadEveryMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Read(); });
}

SdlPads::~SdlPads() = default;

void SdlPads::SetReading(bool reading) {
    on_ = reading;
    if (!reading) return timer_.stop();
    if (sdl_) {  // loaded, or tried where there is no SDL
        if (*sdl_) timer_.start();
        return;
    }
    sdl_.emplace();
    // Once the window is up: its first showing never waits for SDL.
    QTimer::singleShot(0, &timer_, [this] {
        *sdl_ = Library::Load();
        if (*sdl_ && on_) timer_.start();
    });
}

void SdlPads::Read() {
    Library& sdl = **sdl_;
    sdl.PumpEvents();
    // Tarvo reads the pads' states, never their events: nothing queues.
    sdl.FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    sdl.Refresh();
    std::vector<PadState> states;
    for (const auto& [id, pad] : sdl.pads) states.push_back(sdl.StateOf(pad));
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    reading_(states, std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace tarvo
