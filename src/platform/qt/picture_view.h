#pragma once
// Image1: draws its picture, or the window's icon, stretched to fill its
// whole rectangle; it never takes the focus.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace tarvo {

class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent);

    // The picture from now on; a null one: the icon.
    void Show(QImage picture, const QIcon& icon);

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QPixmap stretched_;  // picture_ at the widget's size, made once per size
    QIcon icon_;
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo
