#pragma once
// How Qt's AT-SPI bridge names its connection and its objects (Qt 5 and 6
// alike; no API promises it), for what Tarvo tells screen readers itself.

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QString>

namespace tarvo::atspi {

inline const char kPrefix[] = "/org/a11y/atspi/accessible/";
inline const char kRoot[] = "/org/a11y/atspi/accessible/root";
inline const char kNull[] = "/org/a11y/atspi/null";

// The bridge's own connection to the accessibility bus.
inline QDBusConnection Bus() { return QDBusConnection(QStringLiteral("a11y")); }

inline QString PathOf(QAccessibleInterface* object) {
    if (!object || !object->isValid()) return QString::fromLatin1(kNull);
    if (object->role() == QAccessible::Application) return QString::fromLatin1(kRoot);
    return QString::fromLatin1(kPrefix) + QString::number(QAccessible::uniqueId(object));
}

// An object as AT-SPI refers to one: its connection's name and its path.
inline void Reference(QDBusArgument& argument, const QString& service, const QString& path) {
    argument.beginStructure();
    argument << service << QDBusObjectPath(path);
    argument.endStructure();
}

}  // namespace tarvo::atspi
