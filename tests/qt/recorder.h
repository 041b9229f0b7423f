#pragma once
// A stand-in emulator: a script that writes its argument count, each
// argument in brackets, and its working folder to a file.

#include <string>

#include "temp_folder.h"

namespace tarvo::testing {

inline std::string WriteRecorder(const TempFolder& folder, const std::string& script, const std::string& output,
                                 const std::string& delay = "0") {
    folder.Write(script,
                 "#!/bin/sh\n"
                 "sleep " + delay + "\n"
                 "{ echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; pwd; } > '" + folder / output + ".tmp'\n"
                 "mv '" + folder / output + ".tmp' '" + folder / output + "'\n",
                 true);
    return folder / script;
}

}  // namespace tarvo::testing
