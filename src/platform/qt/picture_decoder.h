#pragma once
// Pictures on Qt: QImageReader, from any thread, reading the open file by
// its content.

#include <QImage>

#include "os/pictures.h"

namespace tarvo {

struct DecodedImage : Picture {
    explicit DecodedImage(QImage decoded) : image(std::move(decoded)) {}
    QImage image;
};

// The picture an ordinary file holds, within the limits (its shape kept);
// a null image when it is no picture, or a damaged or an oversized one.
QImage ReadPicture(const std::string& path, const PictureLimits& limits);

class QtPictureDecoder : public PictureDecoder {
public:
    std::unique_ptr<Picture> Decode(const std::string& path, const PictureLimits& limits) override;
};

}  // namespace tarvo
