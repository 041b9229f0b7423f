#include "accessible_roles.h"

#include <QAccessibleWidget>

#include "picture_view.h"
#include "tarvo_window.h"

namespace tarvo {

namespace {

QAccessibleInterface* TarvoRoles(const QString&, QObject* object) {
    if (auto* window = dynamic_cast<TarvoWindow*>(object)) return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* picture = dynamic_cast<PictureView*>(object)) return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
    static const bool installed = (QAccessible::installFactory(TarvoRoles), true);
    (void)installed;
}

}  // namespace tarvo
