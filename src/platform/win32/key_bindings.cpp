#include "key_bindings.h"

#include <utility>

namespace tarvo::win32 {

namespace {

constexpr std::pair<WPARAM, Key> kBindings[] = {
    {VK_ESCAPE, Key::Escape}, {VK_F3, Key::F3},         {VK_F5, Key::F5},         {VK_UP, Key::Up},
    {VK_DOWN, Key::Down},     {VK_PRIOR, Key::PageUp},  {VK_NEXT, Key::PageDown}, {VK_HOME, Key::Home},
    {VK_END, Key::End}};

}  // namespace

Key CoreKey(WPARAM virtualKey, bool control) {
    if (virtualKey == 'F' && control) return Key::F3;
    for (const auto& [code, key] : kBindings) {
        if (code == virtualKey) return key;
    }
    return Key::Other;
}

WPARAM VirtualKey(Key key) {
    for (const auto& [code, bound] : kBindings) {
        if (bound == key) return code;
    }
    return 0;
}

}  // namespace tarvo::win32
