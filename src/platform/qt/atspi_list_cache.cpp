#include "atspi_list_cache.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QScrollBar>
#include <algorithm>
#include <limits>

#include "atspi_bridge.h"

namespace tarvo {

namespace {

using atspi::Bus, atspi::kPrefix, atspi::kRoot, atspi::PathOf, atspi::Reference;

// AT-SPI's numbers (atspi-constants.h).
enum : unsigned { kRoleList = 31, kRoleListItem = 32 };
enum : unsigned {
    kActive = 1, kChecked = 4, kEnabled = 8, kFocusable = 11, kFocused = 12, kMultiselectable = 18,
    kSelectable = 22, kSelected = 23, kSensitive = 24, kShowing = 25, kVisible = 30
};

// The states the bridge answers GetState with, less "transient" (rows) and
// "manages descendants" (the list): what libatspi may keep.
QList<uint> States(QAccessibleInterface* object) {
    const QAccessible::State state = object->state();
    quint64 bits = 0;
    auto set = [&bits](unsigned bit, bool on) { bits |= quint64(on) << bit; };
    set(kActive, state.active);
    set(kEnabled, !state.disabled);
    set(kSensitive, !state.disabled);
    set(kSelected, state.selected);
    set(kFocused, state.focused);
    set(kChecked, state.checked);
    set(kShowing, !state.invisible && !state.offscreen);
    set(kVisible, !state.invisible && !state.offscreen);
    set(kFocusable, state.focusable);
    set(kSelectable, state.selectable || state.extSelectable);
    set(kMultiselectable, state.multiSelectable);
    return {uint(bits & 0xFFFFFFFFu), uint(bits >> 32)};
}

// What the bridge answers GetInterfaces with, for a list and its rows.
QStringList Interfaces(QAccessibleInterface* object) {
    QStringList names{QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("org.a11y.atspi.Component")};
    if (object->actionInterface() || object->valueInterface()) names << QStringLiteral("org.a11y.atspi.Action");
    if (object->textInterface()) names << QStringLiteral("org.a11y.atspi.Text");
    if (object->tableInterface()) names << QStringLiteral("org.a11y.atspi.Table");
    return names;
}

}  // namespace

AtspiListCache* AtspiListCache::Attach(QAbstractItemView* view) {
    if (qEnvironmentVariable("TARVO_ATSPI_CACHE") == QLatin1String("off")) return nullptr;
    return new AtspiListCache(view);
}

void AtspiListCache::ListChanged() {
    QAccessibleInterface* list = List();
    QAccessibleInterface* window = list ? list->parent() : nullptr;
    if (list && next_ != 0) SendItem(list, window, window ? window->indexOfChild(list) : -1, true);
}

AtspiListCache::AtspiListCache(QAbstractItemView* view) : QObject(view), view_(view) {
    batch_.setSingleShot(true);
    connect(&batch_, &QTimer::timeout, this, [this] { Step(); });
    view->installEventFilter(this);
    settle_.setSingleShot(true);
    settle_.setInterval(150);
    connect(&settle_, &QTimer::timeout, this, [this] { AnnounceVisible(); });
    touched_.setSingleShot(true);
    touched_.setInterval(500);
    connect(&touched_, &QTimer::timeout, this, [this] { AnnounceTouched(); });
    listener_.setSingleShot(true);
    listener_.setInterval(1000);
    connect(&listener_, &QTimer::timeout, this, [this] { AnnounceAll(); });

    forget_.setSingleShot(true);
    connect(&forget_, &QTimer::timeout, this, [this] { StepForgetting(); });

    const QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ForgetRows(); });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { ForgetRows(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { AnnounceAll(); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { AnnounceAll(); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { AnnounceAll(); });
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, &settle_, qOverload<>(&QTimer::start));
    // Before the view tells of the current row's focus: the selection
    // moves first.
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { TellTheRest(); });
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (current.isValid()) touchedRows_.insert(current.row());
                if (previous.isValid()) touchedRows_.insert(previous.row());
                touched_.start();
            });
}

QAccessibleInterface* AtspiListCache::List() const {
    if (!view_ || check_ != Check::Passed || !QAccessible::isActive()) return nullptr;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
    return list && list->tableInterface() ? list : nullptr;
}

void AtspiListCache::AnnounceAll() {
    next_ = 0;
    batch_.start(0);
}

bool AtspiListCache::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) TellTheRest();
    return QObject::eventFilter(watched, event);
}

void AtspiListCache::TellTheRest() {
    if (next_ < 0) return;
    batch_.stop();
    Step(std::numeric_limits<int>::max());
}

void AtspiListCache::Step(int rows) {
    if (!view_ || next_ < 0 || check_ == Check::Failed || check_ == Check::Asked) return;
    // The bridge connects once the session bus has told it where the
    // accessibility bus is: a fill before that waits for it, a while.
    if (!QAccessible::isActive() || !Bus().isConnected()) {
        if (++waits_ <= 50) batch_.start(200);
        return;
    }
    if (check_ == Check::NotYet) return CheckPaths();  // Step again once it has passed
    if (!listening_) {
        // A client that starts after the list was told finds Qt's GetItems
        // empty; it registers its event listeners with the registry as it
        // starts (as Orca does when it begins to watch a new kind of event).
        listening_ = Bus().connect(QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
                                   QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("EventListenerRegistered"),
                                   &listener_, SLOT(start()));
    }
    QAccessibleInterface* list = List();
    if (!list) return;
    QAccessibleTableInterface* table = list->tableInterface();
    QAccessibleInterface* window = list->parent();
    if (next_ == 0 && !SendItem(list, window, window ? window->indexOfChild(list) : -1, true)) return;
    const int end = next_ + std::min(table->rowCount() - next_, rows);
    for (int row = next_; row < end; ++row) {
        if (QAccessibleInterface* cell = table->cellAt(row, 0)) SendItem(cell, list, row, false);
    }
    next_ = end < table->rowCount() ? end : -1;
    if (next_ >= 0) batch_.start(0);
}

void AtspiListCache::CheckPaths() {
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
    if (!list) return;
    check_ = Check::Asked;
    QDBusConnection bus = Bus();
    QDBusMessage ask = QDBusMessage::createMethodCall(bus.baseService(), PathOf(list),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.a11y.atspi.Accessible") << QStringLiteral("Name");
    QDBusMessage role = QDBusMessage::createMethodCall(bus.baseService(), PathOf(list),
                                                       QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetRole"));
    // Answered by the bridge on this very thread, once the event loop turns.
    auto* name = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    auto* kind = new QDBusPendingCallWatcher(bus.asyncCall(role), this);
    auto decide = [this, name, kind, expected = list->text(QAccessible::Name)] {
        if (!name->isFinished() || !kind->isFinished()) return;
        const QList<QVariant> said = name->reply().arguments(), is = kind->reply().arguments();
        const bool right = !said.isEmpty() && !is.isEmpty() &&
                           qvariant_cast<QDBusVariant>(said.first()).variant().toString() == expected &&
                           is.first().toUInt() == kRoleList;
        name->deleteLater();
        kind->deleteLater();
        check_ = right ? Check::Passed : Check::Failed;
        if (right) Step();
    };
    connect(name, &QDBusPendingCallWatcher::finished, this, decide);
    connect(kind, &QDBusPendingCallWatcher::finished, this, decide);
}

void AtspiListCache::AnnounceVisible() {
    QAccessibleInterface* list = List();
    if (!list || next_ >= 0) return;  // a whole telling under way tells these too
    const int rows = list->tableInterface()->rowCount();
    if (rows == 0) return;
    const QModelIndex top = view_->indexAt(QPoint(1, 1));
    const QModelIndex bottom = view_->indexAt(QPoint(1, view_->viewport()->height() - 2));
    const int first = top.isValid() ? top.row() : 0;
    const int last = bottom.isValid() ? bottom.row() : rows - 1;
    // The rows that left the view and the rows now in it: their "showing".
    for (const auto& [from, to] : {std::pair{firstShown_, lastShown_}, std::pair{first, last}}) {
        for (int row = std::max(0, from); row <= to && row < rows; ++row) {
            if (QAccessibleInterface* cell = list->tableInterface()->cellAt(row, 0)) SendItem(cell, list, row, false);
        }
    }
    firstShown_ = first;
    lastShown_ = last;
}

void AtspiListCache::AnnounceTouched() {
    std::set<int> rows;
    rows.swap(touchedRows_);
    QAccessibleInterface* list = List();
    if (!list || next_ >= 0) return;
    for (const int row : rows) {
        if (row >= list->tableInterface()->rowCount()) break;
        if (QAccessibleInterface* cell = list->tableInterface()->cellAt(row, 0)) SendItem(cell, list, row, false);
    }
}

void AtspiListCache::ForgetRows() {
    gone_.insert(gone_.end(), told_.begin(), told_.end());
    told_.clear();
    if (!gone_.empty()) forget_.start(0);
}

void AtspiListCache::StepForgetting() {
    QDBusConnection bus = Bus();
    const std::size_t count = std::min<std::size_t>(gone_.size(), kSlice);
    for (std::size_t i = gone_.size() - count; i < gone_.size(); ++i) {
        if (told_.count(gone_[i]) || !bus.isConnected()) continue;  // told again meanwhile: a row still there
        QDBusArgument gone;
        Reference(gone, bus.baseService(), QString::fromLatin1(kPrefix) + QString::number(gone_[i]));
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/a11y/atspi/cache"),
                                                         QStringLiteral("org.a11y.atspi.Cache"), QStringLiteral("RemoveAccessible"));
        signal << QVariant::fromValue(gone);
        bus.send(signal);
    }
    gone_.resize(gone_.size() - count);
    if (!gone_.empty()) forget_.start(0);
}

bool AtspiListCache::SendItem(QAccessibleInterface* item, QAccessibleInterface* parent, int index, bool isList) {
    QDBusConnection bus = Bus();
    if (!bus.isConnected()) return false;
    if (!isList) told_.insert(QAccessible::uniqueId(item));
    const QString service = bus.baseService();
    QDBusArgument told;
    told.beginStructure();
    Reference(told, service, PathOf(item));
    Reference(told, service, QString::fromLatin1(kRoot));
    Reference(told, service, PathOf(parent));
    told << index << (isList ? item->childCount() : 0) << Interfaces(item) << item->text(QAccessible::Name)
          << uint(isList ? kRoleList : kRoleListItem) << item->text(QAccessible::Description) << States(item);
    told.endStructure();
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/a11y/atspi/cache"), QStringLiteral("org.a11y.atspi.Cache"),
                                                     QStringLiteral("AddAccessible"));
    signal << QVariant::fromValue(told);
    return bus.send(signal);
}

}  // namespace tarvo
