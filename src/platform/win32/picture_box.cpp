#include "picture_box.h"

#include <initguid.h>  // the WIC class and format identifiers, defined here
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>

#include "on_demand.h"
#include "ui/preview.h"
#include "wide_text.h"

namespace tarvo::win32 {

namespace {

using Microsoft::WRL::ComPtr;

const wchar_t kClassName[] = L"TarvoPicture";
constexpr UINT_PTR kSettleTimer = 1;
constexpr std::uint64_t kLargestBitmap = 128u << 20;  // bytes: a decoded picture no screen needs more than

// An ordinary file of a picture's size, checked on the open handle: a pipe,
// a device or a huge file in its place is no picture.
UniqueHandle OpenPictureFile(const std::string& path) {
    UniqueHandle file = OwnHandle(
        CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    const bool picture = file && GetFileType(file.get()) == FILE_TYPE_DISK &&
                         GetFileInformationByHandle(file.get(), &info) &&
                         !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                         ((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow) <= kLargestPicture;
    return picture ? std::move(file) : nullptr;
}

// A key or a click waiting in the queue: the selection is about to move.
bool InputWaiting() { return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0; }

}  // namespace

// Decodes the first frame straight from the open file, its format told by
// the content, into a top-down 32-bit bitmap with transparent parts on white.
UniqueGdi<HBITMAP> PictureBox::Decode(HANDLE file) {
    static const auto create = OnDemand<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    if (!factory_ && (!create || !com_.Enter() ||
                      FAILED(create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_))))) {
        return nullptr;
    }
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(factory_->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file), nullptr,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory_->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        std::uint64_t{width} * height * 4 > kLargestBitmap) {
        return nullptr;
    }
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), static_cast<LONG>(width), -static_cast<LONG>(height), 1, 32, BI_RGB,
                        0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdi<HBITMAP> bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UINT size = width * height * 4;
    if (!bitmap || FAILED(converter->CopyPixels(nullptr, width * 4, size, static_cast<BYTE*>(bits)))) return nullptr;
    auto* pixel = static_cast<BYTE*>(bits);
    for (UINT i = 0; i < size; i += 4) {  // premultiplied colour plus white where it is transparent
        for (int c = 0; c < 3; ++c) pixel[i + c] = static_cast<BYTE>(pixel[i + c] + 255 - pixel[i + 3]);
    }
    return bitmap;
}

PictureBox::PictureBox(HWND parent, ComScope& com, std::function<Icon()> loadIcon)
    : com_(com), loadIcon_(std::move(loadIcon)) {
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

PictureBox::~PictureBox() = default;

void PictureBox::ShowFirstPicture(std::vector<std::string> files) {
    if (wanted_ == files) return;  // on show already, or coming
    wanted_ = std::move(files);
    if (GetTickCount64() - lastAsked_ < kSettleMs || InputWaiting()) {
        waiting_ = true;
        SetTimer(hwnd_, kSettleTimer, kSettleMs, nullptr);  // again from now
    } else {
        ShowWanted();
    }
    lastAsked_ = GetTickCount64();  // after the decoding: the next key, queued meanwhile, moves on
}

void PictureBox::ShowWanted() {
    waiting_ = false;
    KillTimer(hwnd_, kSettleTimer);
    for (const std::string& file : *wanted_) {
        if (LoadPicture(file)) return;
    }
    ReplaceBitmap(nullptr);  // the icon
}

bool PictureBox::LoadPicture(const std::string& path) {
    const UniqueHandle file = OpenPictureFile(path);
    UniqueGdi<HBITMAP> bitmap = file ? Decode(file.get()) : nullptr;
    if (!bitmap) return false;
    ReplaceBitmap(std::move(bitmap));
    return true;
}

void PictureBox::ReplaceBitmap(UniqueGdi<HBITMAP> bitmap) {
    bitmap_ = std::move(bitmap);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT area;
    GetClientRect(hwnd_, &area);
    if (bitmap_) {
        const UniqueMemoryDc source(CreateCompatibleDC(dc));
        const HGDIOBJ old = SelectObject(source.get(), bitmap_.get());
        BITMAP size{};
        GetObjectW(bitmap_.get(), sizeof size, &size);
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
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (message) {
            case WM_PAINT: self->hwnd_ = hwnd; self->Paint(); return 0;
            case WM_ERASEBKGND: return 1;  // painting covers it all
            case WM_TIMER:  // every kSettleMs until no key or click waits
                if (wParam == kSettleTimer && !InputWaiting()) self->ShowWanted();
                return 0;
            case WM_LBUTTONDBLCLK:
                if (self->onDoubleClick_) self->onDoubleClick_();
                return 0;
            default: break;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvo::win32
