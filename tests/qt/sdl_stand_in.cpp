// A libSDL2-2.0.so.0 of long ago, lacking SDL_QuitSubSystem and most else
// Tarvo uses: loaded, it says so in the file $SDL_STAND_IN_LOADED names.
#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void SayLoaded() {
    if (const char* said = std::getenv("SDL_STAND_IN_LOADED")) std::fclose(std::fopen(said, "w"));
}

}  // namespace

extern "C" int SDL_InitSubSystem(unsigned) { return 0; }
