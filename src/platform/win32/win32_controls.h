#pragma once
// The control interfaces over real Win32 controls. Each keeps the twips
// rectangle it was given and places its control in pixels at the window's
// DPI.

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "accessible.h"
#include "key_bindings.h"
#include "picture_box.h"
#include "wide_text.h"
#include "ui/controls.h"

namespace tarvo::win32 {

class TwipsPlacement {
public:
    TwipsPlacement(HWND hwnd, const Rect& designed, std::function<double()> twipsPerPixel);
    Rect Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    void Reapply() { SetBounds(bounds_); }  // after a DPI change

private:
    HWND hwnd_;
    Rect bounds_;
    std::function<double()> twipsPerPixel_;
};

// List1: a list box without strings of its own (LBS_NODATA, drawn by its
// owner), so a fill only sets the count; it draws the core's texts as the
// list box draws its strings, still answers LB_GETTEXT for its rows on its
// own thread, and names them to screen readers.
class Win32ListBox : public ListBoxControl {
public:
    Win32ListBox(HWND list, TwipsPlacement placement, ComScope& com);
    ~Win32ListBox() override;
    Win32ListBox(const Win32ListBox&) = delete;
    Win32ListBox& operator=(const Win32ListBox&) = delete;
    void Clear() override;
    void AddItems(const std::vector<std::string_view>& items) override;
    void SetPlaceholder(const std::string& text) override;
    int ListIndex() const override;
    void SetListIndex(int row) override { SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0); }
    void SetFocus() override { ::SetFocus(list_); }
    void KeyDown(Key key) override { SendMessageW(list_, WM_KEYDOWN, VirtualKey(key), 0); }
    void SetDescription(const std::string& text) override;
    // The row at a point of the list's client area, or -1 below the last.
    int RowAt(POINT point) const;
    void Draw(const DRAWITEMSTRUCT& item, COLORREF text, COLORREF background) const;
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    TwipsPlacement& Placement() { return placement_; }

private:
    static LRESULT CALLBACK Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    std::wstring Text(std::size_t row) const;

    void PaintPlaceholder();

    HWND list_;
    TwipsPlacement placement_;
    std::vector<std::string_view> names_;
    std::wstring placeholder_;
    ListRows* rows_;  // what screen readers are told, while the list is there
};

// A control that screen readers ask through the system's object, with a
// description of Tarvo's; while it is there.
class Described {
public:
    Described(HWND control, ComScope& com);
    ~Described();
    Described(const Described&) = delete;
    Described& operator=(const Described&) = delete;
    void SetDescription(const std::string& text);

private:
    static LRESULT CALLBACK Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    HWND control_;
    AccessibleOverlay* accessible_;
};

// The find line: an edit control, named "Find" by a label before it (as a
// screen reader names an edit), its description the count it keeps.
class Win32FindLine : public FindLineControl {
public:
    Win32FindLine(HWND edit, TwipsPlacement placement, ComScope& com)
        : edit_(edit), described_(edit, com), placement_(std::move(placement)) {}
    void SetVisible(bool visible) override { ShowWindow(edit_, visible ? SW_SHOW : SW_HIDE); }
    void SetFocus() override { ::SetFocus(edit_); }
    void Clear() override;
    void SetDescription(const std::string& text) override { described_.SetDescription(text); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    bool Clearing() const { return clearing_; }

private:
    HWND edit_;
    Described described_;
    TwipsPlacement placement_;
    bool clearing_ = false;
};

// Command1; its tooltip is created once the window has shown, which then
// comes up sooner.
class Win32Button : public ButtonControl {
public:
    Win32Button(HWND button, TwipsPlacement placement, ComScope& com)
        : button_(button), described_(button, com), placement_(std::move(placement)) {}
    void SetToolTip(const std::string& text) override;
    void SetDescription(const std::string& text) override;
    bool HasFocus() const override { return GetFocus() == button_; }
    void CreateToolTip();
    HWND ToolTip() const { return toolTip_; }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    TwipsPlacement& Placement() { return placement_; }

private:
    void AddTool();

    HWND button_;
    Described described_;
    HWND toolTip_ = nullptr;
    std::wstring toolTipText_;
    TwipsPlacement placement_;
};

class Win32Picture : public PictureControl {
public:
    Win32Picture(PictureBox& box, TwipsPlacement placement) : box_(box), placement_(std::move(placement)) {}
    void Show(std::shared_ptr<Picture> picture) override { box_.Show(std::move(picture)); }
    PixelSize Screen() const override;
    // The system's accessible object names a window by its text.
    void SetName(const std::string& name) override { SetWindowTextW(box_.Handle(), Widen(name).c_str()); }
    void SetVisible(bool visible) override { ShowWindow(box_.Handle(), visible ? SW_SHOW : SW_HIDE); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    TwipsPlacement& Placement() { return placement_; }

private:
    PictureBox& box_;
    TwipsPlacement placement_;
};

}  // namespace tarvo::win32
