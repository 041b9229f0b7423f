#include "picture_view.h"

#include <QFile>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include "posix_files.h"
#include "ui/preview.h"

namespace tarvo {

PictureView::PictureView(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

bool PictureView::LoadPicture(const std::string& path) {
    // By the path's own bytes, as an ordinary file of a picture's size; the
    // decoder reads the open file and tells the format by its content.
    posix::UniqueFd fd = posix::OpenOrdinaryFile(path, kLargestPicture);
    QFile file;
    if (!fd || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return false;
    fd.release();  // the file closes it now
    QImage image;
    if (!QImageReader(&file).read(&image)) return false;
    picture_ = std::move(image);
    update();
    return true;
}

void PictureView::ShowFirstPicture(std::vector<std::string> files, const QIcon& icon) {
    if (shown_ == files) return;
    shown_ = std::move(files);
    for (const std::string& file : *shown_) {
        if (LoadPicture(file)) return;
    }
    icon_ = icon;
    picture_ = QImage();  // the icon shows where there is no picture
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!picture_.isNull()) {
        painter.drawImage(rect(), picture_);
    } else {
        painter.drawPixmap(rect(), icon_.pixmap(256, 256));
    }
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDoubleClick_) onDoubleClick_();
}

}  // namespace tarvo
