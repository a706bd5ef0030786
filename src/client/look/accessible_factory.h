#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

// Makes Qt build an Interface (a QAccessibleInterface taking a Widget*) for
// every Widget a screen reader asks about. Installed once per pair.
template <typename Widget, typename Interface> void provideAccessibleInterface() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                if (className != QLatin1String(Widget::staticMetaObject.className()))
                    return nullptr;
                return new Interface(static_cast<Widget*>(object));
            });
        return true;
    }();
    Q_UNUSED(installed);
}
