#pragma once
// What the floors do instead of tarvo's file list: one readdir pass keeping
// the ordinary, visible files whose name ends in the extension (letter case
// ignored), sorted with strcasecmp.

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tarvo::bench {

inline std::vector<std::string> FloorListing(const char* folder, const char* extension) {
    const std::size_t tail = std::strlen(extension);
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder)) {
        while (const dirent* entry = readdir(dir)) {
            const std::size_t length = std::strlen(entry->d_name);
            if (entry->d_type == DT_REG && entry->d_name[0] != '.' && length >= tail &&
                strcasecmp(entry->d_name + length - tail, extension) == 0) {
                names.emplace_back(entry->d_name, length);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    return names;
}

}  // namespace tarvo::bench
