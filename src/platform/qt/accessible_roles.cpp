#include "accessible_roles.h"

#include <QAccessibleWidget>
#include <QWidget>

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

// Screen readers are told on the window's thread alone: the line needs no lock.
void WithoutCaretAsFocusComes(QAccessibleEvent* event) {
    // Nor, before it, where the caret of a line without the focus is (cleared, shown).
    const auto* line = qobject_cast<const QWidget*>(event->object());
    if (event->type() == QAccessible::TextCaretMoved && line && (line == g_takingFocus || !line->hasFocus())) return;
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
