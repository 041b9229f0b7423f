#pragma once
// A gamelist.xml as ES-DE, EmulationStation and Pegasus keep them: for each
// game its file, the name players gave it, its picture and whether it is
// hidden.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvo {

inline constexpr std::uint64_t kMostGameListBytes = 64u << 20;

struct GameEntry {
    std::string name;   // empty: the file's own
    std::string image;  // as written: "./media/x.png", or absolute
    bool hidden = false;
};

class GameList {
public:
    // The games of the file whose <path> names a file of the folder itself
    // ("./x.sfc", "x.sfc", or the folder's own path and the name); nothing
    // when the file is no gamelist or is cut short.
    static std::optional<GameList> Parse(std::string_view xml, std::string_view folder);
    // By the file's name, as listed.
    const GameEntry* Find(std::string_view fileName) const;
    std::size_t size() const { return games_.size(); }

private:
    std::unordered_map<std::string, GameEntry> games_;
};

}  // namespace tarvo
