#pragma once
// Image1: draws its picture, or the window's icon, stretched to fill its
// whole rectangle. Pictures are read and decoded beside the window's
// thread; it never takes the focus.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/background_worker.h"

namespace tarvo {

// The picture a file holds, decoded no larger than most (its shape kept);
// a null image when it is no picture, or a damaged or an oversized one.
QImage ReadPicture(const std::string& path, QSize most);

class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent);

    // Reads the first of the files that is a picture; loaded(ticket) on
    // the window's thread when done.
    void Load(std::uint64_t ticket, std::vector<std::string> files);
    // Shows what the load of that ticket found, else the icon: the index of
    // the file shown, -1 for the icon.
    int Show(std::uint64_t ticket, const QIcon& icon);

    void OnLoaded(std::function<void(std::uint64_t ticket)> handler) { onLoaded_ = std::move(handler); }
    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Job {
        std::uint64_t ticket;
        std::vector<std::string> files;
        QSize most;
    };
    struct Found {
        std::uint64_t ticket;
        QImage picture;  // null: none of the files
        int index = -1;  // of the file it came from
    };
    static Found FirstPicture(const Job& job, NoContext&);
    void Delivered();

    QImage picture_;
    int shownIndex_ = -1;
    QPixmap stretched_;  // picture_ at the widget's size, made once per size
    QIcon icon_;
    std::optional<Found> loaded_;
    std::function<void(std::uint64_t)> onLoaded_;
    std::function<void()> onDoubleClick_;
    BackgroundWorker<Job, Found> worker_;  // last: goes first
};

}  // namespace tarvo
