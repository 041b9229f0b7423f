#include "key_bindings.h"

#include <utility>

namespace tarvo {

namespace {

constexpr std::pair<Qt::Key, Key> kBindings[] = {
    {Qt::Key_Escape, Key::Escape}, {Qt::Key_F3, Key::F3},         {Qt::Key_F5, Key::F5},
    {Qt::Key_Up, Key::Up},         {Qt::Key_Down, Key::Down},     {Qt::Key_PageUp, Key::PageUp},
    {Qt::Key_PageDown, Key::PageDown}, {Qt::Key_Home, Key::Home}, {Qt::Key_End, Key::End}};

}  // namespace

Key CoreKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_F && (event.modifiers() & Qt::ControlModifier)) return Key::F3;
    for (const auto& [qtKey, key] : kBindings) {
        if (event.key() == qtKey) return key;
    }
    return Key::Other;
}

Qt::Key QtKey(Key key) {
    for (const auto& [qtKey, bound] : kBindings) {
        if (bound == key) return qtKey;
    }
    return Qt::Key_unknown;
}

}  // namespace tarvo
