#pragma once
// The keys Tarvo acts on, as the core names them. Each front end binds its
// own key codes to these (Qt's, Windows' virtual keys); Ctrl+F is bound to
// F3, the find line.

namespace tarvo {

enum class Key { Other, Escape, F3, F5, Up, Down, PageUp, PageDown, Home, End };

// The keys that move the list's selection, in the list or from the find line.
constexpr bool MovesInList(Key key) {
    return key == Key::Up || key == Key::Down || key == Key::PageUp || key == Key::PageDown || key == Key::Home ||
           key == Key::End;
}

// Whether a character a front end hands over is typed text, for the list's
// type-ahead: control characters (Backspace, Tab, Esc, Delete, C1) are none.
constexpr bool IsTypedText(char32_t character) {
    return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
}

}  // namespace tarvo
