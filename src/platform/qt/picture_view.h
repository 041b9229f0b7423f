#pragma once
// Image1: draws its picture, or the window's icon, stretched to fill its
// whole rectangle. It never takes the focus.

#include <QIcon>
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

namespace tarvo {

class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent);

    bool LoadPicture(const std::string& path);  // false: not a picture; the old one stays
    void ShowIcon(const QIcon& icon);

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QIcon icon_;
    bool showsIcon_ = false;
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo
