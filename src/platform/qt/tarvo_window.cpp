#include "tarvo_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include "accessible_roles.h"
#include "key_bindings.h"
#include "single_instance.h"
#include "ui/design.h"
#include "ui/list_colours.h"
#include "ui/pixels.h"

// The icon is a resource of a static library: nothing refers to it, so it is
// registered by hand.
static void LinkResources() { Q_INIT_RESOURCE(resources); }

namespace tarvo {

namespace {

QFont DesignFont(double points, bool bold) {
    QFont font;
    // The classic face where it exists, else a plain sans-serif of the size.
    font.setFamilies({design::kListFont, "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor FromRgb(unsigned rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

TarvoWindow::TarvoWindow(const Host& host, const Ports& ports, SingleInstance* instance) {
    LinkResources();
    InstallAccessibleRoles();
    setWindowIcon(QIcon(":/tarvo/tarvo.ico"));
    SetCaption(design::kCaption);
    CreateWidgets();
    form_ = std::make_unique<frmPindle>(host, ports, FormControls{*this, *list1_, *command1_, *image1_, pads_, *find_});

    const double tpp = TwipsPlacement::TwipsPerPixel(this);
    resize(TwipsToPixels(design::kClientWidth, tpp), TwipsToPixels(design::kClientHeight, tpp));

    list1_->OnClick([this] { form_->List1_Click(); });
    list_->OnDoubleClick([this](int row) { form_->list1_DblClick(row); });
    connect(play_, &QPushButton::clicked, this, [this] { form_->Command1_Click(); });
    picture_->OnDoubleClick([this] { form_->Image1_DblClick(); });
    connect(findLine_, &QLineEdit::textChanged, this, [this](const QString& text) { form_->Find_Change(text.toStdString()); });
    if (instance) {
        instance->OnCaption([this](const std::string& caption, const std::string& token) { form_->Form_AnotherStart(caption, token); });
    }
    qApp->installEventFilter(this);
}

TarvoWindow::~TarvoWindow() { qApp->removeEventFilter(this); }

void TarvoWindow::CreateWidgets() {
    list_ = new RomListView(this);
    model_ = new NamesModel(list_);
    list_->setModel(model_);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setUniformItemSizes(true);
    list_->setFont(DesignFont(design::kListFontPoints, false));
    list_->setAccessibleName(QString::fromUtf8(design::kListName));
    ApplyListColours();
    list1_ = std::make_unique<QtListBox>(list_, model_, design::kList1);

    play_ = new PlayButton(QString::fromUtf8(design::kPlayCaption), this);
    play_->setFont(DesignFont(design::kPlayFontPoints, true));
    play_->setDefault(true);
    command1_ = std::make_unique<QtButton>(play_, design::kCommand1);

    picture_ = new PictureView(this);
    image1_ = std::make_unique<QtPicture>(picture_, design::kImage1);

    findLine_ = new QLineEdit(this);
    findLine_->setFont(DesignFont(design::kListFontPoints, false));
    findLine_->setAccessibleName(QString::fromUtf8(design::kFindName));
    findLine_->setPlaceholderText(QString::fromUtf8(design::kFindName));
    findLine_->hide();
    find_ = std::make_unique<QtFindLine>(findLine_, Rect{design::kList1.left, design::kList1.top, design::kList1.width, design::kFindHeight});

    setTabOrder(play_, list_);
    play_->setFocus();
}

void TarvoWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    setWindowTitle(QString::fromStdString(caption));
}

float TarvoWindow::ClientWidth() const {
    return static_cast<float>(width() * TwipsPlacement::TwipsPerPixel(this));
}

float TarvoWindow::ClientHeight() const {
    return static_cast<float>(height() * TwipsPlacement::TwipsPerPixel(this));
}

void TarvoWindow::Show(bool fillScreen) {
    fillsScreen_ = fillScreen;
    if (fillScreen) {
        setGeometry(screen()->geometry());  // where no window manager makes it so
        showFullScreen();
    } else {
        show();
    }
}

void TarvoWindow::Restore(const std::string& activationToken) {
    if (fillsScreen_) {
        showFullScreen();
    } else {
        showNormal();
    }
    raise();
    // A Wayland compositor gives the focus for a token of a start the
    // player made; Qt takes it from the environment. No game inherits it.
    if (!activationToken.empty()) qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(activationToken));
    activateWindow();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    list_->TellSelectedRow();
}

void TarvoWindow::ShowMessage(const std::string& text) {
    // Over the window once it is up; before that, on its own.
    QMessageBox box(QMessageBox::Warning, design::kTitle, QString::fromStdString(text), QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.setTextFormat(Qt::PlainText);  // a game's words quoted, never taken for markup
    box.exec();
}

void TarvoWindow::StartTimer(FormTimer timer, int milliseconds) {
    std::unique_ptr<QTimer>& qtimer = timers_[timer];
    if (!qtimer) {
        qtimer = std::make_unique<QTimer>();
        qtimer->setSingleShot(true);
        connect(qtimer.get(), &QTimer::timeout, this, [this, timer] { form_->Form_Timer(timer); });
    }
    qtimer->start(milliseconds);
}

void TarvoWindow::ApplyListColours() {
    const QPalette system = QApplication::palette();
    const ListColours colours = ListColoursFor(system.color(QPalette::Base).rgb() & 0xFFFFFF,
                                               system.color(QPalette::Text).rgb() & 0xFFFFFF, false);
    QPalette list = list_->palette();
    list.setColor(QPalette::Base, FromRgb(colours.background));
    list.setColor(QPalette::Text, FromRgb(colours.text));
    list_->setPalette(list);
}

void TarvoWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) ApplyListColours();  // a theme changed
    if (event->type() != QEvent::ActivationChange && event->type() != QEvent::WindowStateChange) return;
    if (isActiveWindow()) {
        form_->Form_Activate();
    } else {
        form_->Form_Deactivate();
    }
}

void TarvoWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    form_->Form_Resize();
}

bool TarvoWindow::OwnsFocus(QObject* watched) const {
    // A key event travels up from the focused widget; act on its first stop.
    QWidget* focus = QApplication::focusWidget();
    return focus ? (watched == focus && isAncestorOf(focus)) : watched == this;
}

bool TarvoWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !OwnsFocus(watched)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // In the find line the list's keys move the list's selection; what the
    // window does not take, the focused control gets (Esc after unloading).
    if (const Key core = CoreKey(*key); core != Key::Other) {
        return (watched == findLine_ && form_->Find_KeyDown(core)) || form_->Form_KeyDown(core);
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Play is the default button: Enter starts wherever the focus is.
        play_->click();
        return true;
    }
    // Characters typed in the list find rows; with Ctrl or Alt a key is a command.
    if (watched != list_ || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
    bool typed = false;
    for (const char32_t character : key->text().toUcs4()) {  // whole characters, beyond 16 bits too
        typed = form_->List1_KeyPress(character, static_cast<std::int64_t>(key->timestamp())) || typed;
    }
    return typed;  // Tab still moves on
}

}  // namespace tarvo
