#include "win32_controls.h"

#include <commctrl.h>

#include "ui/design.h"
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

Win32ListBox::Win32ListBox(HWND list, TwipsPlacement placement, ComScope& com)
    : list_(list), placement_(std::move(placement)),
      rows_(new ListRows(com, list, Widen(design::kListName), [this](std::size_t row) { return Text(row); },
                         [this] { return names_.size(); })) {
    SetWindowSubclass(list_, Answer, 0, reinterpret_cast<DWORD_PTR>(this));
}

Win32ListBox::~Win32ListBox() {
    RemoveWindowSubclass(list_, Answer, 0);
    rows_->Disconnect();
}

void Win32ListBox::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    names_.clear();
}

void Win32ListBox::AddItems(const std::vector<std::string_view>& items) {
    names_ = items;
    SendMessageW(list_, LB_SETCOUNT, names_.size(), 0);
}

std::wstring Win32ListBox::Text(std::size_t row) const { return Widen(names_[row]); }

void Win32ListBox::SetPlaceholder(const std::string& text) {
    placeholder_ = Widen(text);
    InvalidateRect(list_, nullptr, TRUE);
}

// The placeholder over the empty list, where its first row would be.
void Win32ListBox::PaintPlaceholder() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(list_, &paint);
    RECT area;
    GetClientRect(list_, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    InflateRect(&area, -2, -1);
    DrawTextW(dc, placeholder_.c_str(), static_cast<int>(placeholder_.size()), &area, DT_LEFT | DT_TOP | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(list_, &paint);
}

void Win32ListBox::Draw(const DRAWITEMSTRUCT& item, COLORREF text, COLORREF background) const {
    if (item.itemID >= names_.size()) return;
    const bool selected = item.itemState & ODS_SELECTED;
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    SetBkColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHT) : background);
    const std::wstring name = Text(item.itemID);
    ExtTextOutW(item.hDC, item.rcItem.left + 1, item.rcItem.top, ETO_OPAQUE | ETO_CLIPPED, &item.rcItem, name.c_str(),
                static_cast<UINT>(name.size()), nullptr);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CALLBACK Win32ListBox::Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto& box = *reinterpret_cast<Win32ListBox*>(self);
    box.rows_->Touched();
    if (message == WM_PAINT && box.names_.empty() && !box.placeholder_.empty()) {
        box.PaintPlaceholder();
        return 0;
    }
    if (LRESULT object; message == WM_GETOBJECT && box.rows_->Answers(hwnd, wParam, lParam, &object)) return object;
    if (message != LB_GETTEXT && message != LB_GETTEXTLEN) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        box.rows_->Touched();  // again: a question asked while it was handled saw it half done
        switch (message) {  // what moves the selection or the focus
            case WM_SETFOCUS: case WM_KEYDOWN: case WM_CHAR: case WM_LBUTTONDOWN: case WM_MOUSEMOVE:
            case LB_SETCURSEL: case LB_SETCOUNT: case LB_RESETCONTENT:
                box.rows_->TellSelection(message == WM_SETFOCUS);
                break;
            default:
                break;
        }
        return result;
    }
    // From another thread or program, the system hands over a buffer sized
    // for a list without strings, far shorter than a name: such callers
    // get no text (screen readers ask the list's accessible object).
    if (InSendMessage()) return LB_ERR;
    if (wParam < box.names_.size()) {
        const std::wstring text = box.Text(wParam);
        if (message == LB_GETTEXT) {
            auto* out = reinterpret_cast<wchar_t*>(lParam);  // as large as LB_GETTEXTLEN said, plus one
            out[text.copy(out, text.size())] = L'\0';
        }
        return static_cast<LRESULT>(text.size());
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

int Win32ListBox::ListIndex() const {
    const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

int Win32ListBox::RowAt(POINT point) const { return ListRowAt(list_, point, names_.size()); }

Described::Described(HWND control, ComScope& com) : control_(control), accessible_(new AccessibleOverlay(com)) {
    SetWindowSubclass(control_, Answer, 0, reinterpret_cast<DWORD_PTR>(this));
}

Described::~Described() {
    RemoveWindowSubclass(control_, Answer, 0);
    accessible_->Disconnect();
}

LRESULT CALLBACK Described::Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto& described = *reinterpret_cast<Described*>(self);
    if (LRESULT object; message == WM_GETOBJECT && described.accessible_->Answers(hwnd, wParam, lParam, &object)) return object;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Described::SetDescription(const std::string& text) {
    accessible_->SetDescription(Widen(text));
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32FindLine::Clear() {
    clearing_ = true;  // no change to tell
    SetWindowTextW(edit_, L"");
    clearing_ = false;
}


void Win32ListBox::SetDescription(const std::string& text) { rows_->SetDescription(Widen(text)); }

void Win32Button::SetToolTip(const std::string& text) {
    toolTipText_ = Widen(text);
    if (toolTip_) AddTool();
}

void Win32Button::SetDescription(const std::string& text) { described_.SetDescription(text); }

void Win32Button::CreateToolTip() {
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(button_), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    AddTool();
}

void Win32Button::AddTool() {
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

namespace tarvo::win32 {

PixelSize Win32Picture::Screen() const {
    // Never larger than the screen, where the window can never be larger.
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(box_.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    return {monitor.rcMonitor.right - monitor.rcMonitor.left, monitor.rcMonitor.bottom - monitor.rcMonitor.top};
}

}  // namespace tarvo::win32
