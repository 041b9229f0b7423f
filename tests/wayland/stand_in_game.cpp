// A stand-in game with a real window: it notes the ROM it was given in
// $STAND_IN_LOG, shows itself for $STAND_IN_MS milliseconds and ends.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* log = std::getenv("STAND_IN_LOG");
    if (FILE* file = log ? std::fopen(log, "a") : nullptr) {
        std::fprintf(file, "%s\n", argc > 1 ? argv[argc - 1] : "");
        std::fclose(file);
    }
    QLabel window("Playing");
    window.setWindowTitle("Stand-in game");
    window.resize(640, 480);
    window.show();
    const char* ms = std::getenv("STAND_IN_MS");
    QTimer::singleShot(ms ? std::atoi(ms) : 3000, &app, &QApplication::quit);
    return app.exec();
}
