// The window contract's driver for the Qt front end: the real window
// in-process (offscreen), the real tarvo binary for second starts.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QAccessible>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <SDL2/SDL.h>

#include "atspi_list_cache.h"
#include "linux_parts.h"
#include "process_tree.h"
#include "single_instance.h"
#include "tarvo_window.h"
#include "virtual_pad.h"
#include "window_driver.h"

namespace tarvo::testing {
namespace {

Qt::KeyboardModifiers QtModifiers(int modifiers) {
    Qt::KeyboardModifiers qt;
    qt.setFlag(Qt::ShiftModifier, modifiers & kShift).setFlag(Qt::ControlModifier, modifiers & kCtrl);
    return qt;
}

class QtDriver : public WindowDriver {
public:
    QtDriver() {
        // Its one parameter (or its arguments, "|" between them) and its
        // working folder; then it plays until told to end.
        recorder = "#!/bin/sh\nhere=$(dirname \"$0\")\nif [ \"$1\" = -listfull ]; then\necho $$ >>\"$here/asked.pid\"\ni=0\n"
                   "while [ ! -e \"$here/answer-now\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done\n"
                   "cat \"$here/listfull\" 2>/dev/null\nexit $(cat \"$here/listfull.status\" 2>/dev/null || echo 0)\nfi\n"
                   "if [ \"$1\" = -listxml ]; then i=0\n"
                   "while [ ! -e \"$here/answer-now\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done\n"
                   "cat \"$here/listxml\" 2>/dev/null\n"
                   "exit $(cat \"$here/listxml.status\" 2>/dev/null || echo 0)\nfi\n"
                   "{ [ $# -le 1 ] && printf '%s\\n' \"$1\" || { printf '%s' \"$1\"; shift; printf '|%s' \"$@\"; echo; }; pwd; } >\"$here/t$$\"\n"
                   "cat \"$here/t$$\" >>\"$here/launched.txt\"\nrm \"$here/t$$\"\nname=${1##*/}\ni=0\n"
                   "[ -e \"$here/stubborn\" ] && trap '' TERM\n"
                   "if [ -e \"$here/fail\" ]; then read code after <\"$here/fail\"\n"
                   "echo \"<b>$name</b>: starting\" >&2; echo \"$name: cannot be run\" >&2; sleep $after; exit $code; fi\n"
                   "while [ ! -e \"$here/$name.end\" ] && [ ! -e \"$here/end-all\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done\n"
                   ": >\"$here/$name.ended\"\n";
        launcher = "#!/bin/sh\nsetsid \"$(dirname \"$0\")/game\" \"$@\" &\n";
        UseRoms(folder / "roms");
        folder.Write("app/logo.gif", TestPicture("blue.gif"));
    }
    ~QtDriver() override {
        held_.kill();
        held_.waitForFinished();
        probe_.closeWriteChannel();
        probe_.waitForFinished();
        QApplication::setPalette(theme_);
    }

    void UseSetting(const std::string& section, const std::string& key, const std::string& value) override {
        settings_[section][key] = value;
        std::string conf;
        for (const auto& [name, keys] : settings_) {
            conf += "[" + name + "]\n";
            for (const auto& [k, v] : keys) conf += k + "=" + v + "\n";
        }
        folder.Write("Tarvo.conf", conf);
    }
    void Show(const std::string& commandLine, bool listRead) override {
        Close();
        instance_ = std::make_unique<SingleInstance>(folder / "");
        parts_ = std::make_unique<LinuxParts>(*instance_, folder / "Tarvo.conf");
        window_ = std::make_unique<TarvoWindow>(Host{'/', false, folder / "app/", commandLine}, parts_->MakePorts(),
                                                instance_.get());
        ASSERT_EQ(window_->Load(), frmPindle::LoadResult::Run);
        ASSERT_TRUE(WaitUntil([&] { return window_->isVisible() && !(listRead && window_->Reading()); }, 5000));
        Restore();
    }

    void Click(int row, int modifiers) override {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, QtModifiers(modifiers), RowCentre(row));
    }
    void DoubleClick(int row) override {
        const QPoint at = row < 0 ? QPoint(5, List()->viewport()->height() - 3) : RowCentre(row);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
    }
    void ClickPlay() override { QTest::mouseClick(window_->Command1(), Qt::LeftButton); }
    void DoubleClickPicture() override { QTest::mouseDClick(window_->Image1(), Qt::LeftButton); }
    void Press(Key key, int modifiers, int times) override {
        static const Qt::Key kKeys[] = {Qt::Key_Tab,    Qt::Key_Up,     Qt::Key_Down, Qt::Key_Space,
                                        Qt::Key_Return, Qt::Key_Escape, Qt::Key_F5, Qt::Key_F3};
        for (QWidget* focus = QApplication::focusWidget(); times-- > 0;) {
            QTest::keyClick(focus ? focus : window_.get(), kKeys[int(key)], QtModifiers(modifiers));
        }
    }
    double Handling(Key key) override {
        QElapsedTimer handled;
        handled.start();
        Press(key, kNone, 1);  // sent and handled at once, as a key the window is ready for
        return static_cast<double>(handled.nsecsElapsed()) / 1e6;
    }
    void Type(const std::string& letters) override {
        for (const char32_t letter : QString::fromStdString(letters).toUcs4()) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&letter, 1));
            const auto now = std::chrono::steady_clock::now().time_since_epoch();  // when it is typed, as a server stamps it
            press.setTimestamp(static_cast<quint64>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
            QApplication::sendEvent(QApplication::focusWidget(), &press);
        }
    }
    void Resize(int width, int height) override { window_->resize(width, height); }
    void Minimize() override { window_->showMinimized(); }
    void Deactivate() override {
        other_.show();
        other_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other_));
    }
    void Pad(const PadState& state, int milliseconds) override {
        static SDL_Joystick* const pad = AttachVirtualPad();
        const std::pair<SDL_GameControllerButton, bool> buttons[] = {
            {SDL_CONTROLLER_BUTTON_DPAD_UP, state.dpadUp},          {SDL_CONTROLLER_BUTTON_DPAD_DOWN, state.dpadDown},
            {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, state.leftShoulder}, {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, state.rightShoulder},
            {SDL_CONTROLLER_BUTTON_A, state.a},                     {SDL_CONTROLLER_BUTTON_START, state.start},
            {SDL_CONTROLLER_BUTTON_BACK, state.back}};
        for (const auto& [button, held] : buttons) SDL_JoystickSetVirtualButton(pad, button, held);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(state.stickY));
        // A trigger is half a joystick's axis: all the way out is -32768.
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, static_cast<Sint16>(state.leftTrigger * 2 - 32767));
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, static_cast<Sint16>(state.rightTrigger * 2 - 32767));
        WaitUntil({}, milliseconds);
    }
    void Restore() override {
        window_->showNormal();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    std::vector<std::string> Rows() override {
        EXPECT_TRUE(WaitUntil([&] { return !window_->Reading(); }, 10000)) << "the folder still unread after 10 s";
        std::vector<std::string> rows;
        for (int row = 0; row < List()->model()->rowCount(); ++row) rows.push_back(List()->model()->index(row, 0).data().toString().toStdString());
        return rows;
    }
    int Selected() override {
        return List()->selectionModel()->hasSelection() ? List()->selectionModel()->selectedIndexes().first().row() : -1;
    }
    Control Focused() override {
        for (Control c : {Control::List, Control::Play, Control::Picture}) if (QApplication::focusWidget() == Widget(c)) return c;
        return Control::Window;
    }
    std::string Text(Control control) override {
        const QString text = Widget(control) == window_.get() ? window_->windowTitle()
                             : control == Control::Play        ? window_->Command1()->text()
                                                               : QString();
        return text.toStdString();
    }
    std::string ToolTip(Control control) override { return Widget(control)->toolTip().toStdString(); }
    std::pair<double, bool> Font(Control control) override {
        return {Widget(control)->font().pointSizeF(), Widget(control)->font().bold()};
    }
    Box Rectangle(Control control) override {
        const QRect r = control == Control::Window ? window_->rect() : Widget(control)->geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    Image Grab(Control control) override {
        // What the window has painted, as the screen has it: a widget that
        // was not repainted, or not shown, shows its old pixels.
        EXPECT_TRUE(WaitUntil([&] { return window_->PictureSettled(); }, 1000)) << "a picture still unread after 1 s";
        WaitUntil({}, 20);
        QImage shown = window_->windowIcon().pixmap(64).toImage();
        if (control != Control::Icon) {
            const QWidget* widget = control == Control::List ? List()->viewport() : Widget(control);
            const QPoint at = widget->mapTo(window_.get(), QPoint(0, 0));
            shown = window_->screen()->grabWindow(window_->winId(), at.x(), at.y(), widget->width(), widget->height()).toImage();
        }
        Image image{shown.width(), shown.height(), {}};
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) image.pixels.push_back({qRed(shown.pixel(x, y)), qGreen(shown.pixel(x, y)), qBlue(shown.pixel(x, y))});
        }
        return image;
    }
    bool Minimized() override { return window_->isMinimized(); }
    bool Reading() override { return window_->Reading(); }
    bool Starting() override { return window_ && window_->Starting(); }
    bool Running(int pid) override {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string fields;
        std::getline(stat, fields);
        return !fields.empty() && fields.substr(fields.rfind(')') + 2, 1) != "Z";
    }
    int Threads() override {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
    }
    double PeakMegabytes() override {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<double>(usage.ru_maxrss) / 1024;
    }
    bool Active() override { return window_->isActiveWindow(); }
    bool Open() override { return window_->isVisible(); }

    // A screen reader's questions, asked over the AT-SPI bus by a client
    // of its own, while this process answers them.
    bool Listening() override {
        if (probe_.state() == QProcess::NotRunning && QGuiApplication::platformName() == "xcb" && QAccessible::isActive()) {
            probe_.setProcessChannelMode(QProcess::ForwardedErrorChannel);  // its complaints, in the test's log
            probe_.start(TARVO_ATSPI_PROBE, {QString::number(QCoreApplication::applicationPid())});
            WaitUntil([&] { return probe_.canReadLine(); }, 10000);
            probe_.readLine();  // "ready"
        }
        return probe_.state() == QProcess::Running;
    }
    Heard Told(int rows) override {
        WaitForTheListTold();
        const QJsonObject answer = Ask("look " + QString::number(rows)).object();
        Heard heard;
        heard.windowIsFrame = answer["window"].toString() == "frame";
        heard.listIsList = answer["list"].isString();
        heard.list = answer["list"].toString().toStdString();
        heard.count = static_cast<std::size_t>(answer["count"].toInt());
        for (const QJsonValue& row : answer["rows"].toArray()) heard.rows.push_back(row.toString().toStdString());
        heard.selected = answer["selected"].toString().toStdString();
        heard.play = answer["play"].toString().toStdString();
        heard.description = answer["description"].toString().toStdString();
        const QJsonArray picture = answer["picture"].toArray();
        if (picture.at(0).toString() == "image") heard.picture = picture.at(1).toString().toStdString();
        const QJsonArray find = answer["find"].toArray();
        heard.find = find.at(0).toString().toStdString(), heard.findCount = find.at(1).toString().toStdString();
        return heard;
    }
    Walked WalkedAsAReaderDoes() override {
        WaitForTheListTold();
        const QJsonObject answer = Ask("walk", 30000).object();
        return {static_cast<std::size_t>(answer["items"].toInt()), answer["focused"].toString().toStdString(),
                answer["states"].toString().toStdString(), answer["seconds"].toDouble()};
    }
    std::optional<Kept> ObjectsAReaderKeeps() override {
        WaitForTheListTold();
        const QJsonObject answer = Ask("kept").object();
        return Kept{static_cast<std::size_t>(answer["kept"].toInt()), static_cast<std::size_t>(answer["visible"].toInt())};
    }
    std::string FocusTold(const std::string& awaited, int milliseconds) override {
        std::string told;
        WaitUntil([&] { return (told = Ask("focus").object()["name"].toString().toStdString()) == awaited; }, milliseconds);
        Ask("mark");
        return told;
    }
    std::vector<std::string> FocusesTold() override {
        std::vector<std::string> names;
        for (const QJsonValue name : Ask("focus").object()["all"].toArray()) names.push_back(name.toString().toStdString());
        Ask("mark");
        return names;
    }
    void UseSystemColours(Colour window, Colour text) override {
        QPalette theme = QApplication::palette();
        theme.setColor(QPalette::Base, QColor(window.red, window.green, window.blue));
        theme.setColor(QPalette::Text, QColor(text.red, text.green, text.blue));
        QApplication::setPalette(theme);
    }

    std::string MessageDuring(const std::function<void()>& action) override {
        std::string seen;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const bool right = box->windowTitle() == "Tarvo" && box->icon() == QMessageBox::Warning;
                // What it shows, as a screen reader reads it: a text taken for rich text loses its tags.
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                QAccessibleInterface* shown = label ? QAccessible::queryAccessibleInterface(label) : nullptr;
                seen = (right ? "" : "wrong box: ") + (shown ? shown->text(QAccessible::Name) : box->text()).toStdString();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start(20);
        action();
        WaitUntil([&] { return !seen.empty(); }, 2000);  // a start's message comes once it has been tried
        return seen;
    }
    int SecondStart(const std::string& commandLine) override {
        QProcess second;
        Start(second, {QString::fromStdString(commandLine)});
        // The first instance's event loop keeps turning while the second talks.
        const bool ended = WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 5000);
        QTest::qWait(100);
        second.kill();
        return ended ? second.exitCode() : -1;
    }
    void StartOneHeldAtItsMessage() override {
        Close();
        Start(held_, {});
        WaitUntil([&] { return std::filesystem::exists(folder / "tarvo.socket"); }, 5000);  // claimed: it listens
    }

protected:
    bool WaitUntil(const std::function<bool()>& done, int milliseconds) override {
        for (int waited = 0; waited < milliseconds && !(done && done()); waited += 10) QTest::qWait(10);
        return done && done();
    }

private:
    QListView* List() const { return window_->List1(); }
    QWidget* Widget(Control control) const {
        QWidget* widgets[] = {window_.get(), List(), window_->Command1(), window_->Image1(), window_.get()};
        return widgets[int(control)];
    }
    QPoint RowCentre(int row) const {
        const QModelIndex index = List()->model()->index(row, 0);
        List()->scrollTo(index, QAbstractItemView::PositionAtCenter);
        return List()->visualRect(index).center();
    }
    void Close() {
        window_.reset();
        parts_.reset();
        instance_.reset();
    }
    void Start(QProcess& process, const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder / ""));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder / "config"));
        process.setProcessEnvironment(env);
        process.start(TARVO_BINARY, arguments);
    }

    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<LinuxParts> parts_;
    std::unique_ptr<TarvoWindow> window_;
    // What the window tells the bus of its rows, told to the end.
    void WaitForTheListTold() {
        for (QObject* child : List()->children()) {
            if (const auto* cache = dynamic_cast<const AtspiListCache*>(child)) WaitUntil([&] { return cache->Idle(); }, 20000);
        }
    }
    // Questions are numbered: an answer that comes after its question was
    // given up is not taken for the next question's.
    QJsonDocument Ask(const QString& command, int milliseconds = 10000) {
        const QByteArray tag = QByteArray::number(++asked_) + ' ';
        probe_.write(tag + command.toUtf8() + '\n');
        QByteArray line;
        WaitUntil(
            [&] {
                while (!line.startsWith(tag) && probe_.canReadLine()) line = probe_.readLine();
                return line.startsWith(tag);
            },
            milliseconds);
        return line.startsWith(tag) ? QJsonDocument::fromJson(line.mid(tag.size())) : QJsonDocument();
    }

    std::map<std::string, std::map<std::string, std::string>> settings_;  // of Tarvo.conf, by section
    QProcess held_;
    QProcess probe_;
    int asked_ = 0;
    const QPalette theme_ = QApplication::palette();  // as the test found it
    QWidget other_;
};

}  // namespace

std::unique_ptr<WindowDriver> MakeWindowDriver() { return std::make_unique<QtDriver>(); }

}  // namespace tarvo::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    tarvo::posix::BecomeReaperOfDescendants();  // as tarvo is
    // Real widgets without a screen, unless a display is asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session bus, libdbus (asked by SDL) would fork to start one,
    // and a fork beside the picture threads can hang under ASan: none is found.
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarvo-tests");
    QApplication app(argc, argv);
    return tarvo::FinishProcess(RUN_ALL_TESTS());
}
