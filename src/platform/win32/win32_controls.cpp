#include "win32_controls.h"

#include <commctrl.h>

#include "ui/pixels.h"
#include "wide_text.h"

namespace tarvo::win32 {

TwipsPlacement::TwipsPlacement(HWND hwnd, const Rect& designed, std::function<double()> twipsPerPixel)
    : hwnd_(hwnd), twipsPerPixel_(std::move(twipsPerPixel)) {
    SetBounds(designed);
}

void TwipsPlacement::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    const PixelRect pixels = ToPixels(bounds, twipsPerPixel_());
    MoveWindow(hwnd_, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

void Win32ListBox::Clear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

void Win32ListBox::AddItems(const std::vector<std::string>& items) {
    // One redraw and one allocation for the whole fill.
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    std::size_t bytes = 0;
    for (const auto& item : items) bytes += (item.size() + 1) * sizeof(wchar_t);
    SendMessageW(list_, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
    for (const auto& item : items) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int Win32ListBox::ListIndex() const {
    const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32Button::SetToolTip(const std::string& text) {
    toolTipText_ = Widen(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(button_);
    tool.uId = reinterpret_cast<UINT_PTR>(button_);
    tool.lpszText = toolTipText_.data();
    SendMessageW(toolTip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tarvo::win32
