// Starts one program the way tarvo does, then ends at once:
//   start_probe PROGRAM PARAMETERS WORKING_FOLDER
#include <cstdio>

#include "posix_start.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    tarvo::posix::Child child;
    const tarvo::StartResult result = tarvo::posix::StartChild(argv[1], {argv[2]}, argv[3], child);
    if (!result.started) std::printf("%s\n", result.error.c_str());
    return result.started ? 0 : 1;
}
