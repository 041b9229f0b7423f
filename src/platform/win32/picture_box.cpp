#include "picture_box.h"

namespace tarvo::win32 {

namespace {

const wchar_t kClassName[] = L"TarvoPicture";

}  // namespace

PictureBox::PictureBox(HWND parent, std::function<Icon()> loadIcon) : loadIcon_(std::move(loadIcon)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr),
                    this);
}

PictureBox::~PictureBox() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void PictureBox::Show(std::shared_ptr<Picture> picture) {
    picture_ = std::move(picture);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT area;
    GetClientRect(hwnd_, &area);
    if (picture_) {
        const HBITMAP bitmap = static_cast<const Bitmap&>(*picture_).bitmap.get();
        const UniqueMemoryDc source(CreateCompatibleDC(dc));
        const HGDIOBJ old = SelectObject(source.get(), bitmap);
        BITMAP size{};
        GetObjectW(bitmap, sizeof size, &size);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, area.right, area.bottom, source.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(source.get(), old);
    } else {
        FillRect(dc, &area, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        if (!icon_.get()) icon_ = loadIcon_();
        DrawIconEx(dc, 0, 0, icon_.get(), area.right, area.bottom, 0, nullptr, DI_NORMAL);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PictureBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (message) {
            case WM_PAINT: self->Paint(); return 0;
            case WM_ERASEBKGND: return 1;  // painting covers it all
            case WM_LBUTTONDBLCLK:
                if (self->onDoubleClick_) self->onDoubleClick_();
                return 0;
            case WM_NCDESTROY: SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); break;
            default: break;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvo::win32
