#pragma once
// The last lines a program printed, as a message can quote them: kept as
// the output passes, at most a few lines and a few hundred characters,
// without colours or other terminal controls.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvo {

class LastLines {
public:
    static constexpr std::size_t kMostLines = 4;
    static constexpr std::size_t kMostChars = 500;

    // More of the output, as it came.
    void Add(std::string_view piece);
    // The last lines with text in them, one to a line, at most kMostChars
    // characters (the end kept).
    std::string Text() const;

private:
    std::string tail_;  // the end of the output, enough for the lines wanted
};

}  // namespace tarvo
