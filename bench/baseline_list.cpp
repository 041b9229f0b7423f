// Baseline for start-up: reads a folder with readdir, sorts the names with
// case ignored and shows them in a list with uniform rows in a 492 x 333
// window.
#include <dirent.h>
#include <strings.h>

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::string> names;
    if (DIR* dir = opendir(argc > 1 ? argv[1] : ".")) {
        while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const auto& name : names) items.append(QString::fromStdString(name));
    QListWidget list;
    list.setUniformItemSizes(true);
    list.addItems(items);
    list.resize(492, 333);
    list.show();
    return app.exec();
}
