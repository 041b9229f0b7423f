#include "picture_box.h"

#include <initguid.h>  // the WIC class and format identifiers, defined here
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>

#include "on_demand.h"
#include "ordinary_file.h"
#include "ui/preview.h"

namespace tarvo::win32 {

namespace {

using Microsoft::WRL::ComPtr;

const wchar_t kClassName[] = L"TarvoPicture";

// The first frame, straight from the open file, its format told by the
// content, no larger than most (its shape kept), as a top-down 32-bit
// bitmap with transparent parts on white.
UniqueGdi<HBITMAP> Decode(IWICImagingFactory* factory, HANDLE file, SIZE most) {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    // Its size from its header, before a byte of it is decoded.
    if (!factory ||
        FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0 || std::uint64_t{width} * height > kMostPicturePixels) {
        return nullptr;
    }
    ComPtr<IWICBitmapSource> source = frame;
    if (width > UINT(most.cx) || height > UINT(most.cy)) {
        const double scale = std::min(double(most.cx) / width, double(most.cy) / height);
        width = std::max(1u, UINT(width * scale));
        height = std::max(1u, UINT(height * scale));
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(frame.Get(), width, height, WICBitmapInterpolationModeFant))) {
            return nullptr;
        }
        source = scaler;
    }
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom))) {
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

}  // namespace

PictureBox::PictureBox(HWND parent, std::function<Icon()> loadIcon)
    : loadIcon_(std::move(loadIcon)),
      worker_(FirstPicture, [this] { PostMessageW(hwnd_, kLoaded, 0, 0); }) {  // on the worker's thread
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

PictureBox::Wic::Wic() {
    static const auto initialize = OnDemand<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    static const auto create = OnDemand<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    entered_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_MULTITHREADED));
    if (entered_) create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_));
}

PictureBox::Wic::~Wic() {
    if (factory_) factory_->Release();
    if (entered_) OnDemand<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
}

PictureBox::Found PictureBox::FirstPicture(const Job& job, Wic& wic) {
    for (std::size_t i = 0; i < job.files.size(); ++i) {
        const UniqueHandle open = OpenOrdinaryFile(job.files[i], kLargestPicture);
        if (UniqueGdi<HBITMAP> bitmap = open ? Decode(wic.Factory(), open.get(), job.most) : nullptr) {
            return {job.ticket, std::move(bitmap), static_cast<int>(i)};
        }
    }
    return {job.ticket, nullptr, -1};
}

void PictureBox::Load(std::uint64_t ticket, std::vector<std::string> files) {
    // Never larger than the screen, where the window can never be larger.
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const SIZE most{monitor.rcMonitor.right - monitor.rcMonitor.left, monitor.rcMonitor.bottom - monitor.rcMonitor.top};
    worker_.Ask({ticket, std::move(files), most});
}

void PictureBox::Delivered() {
    if (std::optional<Found> found = worker_.Take()) {
        loaded_ = std::move(found);
        if (onLoaded_) onLoaded_(loaded_->ticket);
    }
}

int PictureBox::Show(std::uint64_t ticket) {
    if (loaded_ && loaded_->ticket == ticket) {
        bitmap_ = std::move(loaded_->bitmap);
        shownIndex_ = loaded_->index;
        loaded_.reset();
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    return shownIndex_;
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
        auto* self = static_cast<PictureBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (message) {
            case WM_PAINT: self->Paint(); return 0;
            case WM_ERASEBKGND: return 1;  // painting covers it all
            case kLoaded: self->Delivered(); return 0;
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
