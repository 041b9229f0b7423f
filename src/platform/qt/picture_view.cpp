#include "picture_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvo {

PictureView::PictureView(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void PictureView::Show(QImage picture, const QIcon& icon) {
    picture_ = std::move(picture);
    stretched_ = QPixmap();
    icon_ = icon;
    update();
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
