// Reference for start-up: one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(492, 333);
    window.show();
    return app.exec();
}
