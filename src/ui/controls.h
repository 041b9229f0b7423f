#pragma once
// The window and the controls that frmPindle drives. A front end puts real
// widgets behind these; positions and sizes are in twips (1/1440 inch).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "os/pictures.h"
#include "ui/keys.h"
#include "ui/pad_input.h"

namespace tarvo {

struct Rect {
    float left, top, width, height;
};

class PlacedControl {
public:
    virtual ~PlacedControl() = default;
    virtual Rect Bounds() const = 0;
    virtual void SetBounds(const Rect& bounds) = 0;
};

// The window's timers: each runs once, and starting it again starts it
// afresh.
enum class FormTimer { Picture, Titles, Showing, Pads, GameEnds };

struct PixelSize {
    int width, height;
};

class FormWindow {
public:
    // Shows the window for the first time, in its designed size, or filling
    // the screen.
    virtual void Show(bool fillScreen) = 0;
    virtual ~FormWindow() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual float ClientWidth() const = 0;
    virtual float ClientHeight() const = 0;
    virtual void Minimize() = 0;
    // Out of sight without minimising.
    virtual void Hide() = 0;
    // Minimised, or out of sight.
    virtual bool IsAway() const = 0;
    // Back, shown in its state before, in front of the others, and active;
    // with a later start's activation token where the display asks for one.
    virtual void Restore(const std::string& activationToken) = 0;
    virtual void Unload() = 0;  // closes the window, which ends the program
    // A message over the window: exclamation icon, OK, title "Tarvo". The
    // window takes no input until it is closed.
    virtual void ShowMessage(const std::string& text) = 0;
    // Calls frmPindle::Form_Timer(timer) once, after that many milliseconds.
    virtual void StartTimer(FormTimer timer, int milliseconds) = 0;
    // A key or a click waits to be handled: the selection is about to move.
    virtual bool InputWaiting() const = 0;
};

// List1: display names, at most one selected (-1 for none).
class ListBoxControl : public PlacedControl {
public:
    virtual void Clear() = 0;
    // Fills the list that Clear emptied, in one call, entries in order. The
    // texts stay valid until the next Clear, so a list may show them
    // without a copy.
    virtual void AddItems(const std::vector<std::string_view>& items) = 0;
    // A line the list shows while it is empty (none: empty), no row of it:
    // it cannot be selected.
    virtual void SetPlaceholder(const std::string& text) = 0;
    virtual int ListIndex() const = 0;
    // Selects the row, puts the caret on it and scrolls it into view,
    // raising no click.
    virtual void SetListIndex(int row) = 0;
    virtual void SetFocus() = 0;
    // A key that moves in the list, pressed there: it handles it as it
    // handles the keyboard's.
    virtual void KeyDown(Key key) = 0;
    // What a screen reader tells of the list beyond its name and rows.
    virtual void SetDescription(const std::string& text) = 0;
};

// Command1: the Play button.
class ButtonControl : public PlacedControl {
public:
    virtual void SetToolTip(const std::string& text) = 0;
    // What a screen reader tells of it beyond its name.
    virtual void SetDescription(const std::string& text) = 0;
    virtual bool HasFocus() const = 0;
};

// Image1: one picture, stretched to the control's rectangle.
class PictureControl : public PlacedControl {
public:
    // The picture from then on (one its front end decoded), or with none
    // the window's own icon.
    virtual void Show(std::shared_ptr<Picture> picture) = 0;
    // The size of the screen it is on, in pixels: no picture need be larger.
    virtual PixelSize Screen() const = 0;
    // What a screen reader calls the picture.
    virtual void SetName(const std::string& name) = 0;
    virtual void SetVisible(bool visible) = 0;
};

// The find line: one line of text under the list, out of sight until it
// is opened. What is typed in it comes to frmPindle::Find_Change.
class FindLineControl : public PlacedControl {
public:
    virtual void SetVisible(bool visible) = 0;
    virtual void SetFocus() = 0;
    virtual void Clear() = 0;  // its text gone, raising no change
    // What a screen reader tells of it beyond its name: how many rows it keeps.
    virtual void SetDescription(const std::string& text) = 0;
};

// The gamepads, as their drivers tell them now; how often they are read is
// frmPindle's. The first reading may load the driver.
class PadReader {
public:
    virtual ~PadReader() = default;
    virtual std::vector<PadState> Read() = 0;
};

}  // namespace tarvo
