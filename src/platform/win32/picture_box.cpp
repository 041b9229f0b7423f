#include "picture_box.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ expects min and max.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <memory>
#include <vector>

#include "ui/preview.h"
#include "wide_text.h"

namespace tarvo::win32 {

namespace {

const wchar_t kClassName[] = L"TarvoPicture";

// An ordinary file of a picture's size, checked on the open handle: a pipe,
// a device or a huge file in its place reads as nothing.
std::vector<BYTE> ReadPictureFile(const std::wstring& path) {
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        if (size <= kLargestPicture) {
            bytes.resize(static_cast<std::size_t>(size));
            DWORD read = 0;
            if (!ReadFile(file, bytes.data(), static_cast<DWORD>(size), &read, nullptr) || read != size) bytes.clear();
        }
    }
    CloseHandle(file);
    return bytes;
}

// Decodes the bytes into a bitmap of our own, so no file or stream stays open.
HBITMAP DecodePicture(const std::vector<BYTE>& bytes) {
    if (bytes.empty()) return nullptr;
    IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!stream) return nullptr;
    HBITMAP bitmap = nullptr;
    {
        std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
        if (decoded && decoded->GetLastStatus() == Gdiplus::Ok) {
            decoded->GetHBITMAP(Gdiplus::Color(255, 255, 255), &bitmap);
        }
    }
    stream->Release();
    return bitmap;
}

}  // namespace

GdiPlusSession::GdiPlusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiPlusSession::~GdiPlusSession() { Gdiplus::GdiplusShutdown(token_); }

PictureBox::PictureBox(HWND parent, HICON icon) : icon_(icon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
}

PictureBox::~PictureBox() { ReplaceBitmap(nullptr); }

bool PictureBox::LoadPicture(const std::string& path) {
    HBITMAP bitmap = DecodePicture(ReadPictureFile(Widen(path)));
    if (!bitmap) return false;
    ReplaceBitmap(bitmap);
    return true;
}

void PictureBox::ShowIcon() { ReplaceBitmap(nullptr); }

SIZE PictureBox::PictureSize() const {
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void PictureBox::ReplaceBitmap(HBITMAP bitmap) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT area;
    GetClientRect(hwnd_, &area);
    if (bitmap_) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap_);
        const SIZE size = PictureSize();
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, size.cx, size.cy, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        FillRect(dc, &area, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        DrawIconEx(dc, 0, 0, icon_, area.right, area.bottom, 0, nullptr, DI_NORMAL);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (message) {
            case WM_PAINT: self->hwnd_ = hwnd; self->Paint(); return 0;
            case WM_ERASEBKGND: return 1;  // painting covers it all
            case WM_LBUTTONDBLCLK:
                if (self->onDoubleClick_) self->onDoubleClick_();
                return 0;
            default: break;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvo::win32
