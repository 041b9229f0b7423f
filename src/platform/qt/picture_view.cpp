#include "picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <fstream>
#include <iterator>

namespace tarvo {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

bool PictureView::LoadPicture(const std::string& path) {
    // Read whole, by the path's own bytes; the format is told by the content.
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()))) {
        return false;
    }
    picture_ = std::move(image);
    showsIcon_ = false;
    update();
    return true;
}

void PictureView::ShowIcon(const QIcon& icon) {
    icon_ = icon;
    picture_ = QImage();
    showsIcon_ = true;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (showsIcon_) {
        painter.drawPixmap(rect(), icon_.pixmap(256, 256));
    } else if (!picture_.isNull()) {
        painter.drawImage(rect(), picture_);
    }
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDoubleClick_) onDoubleClick_();
}

}  // namespace tarvo
