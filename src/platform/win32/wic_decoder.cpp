#include "wic_decoder.h"

#include <initguid.h>  // the WIC class and format identifiers, defined here
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>

#include "on_demand.h"
#include "ordinary_file.h"

namespace tarvo::win32 {

namespace {

using Microsoft::WRL::ComPtr;

// The first frame, straight from the open file, its format told by the
// content, no larger than most (its shape kept), as a top-down 32-bit
// bitmap with transparent parts on white.
UniqueGdi<HBITMAP> DecodeFile(IWICImagingFactory* factory, HANDLE file, const PictureLimits& limits) {
    const SIZE most{limits.width, limits.height};
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    // Its size from its header, before a byte of it is decoded.
    if (!factory ||
        FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0 || std::uint64_t{width} * height > limits.mostPixels) {
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

// COM and a WIC factory for the thread that decodes, while it runs.
class Wic {
public:
    Wic() : com_(COINIT_MULTITHREADED) {
        static const auto create = OnDemand<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        if (com_.Entered() && create) create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_));
    }
    IWICImagingFactory* Factory() const { return factory_.Get(); }

private:
    ThreadCom com_;
    ComPtr<IWICImagingFactory> factory_;  // after COM: goes first
};

}  // namespace

std::unique_ptr<Picture> WicDecoder::Decode(const std::string& path, const PictureLimits& limits) {
    thread_local const Wic wic;
    const UniqueHandle open = OpenOrdinaryFile(path, limits.mostBytes);
    UniqueGdi<HBITMAP> bitmap = open ? DecodeFile(wic.Factory(), open.get(), limits) : nullptr;
    return bitmap ? std::make_unique<Bitmap>(std::move(bitmap)) : nullptr;
}

}  // namespace tarvo::win32
