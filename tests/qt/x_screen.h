#pragma once
// The test display as a user at its keyboard sees it: the windows a
// program maps, the keyboard's focus, keys pressed through XTest. For the
// real tarvo on an X display without a window manager.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace tarvo::testing {

class XScreen {
public:
    XScreen() : connection_(xcb_connect(nullptr, nullptr)) {
        if (!Usable()) return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~XScreen() { xcb_disconnect(connection_); }
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    bool Usable() const { return xcb_connection_has_error(connection_) == 0; }
    xcb_connection_t* Connection() const { return connection_; }

    // The next top-level window mapped whose title begins "Tarvo"; 0 when
    // none comes within the time.
    xcb_window_t WaitForTarvo(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            xcb_generic_event_t* event = xcb_poll_for_event(connection_);
            if (!event) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (mapped && Title(window).rfind("Tarvo", 0) == 0) return window;
        }
        return 0;
    }

    void Focus(xcb_window_t window) {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }

    // An X keysym (0xff0d Return, 0xff1b Escape, 0xff54 Down, 0xff09 Tab).
    void Press(xcb_keysym_t key) {
        const xcb_keycode_t code = KeycodeOf(key);
        xcb_test_fake_input(connection_, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_flush(connection_);
    }

    // Whether the window is mapped (shown, not withdrawn).
    bool Mapped(xcb_window_t window) {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr);
        const bool mapped = attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(attributes);
        return mapped;
    }
    // The window that has the keyboard's focus.
    xcb_window_t Focused() {
        xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr);
        const xcb_window_t window = focus ? focus->focus : 0;
        std::free(focus);
        return window;
    }
    // Whether the window covers the whole screen.
    bool FillsTheScreen(xcb_window_t window) {
        xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const bool fills = geometry && geometry->width == screen->width_in_pixels && geometry->height == screen->height_in_pixels;
        std::free(geometry);
        return fills;
    }

private:
    std::string Title(xcb_window_t window) {
        xcb_get_property_reply_t* title = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
            nullptr);
        std::string text = title ? std::string(static_cast<const char*>(xcb_get_property_value(title)),
                                               static_cast<std::size_t>(xcb_get_property_value_length(title)))
                                 : "";
        std::free(title);
        return text;
    }

    xcb_keycode_t KeycodeOf(xcb_keysym_t key) {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
            connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping);
        xcb_keycode_t code = 0;
        for (int i = 0; i < count * mapping->keysyms_per_keycode && !code; ++i) {
            if (symbols[i] == key) code = static_cast<xcb_keycode_t>(setup->min_keycode + i / mapping->keysyms_per_keycode);
        }
        std::free(mapping);
        return code;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

}  // namespace tarvo::testing
