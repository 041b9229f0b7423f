#include "picture_view.h"

#include <QFile>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "posix_files.h"
#include "ui/preview.h"

namespace tarvo {

QImage ReadPicture(const std::string& path, QSize most) {
    // By the path's own bytes, as an ordinary file of a picture's size; the
    // decoder reads the open file and tells the format by its content.
    posix::UniqueFd fd = posix::OpenOrdinaryFile(path, kLargestPicture);
    QFile file;
    if (!fd || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return {};
    fd.release();  // the file closes it now
    QImageReader reader(&file);
    // Its size from its header, before a byte of it is decoded.
    const QSize size = reader.size();
    if (size.isEmpty() || std::uint64_t(size.width()) * std::uint64_t(size.height()) > kMostPicturePixels) return {};
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

PictureView::PictureView(QWidget* parent)
    : QWidget(parent), worker_(FirstPicture, [this] {
          // On the worker's thread: only a call queued to this one.
          QMetaObject::invokeMethod(this, [this] { Delivered(); }, Qt::QueuedConnection);
      }) {
    setFocusPolicy(Qt::NoFocus);
}

PictureView::Found PictureView::FirstPicture(const Job& job, NoContext&) {
    for (std::size_t i = 0; i < job.files.size(); ++i) {
        QImage picture = ReadPicture(job.files[i], job.most);
        if (!picture.isNull()) return {job.ticket, std::move(picture), static_cast<int>(i)};
    }
    return {job.ticket, {}};
}

void PictureView::Load(std::uint64_t ticket, std::vector<std::string> files) {
    // Never larger than the screen, where the window can never be larger.
    const QScreen* screen = window()->screen();
    const QSize most = screen ? screen->size() * screen->devicePixelRatio() : QSize(1920, 1080);
    worker_.Ask({ticket, std::move(files), most});
}

void PictureView::Delivered() {
    if (std::optional<Found> found = worker_.Take()) {
        loaded_ = std::move(found);
        if (onLoaded_) onLoaded_(loaded_->ticket);
    }
}

int PictureView::Show(std::uint64_t ticket, const QIcon& icon) {
    if (!loaded_ || loaded_->ticket != ticket) return shownIndex_;
    picture_ = std::move(loaded_->picture);
    shownIndex_ = loaded_->index;
    loaded_.reset();
    stretched_ = QPixmap();
    icon_ = icon;
    update();
    return shownIndex_;
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), icon_.pixmap(256, 256));
        return;
    }
    if (stretched_.size() != size()) {
        stretched_ = QPixmap::fromImage(picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    painter.drawPixmap(0, 0, stretched_);
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDoubleClick_) onDoubleClick_();
}

}  // namespace tarvo
