// The Linux floor for start-up: the plainest Qt program that shows what
// tarvo shows. It reads the folder with readdir, keeps the ordinary,
// visible files whose name ends in the extension (letter case ignored),
// sorts them with strcasecmp and shows them in a list with uniform rows, in
// blue text as tarvo's list has it (the bench sees a list on screen by that),
// in a 492 x 333 window.
//   linux_floor FOLDER EXTENSION
#include <QApplication>
#include <QListWidget>

#include "floor_listing.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::vector<std::string> names = tarvo::bench::FloorListing(argv[1], argv[2]);
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const auto& name : names) items.append(QString::fromStdString(name));
    QListWidget list;
    list.setUniformItemSizes(true);
    QPalette blue = list.palette();
    blue.setColor(QPalette::Text, QColor(0, 0, 255));
    list.setPalette(blue);
    list.addItems(items);
    list.resize(492, 333);
    list.show();
    return app.exec();
}
