#include "launch/emulator_arguments.h"

#include <algorithm>
#include <array>

#include "text/utf8.h"

namespace tarvo {

namespace {

// The longest command line Windows takes: longer args are a mistake anywhere.
constexpr std::size_t kLongestArgs = 32767;

struct Placeholder {
    std::string_view name;
    std::string value;
};
// %ROM% first: its value is also what follows args without placeholders.
using Placeholders = std::array<Placeholder, 4>;

// The file name less its folder and all after its last ".".
std::string BaseName(const std::string& path, char separator) {
    const std::size_t folderEnd = path.rfind(separator);
    const std::string name = folderEnd == std::string::npos ? path : path.substr(folderEnd + 1);
    return name.substr(0, name.rfind('.'));
}

// The folder without its trailing separator; a root keeps it ("/", "\", "C:\").
std::string FolderOf(const std::string& path, char separator) {
    const std::size_t folderEnd = path.rfind(separator);
    if (folderEnd == std::string::npos) return "";
    std::string folder = path.substr(0, path.find_last_not_of(separator, folderEnd) + 1);
    const bool drive = separator == '\\' && folder.size() == 2 && folder[1] == ':';
    if (folder.empty() || drive) folder += separator;
    return folder;
}

Placeholders PlaceholdersFor(const RomPlaceholders& rom, char separator, const WindowsPathFor& windowsPath) {
    const auto named = [&windowsPath](const std::string& path) { return windowsPath ? windowsPath(path) : path; };
    return {{{"ROM", rom.romIsPath ? named(rom.rom) : rom.rom},
             {"ROMFILE", named(rom.romFile)},
             {"BASENAME", BaseName(rom.romFile, separator)},
             {"ROMDIR", named(FolderOf(rom.romFile, separator))}}};
}

// The placeholder written from args[pos] on, or nullptr. Letter case is
// compared in ASCII only, so that no other letter ("İ" lowers to "i") can
// stand for one of a name's.
const Placeholder* PlaceholderAt(std::string_view args, std::size_t pos, const Placeholders& placeholders) {
    if (args[pos] != '%') return nullptr;
    const auto sameLetter = [](char a, char b) { return LowerAscii(a) == LowerAscii(b); };
    for (const Placeholder& placeholder : placeholders) {
        const std::size_t closing = pos + 1 + placeholder.name.size();
        if (closing >= args.size() || args[closing] != '%') continue;
        const std::string_view written = args.substr(pos + 1, placeholder.name.size());
        if (std::equal(written.begin(), written.end(), placeholder.name.begin(), sameLetter)) return &placeholder;
    }
    return nullptr;
}

// Why args cannot be used at all, or nothing.
std::string ProblemWith(std::string_view args) {
    if (args.size() > kLongestArgs) {
        return "args is longer than " + std::to_string(kLongestArgs) + " bytes, the most a command line holds";
    }
    if (args.find('\0') != std::string_view::npos) return "args holds a NUL character, which no command line can";
    return "";
}

// A value put in that would reach the emulator as an option ("-x.zip"'s
// base name), never a file: why not, or nothing.
std::string OptionProblem(const Placeholder& placeholder) {
    if (placeholder.value.empty() || placeholder.value[0] != '-') return "";
    return "the ROM's %" + std::string(placeholder.name) + "% " + placeholder.value + " would reach the emulator as an option";
}

// As in Exec lines: within double quotes only these four are escaped.
bool EscapedInQuotes(char c) { return c == '"' || c == '`' || c == '$' || c == '\\'; }

}  // namespace

ExpandedArguments ArgumentsFor(std::string_view args, const RomPlaceholders& rom, char separator,
                               const WindowsPathFor& windowsPath) {
    if (std::string problem = ProblemWith(args); !problem.empty()) return {{}, problem};
    const Placeholders placeholders = PlaceholdersFor(rom, separator, windowsPath);
    ExpandedArguments expanded;
    std::string argument;
    bool inArgument = false, quoted = false, placeholderSeen = false;
    for (std::size_t pos = 0; pos < args.size(); ++pos) {
        const char c = args[pos];
        if (const Placeholder* placeholder = PlaceholderAt(args, pos, placeholders)) {
            if (std::string problem = OptionProblem(*placeholder); !problem.empty()) return {{}, problem};
            argument += placeholder->value;
            pos += placeholder->name.size() + 1;
            inArgument = placeholderSeen = true;
        } else if (quoted) {
            if (c == '"') quoted = false;
            else if (c == '\\' && pos + 1 < args.size() && EscapedInQuotes(args[pos + 1])) argument += args[++pos];
            else argument += c;
        } else if (c == ' ' || c == '\t') {
            if (inArgument) expanded.arguments.push_back(argument);
            argument.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == '"') quoted = true;  // a single quote is ordinary, as in Exec lines
            else if (c != '\\') argument += c;
            else if (pos + 1 < args.size()) argument += args[++pos];
            else return {{}, "args ends in a backslash that escapes nothing"};
        }
    }
    if (quoted) return {{}, "args has a quote that is never closed"};
    if (inArgument) expanded.arguments.push_back(argument);
    if (!placeholderSeen) expanded.arguments.push_back(placeholders.front().value);
    return expanded;
}

ExpandedParameterString ParameterStringFor(std::string_view args, const RomPlaceholders& rom, char separator) {
    if (std::string problem = ProblemWith(args); !problem.empty()) return {"", problem};
    if (args.find_first_not_of(" \t") == std::string_view::npos) return {rom.rom, ""};
    const Placeholders placeholders = PlaceholdersFor(rom, separator, nullptr);
    std::string text;
    bool placeholderSeen = false;
    for (std::size_t pos = 0; pos < args.size(); ++pos) {
        if (const Placeholder* placeholder = PlaceholderAt(args, pos, placeholders)) {
            if (std::string problem = OptionProblem(*placeholder); !problem.empty()) return {"", problem};
            text += placeholder->value;
            pos += placeholder->name.size() + 1;
            placeholderSeen = true;
            // Backslashes before a quote the user wrote ("%ROMDIR%" at R:\)
            // would escape it: doubled, the program reads them back as they were.
            if (pos + 1 < args.size() && args[pos + 1] == '"') {
                const std::size_t kept = placeholder->value.find_last_not_of('\\');
                text.append(placeholder->value.size() - (kept == std::string::npos ? 0 : kept + 1), '\\');
            }
        } else {
            text += args[pos];
        }
    }
    if (!placeholderSeen) text = std::string(args) + ' ' + rom.rom;
    // Windows counts a command line in UTF-16 units: a character beyond 16 bits is two.
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeAt(text, i);
        units += c.codePoint > 0xFFFF ? 2 : 1;
        i += std::max<std::size_t>(c.length, 1);
    }
    if (units >= kLongestArgs) {
        return {"", "args filled in is " + std::to_string(units) + " characters long, more than the " +
                        std::to_string(kLongestArgs - 1) + " a command line holds"};
    }
    return {text, ""};
}

}  // namespace tarvo
