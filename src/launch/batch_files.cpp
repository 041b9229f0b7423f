#include "launch/batch_files.h"

#include "text/utf8.h"

namespace tarvo {

bool IsBatchFile(std::string_view program) {
    const std::string_view extension = program.size() >= 4 ? program.substr(program.size() - 4) : "";
    return EqualsIgnoreCase(extension, ".bat") || EqualsIgnoreCase(extension, ".cmd");
}

CmdLine CmdLineFor(const std::string& batchFile, std::string_view parameters) {
    if (parameters.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return {"", "the parameters hold a line break, which a batch file cannot be given"};
    }
    // Never within quotes for the interpreter (a quote is escaped too), so
    // a caret makes each character literal; "%" is cut off from the name
    // after it, so that no variable of that name is found.
    std::string escaped;
    for (const char c : parameters) {
        if (c == '%') {
            escaped += "%^";
            continue;
        }
        if (std::string_view("&|<>^()!\"").find(c) != std::string_view::npos) escaped += '^';
        escaped += c;
    }
    // /s: what follows /c, its first and last quotes taken off, is the line.
    std::string line = "/d /e:on /v:off /s /c \"\"" + batchFile + "\"" + (escaped.empty() ? "" : " " + escaped) + "\"";
    if (CharCount(line) > kLongestCmdLine) {
        return {"", "the batch file's command line is " + std::to_string(CharCount(line)) + " characters long, more than the " +
                        std::to_string(kLongestCmdLine) + " its interpreter takes"};
    }
    return {line, ""};
}

}  // namespace tarvo
