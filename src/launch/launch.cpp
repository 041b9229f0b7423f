#include "launch/launch.h"

#include "text/paths.h"
#include "text/utf8.h"

namespace tarvo {

std::string ArcadeSetOf(std::string_view fileName) { return ToLower(DropLastChars(std::string(fileName), 4)); }

std::string BuildParameterString(int launchMode, const std::string& listFolder, const std::string& fileName,
                                 char separator) {
    if (launchMode == 1) return ArcadeSetOf(fileName);
    const std::string path = WithTrailingSeparator(listFolder, separator) + fileName;
    // A relative path that would be an option to the emulator is one from here.
    return path[0] == '-' ? "." + std::string(1, separator) + path : path;
}

StartRequest BuildStartRequest(const std::string& emulatorPath, const std::string& appFolder,
                               const std::string& parameters, char separator) {
    StartRequest request;
    request.program = IsAbsolutePath(emulatorPath, separator) ? emulatorPath : appFolder + emulatorPath;
    request.parameters = parameters;
    request.workingFolder = appFolder;
    return request;
}

}  // namespace tarvo
