#pragma once
// File-name wildcards as the program uses them: ";"-separated patterns,
// "*" for any run of characters (none included), "?" for exactly one,
// letter case ignored, and "*.*" matching every name, with or without a dot.

#include <string>
#include <vector>

namespace tarvo {

class WildcardSet {
public:
    explicit WildcardSet(const std::string& patterns);

    bool Matches(const std::string& name) const;

private:
    bool matchesEverything_ = false;
    std::vector<std::u32string> patterns_;  // lower-cased
};

}  // namespace tarvo
