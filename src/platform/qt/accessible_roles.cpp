#include "accessible_roles.h"

#include <QAccessibleWidget>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QWidget>

#include "atspi_bridge.h"
#include "picture_view.h"
#include "tarvo_window.h"

namespace tarvo {

namespace {

QAccessibleInterface* TarvoRoles(const QString&, QObject* object) {
    if (auto* window = dynamic_cast<TarvoWindow*>(object)) return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* picture = dynamic_cast<PictureView*>(object)) return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

const QObject* g_takingFocus = nullptr;  // a line edit being given the focus

// Qt 6.4's bridge tells a new description with the object where AT-SPI
// carries the text, and Orca then says nothing of it ("bad content sent to
// speak()"): the find line's count would go unheard. Told here as text, on
// the bridge's own connection, as the bridge tells a new name.
bool ToldDescription(QAccessibleEvent* event) {
    QAccessibleInterface* object = event->accessibleInterface();
    QDBusConnection bus = atspi::Bus();
    if (event->type() != QAccessible::DescriptionChanged || !object || !bus.isConnected()) return false;
    QDBusArgument application;
    atspi::Reference(application, bus.baseService(), QString::fromLatin1(atspi::kRoot));
    QDBusMessage signal = QDBusMessage::createSignal(atspi::PathOf(object), QStringLiteral("org.a11y.atspi.Event.Object"),
                                                     QStringLiteral("PropertyChange"));
    signal << QStringLiteral("accessible-description") << 0 << 0
           << QVariant::fromValue(QDBusVariant(object->text(QAccessible::Description))) << QVariant::fromValue(application);
    return bus.send(signal);
}

// Screen readers are told on the window's thread alone: the line needs no lock.
void WithoutCaretAsFocusComes(QAccessibleEvent* event) {
    // Nor, before it, where the caret of a line without the focus is (cleared, shown).
    const auto* line = qobject_cast<const QWidget*>(event->object());
    if (event->type() == QAccessible::TextCaretMoved && line && (line == g_takingFocus || !line->hasFocus())) return;
    if (ToldDescription(event)) return;
    QAccessible::installUpdateHandler(nullptr);  // to the platform's bridge, as without a handler
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(WithoutCaretAsFocusComes);
}

}  // namespace

FocusWithoutCaret::FocusWithoutCaret(const QObject* line) { g_takingFocus = line; }
FocusWithoutCaret::~FocusWithoutCaret() { g_takingFocus = nullptr; }

void InstallAccessibleRoles() {
    static const bool installed =
        (QAccessible::installFactory(TarvoRoles), QAccessible::installUpdateHandler(WithoutCaretAsFocusComes), true);
    (void)installed;
}

}  // namespace tarvo
