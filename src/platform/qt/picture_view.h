#pragma once
// Image1: draws its picture, or the window's icon, stretched to fill its
// whole rectangle. It never takes the focus.

#include <QIcon>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvo {

class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent);

    // The first of the files that is a picture it can read, else the icon.
    void ShowFirstPicture(std::vector<std::string> files, const QIcon& icon);
    bool LoadPicture(const std::string& path);  // false: not a picture; the old one stays

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QIcon icon_;
    std::optional<std::vector<std::string>> shown_;  // the files last asked for
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo
