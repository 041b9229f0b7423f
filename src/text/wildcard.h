#pragma once
// File-name wildcards as the program uses them: ";"-separated patterns,
// "*" for any run of characters (none included), "?" for exactly one,
// letter case ignored, and "*.*" matching every name, with or without a dot.

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class WildcardSet {
public:
    explicit WildcardSet(const std::string& patterns);

    bool Matches(std::string_view name) const;

private:
    struct Pattern {
        std::u32string characters;  // lower-cased
        std::string ascii;          // the same as bytes, ASCII letters lower-cased
        bool isAscii;               // its characters and bytes are one and the same
        bool starThenText;          // "*" and then ASCII text only, as in "*.zip"
    };
    bool matchesEverything_ = false;
    std::vector<Pattern> patterns_;
};

}  // namespace tarvo
