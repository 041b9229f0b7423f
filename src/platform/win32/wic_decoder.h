#pragma once
// Pictures on Win32: WIC (GIF, JPEG, BMP, PNG), from any thread, each with
// COM and a WIC factory of its own, loaded only when there is a picture to
// decode.

#include <windows.h>

#include "os/pictures.h"
#include "owned.h"

namespace tarvo::win32 {

// A decoded picture: a top-down 32-bit bitmap.
struct Bitmap : Picture {
    explicit Bitmap(UniqueGdi<HBITMAP> decoded) : bitmap(std::move(decoded)) {}
    UniqueGdi<HBITMAP> bitmap;
};

class WicDecoder : public PictureDecoder {
public:
    std::unique_ptr<Picture> Decode(const std::string& path, const PictureLimits& limits) override;
};

}  // namespace tarvo::win32
