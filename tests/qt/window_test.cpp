#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

#include "qt_tarvo.h"

namespace tarvo::testing {
namespace {

class Window : public ::testing::Test, public QtTarvo {
protected:
    void SetUp() override {
        for (const char* rom : {"b.nes", "a.nes", "c d.nes", "Ülkü.nes", "notes.txt", ".hidden.nes"}) {
            folder.Write(std::string("roms/") + rom, "rom");
        }
        Show(emulator);
    }
    std::string Launched() { return folder.WaitFor("launched") ? folder.Read("launched") : "nothing"; }
    std::string LaunchOf(const std::string& rom) { return "1\n[" + folder / "roms/" + rom + "]\n" + folder / "app\n"; }
    QRgb PixelAt(double fx, double fy) {
        const QImage shown = window->Image1()->grab().toImage();
        return shown.pixel(int(fx * (shown.width() - 1)), int(fy * (shown.height() - 1)));
    }
};

TEST_F(Window, DesignTimeState) {
    EXPECT_EQ(window->windowTitle(), "Tarvo - Generic Frontend by Quillan - Nestopia");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->size(), QSize(492, 333));
    EXPECT_EQ(window->List1()->geometry(), QRect(0, 0, 164, 333));
    EXPECT_EQ(window->Image1()->geometry(), QRect(164, 0, 328, 283));
    EXPECT_EQ(window->Command1()->geometry(), QRect(164, 283, 328, 50));

    const QFont listFont = window->List1()->font();
    EXPECT_DOUBLE_EQ(listFont.pointSizeF(), 9.75);
    EXPECT_FALSE(listFont.bold());
    EXPECT_FALSE(listFont.italic());
    EXPECT_EQ(window->List1()->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(window->List1()->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_TRUE(window->List1()->uniformItemSizes());
    EXPECT_EQ(window->List1()->selectionMode(), QAbstractItemView::SingleSelection);

    EXPECT_EQ(window->Command1()->text(), "Play");
    EXPECT_DOUBLE_EQ(window->Command1()->font().pointSizeF(), 12);
    EXPECT_TRUE(window->Command1()->font().bold());
    EXPECT_EQ(window->Command1()->toolTip().toStdString(), emulator);

    EXPECT_EQ(QApplication::focusWidget(), window->Command1());
    QTest::keyClick(window->Command1(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->List1());
    QTest::keyClick(window->List1(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Command1());
    EXPECT_EQ(window->Image1()->focusPolicy(), Qt::NoFocus);

    ASSERT_EQ(RowCount(), 4);
    const QStringList names = {"a", "b", "c d", "Ülkü"};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(window->List1()->model()->index(row, 0).data().toString(), names[row]);
    EXPECT_FALSE(window->Image1()->ShowsIcon());  // the logo
}

TEST_F(Window, KeysReachTheWindowWhateverHasTheFocus) {
    for (QWidget* focus : {static_cast<QWidget*>(window->List1()), static_cast<QWidget*>(window->Command1())}) {
        focus->setFocus();
        window->List1()->setCurrentIndex(window->List1()->model()->index(1, 0));
        const QImage before = window->Image1()->Picture();
        folder.Write("roms/new " + std::to_string(RowCount()) + ".nes", "rom");
        QTest::keyClick(focus, Qt::Key_F5, Qt::ControlModifier);
        EXPECT_EQ(RowCount(), focus == window->List1() ? 5 : 6);
        EXPECT_TRUE(window->List1()->selectionModel()->selectedIndexes().isEmpty());
        EXPECT_EQ(window->Form().File1().ListIndex(), -1);
        EXPECT_EQ(window->Image1()->Picture(), before);
    }
    for (QWidget* focus : {static_cast<QWidget*>(window->List1()), static_cast<QWidget*>(window->Command1())}) {
        window->show();
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape, Qt::ShiftModifier);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(folder.Read("launched").empty());
}

TEST_F(Window, DoubleClickOnAnUnselectedRowStartsThatRow) {
    window->List1()->setCurrentIndex(window->List1()->model()->index(0, 0));
    // As a real double-click arrives: press, release, double-click.
    QTest::mouseClick(window->List1()->viewport(), Qt::LeftButton, {}, RowCentre(2));
    QTest::mouseDClick(window->List1()->viewport(), Qt::LeftButton, {}, RowCentre(2));
    EXPECT_EQ(Launched(), LaunchOf("c d.nes"));
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(Window, EnterStartsWhereverTheFocusIs) {
    window->List1()->setFocus();
    window->List1()->setCurrentIndex(window->List1()->model()->index(0, 0));
    QTest::keyClick(window->List1(), Qt::Key_Down);
    QTest::keyClick(window->List1(), Qt::Key_Return);
    EXPECT_EQ(Launched(), LaunchOf("b.nes"));

    std::remove((folder / "launched").c_str());
    window->showNormal();
    window->Command1()->setFocus();
    QTest::keyClick(window->Command1(), Qt::Key_Enter);
    EXPECT_EQ(Launched(), LaunchOf("b.nes"));
}

TEST_F(Window, PictureDoubleClickStartsTheSelection) {
    window->List1()->setCurrentIndex(window->List1()->model()->index(3, 0));
    QTest::mouseDClick(window->Image1(), Qt::LeftButton);
    EXPECT_EQ(Launched(), LaunchOf("Ülkü.nes"));
}

TEST_F(Window, PicturesAreStretchedToTheArea) {
    folder.Write("shots/a.nes.gif", kRedGreenGif);
    QImage jpeg(320, 240, QImage::Format_RGB32);
    jpeg.fill(QColor(0, 0, 255));
    ASSERT_TRUE(jpeg.save(QString::fromStdString(folder / "shots/b.jpg")));
    folder.Write("shots/c d.nes.gif", "GIF89a damaged");

    window->List1()->setCurrentIndex(window->List1()->model()->index(0, 0));
    EXPECT_EQ(window->Image1()->Picture().size(), QSize(2, 1));
    EXPECT_EQ(QColor(PixelAt(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(PixelAt(1, 1)), QColor(0, 255, 0));
    window->resize(900, 600);
    EXPECT_EQ(window->Image1()->geometry(), QRect(300, 0, 600, 550));
    EXPECT_EQ(window->Image1()->grab().size(), QSize(600, 550));
    EXPECT_EQ(QColor(PixelAt(0, 1)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(PixelAt(1, 0)), QColor(0, 255, 0));

    window->List1()->setCurrentIndex(window->List1()->model()->index(1, 0));
    EXPECT_EQ(window->Image1()->Picture().size(), QSize(320, 240));
    EXPECT_GT(QColor(PixelAt(0.5, 0.5)).blue(), 240);  // JPEG is lossy

    // Damaged: the logo (the same red-green GIF), never b's picture.
    window->List1()->setCurrentIndex(window->List1()->model()->index(2, 0));
    EXPECT_EQ(window->Image1()->Picture().size(), QSize(2, 1));
}

// Waits for the next modal message box, notes it and presses OK.
struct MessageWatcher {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer timer;
    MessageWatcher() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start(20);
    }
};

TEST_F(Window, FailedStartIsReportedAndTheWindowStays) {
    const std::string missing = folder / "gone/nestopia";
    window.reset();
    folder.Write("roms/z.nes", "rom");
    Show(missing);
    MessageWatcher watcher;
    window->List1()->setCurrentIndex(window->List1()->model()->index(0, 0));
    QTest::mouseClick(window->Command1(), Qt::LeftButton);
    EXPECT_EQ(watcher.title, "Tarvo");
    EXPECT_EQ(watcher.icon, QMessageBox::Warning);
    EXPECT_EQ(watcher.text.toStdString(), "Could not start the emulator " + missing + ": No such file or directory");
    EXPECT_FALSE(window->isMinimized());
}

}  // namespace
}  // namespace tarvo::testing
