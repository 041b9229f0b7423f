#pragma once
// File names one after another in one buffer: a folder of 40,000 names
// costs a few allocations instead of 40,000, and each name is kept once.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class NameList {
public:
    void Add(std::string_view name) {
        text_ += name;
        ends_.push_back(text_.size());
    }
    void Clear() {
        text_.clear();
        ends_.clear();
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

}  // namespace tarvo
