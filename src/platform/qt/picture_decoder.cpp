#include "picture_decoder.h"

#include <QFile>
#include <QImageReader>

#include "posix_files.h"

namespace tarvo {

QImage ReadPicture(const std::string& path, const PictureLimits& limits) {
    // By the path's own bytes, as an ordinary file of a picture's size; the
    // decoder reads the open file and tells the format by its content.
    posix::UniqueFd fd = posix::OpenOrdinaryFile(path, limits.mostBytes);
    QFile file;
    if (!fd || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return {};
    fd.release();  // the file closes it now
    QImageReader reader(&file);
    // Its size from its header, before a byte of it is decoded.
    const QSize size = reader.size(), most(limits.width, limits.height);
    if (size.isEmpty() || std::uint64_t(size.width()) * std::uint64_t(size.height()) > limits.mostPixels) return {};
    const QSize fitted = size.scaled(most, Qt::KeepAspectRatio);
    const bool larger = size.width() > most.width() || size.height() > most.height();
    if (larger && reader.supportsOption(QImageIOHandler::ScaledSize)) reader.setScaledSize(fitted);  // JPEG decodes small
    QImage image;
    if (!reader.read(&image)) return {};
    if (image.width() > most.width() || image.height() > most.height()) {
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

std::unique_ptr<Picture> QtPictureDecoder::Decode(const std::string& path, const PictureLimits& limits) {
    QImage image = ReadPicture(path, limits);
    return image.isNull() ? nullptr : std::make_unique<DecodedImage>(std::move(image));
}

}  // namespace tarvo
