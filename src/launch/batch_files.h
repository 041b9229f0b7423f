#pragma once
// A batch file (.bat, .cmd) is run by the system's command interpreter,
// which reads its parameters as a command line of its own: "&", "|", "<",
// ">", "(", ")" and "^" would act, "%NAME%" expand, a quote change what the
// rest means. So each is made literal for it, and the batch file gets the
// parameter string as it was, to use as it says ("%~1", %*).

#include <string>
#include <string_view>

namespace tarvo {

// The longest line the interpreter takes.
constexpr std::size_t kLongestCmdLine = 8191;

bool IsBatchFile(std::string_view program);

struct CmdLine {
    std::string parameters;  // for cmd.exe
    std::string error;       // not empty: the parameters cannot be given, and this says why
};

// cmd.exe's own parameters that run the batch file with these: no AutoRun,
// command extensions on, delayed expansion off.
CmdLine CmdLineFor(const std::string& batchFile, std::string_view parameters);

}  // namespace tarvo
