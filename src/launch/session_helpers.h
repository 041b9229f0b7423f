#pragma once
// Programs that outlive games by design: a game started in a session
// without a bus starts one (SDL, Qt and GTK programs do), Wine keeps its
// server and services running for a while or for good, gamemoded and the
// sound servers stay for the next game. A game has ended when its own
// processes have, whatever of these it left running.

#include <string_view>

namespace tarvo {

// By the program's name as the system tells it (on Linux its first 15
// bytes: a name of 15 stands for every helper that begins so).
bool OutlivesGamesByDesign(std::string_view programName);

}  // namespace tarvo
