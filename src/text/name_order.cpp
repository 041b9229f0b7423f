#include "text/name_order.h"

#include <algorithm>

#include "text/utf8.h"

namespace tarvo {

namespace {

// Eight bytes of a lower-cased name as one number that sorts as they do
// (names hold no zero byte, so a short name's padding sorts first).
std::uint64_t NextEight(LoweredBytes& bytes) {
    std::uint64_t prefix = 0;
    for (int i = 0; i < 8; ++i) prefix = prefix << 8 | static_cast<std::uint64_t>(std::max(bytes.Next(), 0));
    return prefix;
}

template <class Names>
std::vector<std::uint32_t> Order(const Names& names) {
    // The first 16 lower-cased bytes, as two numbers, settle most
    // comparisons; the rest compare lower-cased byte by byte, without a
    // copy. Names equal but for case go by their exact text.
    struct Key {
        std::uint64_t first, second;
        std::uint32_t name;  // a folder holds far fewer than 4 billion names
    };
    std::vector<Key> order;
    order.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        LoweredBytes bytes(names[i]);
        const std::uint64_t first = NextEight(bytes);
        order.push_back({first, NextEight(bytes), static_cast<std::uint32_t>(i)});
    }
    std::sort(order.begin(), order.end(), [&](const Key& a, const Key& b) {
        if (a.first != b.first) return a.first < b.first;
        if (a.second != b.second) return a.second < b.second;
        const int byKey = CompareIgnoreCase(names[a.name], names[b.name]);
        if (byKey != 0) return byKey < 0;
        const int exactly = names[a.name].compare(names[b.name]);
        return exactly != 0 ? exactly < 0 : a.name < b.name;
    });
    std::vector<std::uint32_t> positions;
    positions.reserve(order.size());
    for (const Key& key : order) positions.push_back(key.name);
    return positions;
}

}  // namespace

std::vector<std::uint32_t> OrderLikeFileList(const NameList& names) { return Order(names); }

std::vector<std::uint32_t> OrderLikeFileList(const std::vector<std::string_view>& names) { return Order(names); }

}  // namespace tarvo
