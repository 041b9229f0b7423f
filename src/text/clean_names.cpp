#include "text/clean_names.h"

#include <map>

#include "text/utf8.h"

namespace tarvo {

namespace {

// The name's trailing tags, each " (...)" or " [...]", and what comes before them.
struct Tagged {
    std::string_view base;
    std::vector<std::string_view> tags;  // in the name's order
};

Tagged SplitTags(std::string_view name) {
    Tagged split{name, {}};
    for (;;) {
        std::string_view rest = split.base;
        while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
        if (rest.empty() || (rest.back() != ')' && rest.back() != ']')) break;
        const char open = rest.back() == ')' ? '(' : '[';
        const std::size_t start = rest.rfind(open);
        if (start == std::string_view::npos || start == 0) break;  // unbalanced, or the whole name
        split.tags.insert(split.tags.begin(), rest.substr(start));
        split.base = rest.substr(0, start);
    }
    while (!split.base.empty() && split.base.back() == ' ') split.base.remove_suffix(1);
    if (split.base.empty()) return {name, {}};
    return split;
}

std::string ArticleInFront(std::string_view base) {
    for (std::string_view article : {", The", ", A", ", An"}) {
        for (std::size_t at = base.find(article); at != std::string_view::npos; at = base.find(article, at + 1)) {
            const std::size_t after = at + article.size();
            if (after != base.size() && base.substr(after, 3) != " - ") continue;
            return std::string(article.substr(2)) + " " + std::string(base.substr(0, at)) + std::string(base.substr(after));
        }
    }
    return std::string(base);
}

std::string WithTags(const Tagged& split, std::size_t count) {
    std::string name = ArticleInFront(split.base);
    for (std::size_t i = 0; i < count && i < split.tags.size(); ++i) name += " " + std::string(split.tags[i]);
    return name;
}

}  // namespace

std::string CleanName(std::string_view name) { return WithTags(SplitTags(name), 0); }

std::vector<std::string> CleanNames(const std::vector<std::string_view>& names) {
    std::vector<Tagged> split;
    split.reserve(names.size());
    std::vector<std::string> clean;
    clean.reserve(names.size());
    std::map<std::string, std::vector<std::size_t>> alike;  // by the clean name, letter case ignored
    for (std::size_t i = 0; i < names.size(); ++i) {
        split.push_back(SplitTags(names[i]));
        clean.push_back(WithTags(split.back(), 0));
        alike[ToLower(clean.back())].push_back(i);
    }
    for (const auto& [name, rows] : alike) {
        if (rows.size() < 2) continue;
        // Each keeps the fewest of its tags that no other of them reads the same with.
        for (std::size_t row : rows) {
            for (std::size_t count = 1; count <= split[row].tags.size(); ++count) {
                const std::string mine = ToLower(WithTags(split[row], count));
                bool apart = true;
                for (std::size_t other : rows) apart = apart && (other == row || ToLower(WithTags(split[other], count)) != mine);
                clean[row] = WithTags(split[row], count);
                if (apart) break;
            }
        }
    }
    return clean;
}

}  // namespace tarvo
