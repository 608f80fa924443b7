#pragma once

#include <QApplication>
#include <QString>

// The names the settings store, the window titles and the desktop know the program by; set by
// every program with windows (VORMEL_VERSION comes from the build).
inline void nameApplication() {
    QApplication::setApplicationName(QStringLiteral("Vormel"));
    QApplication::setOrganizationName(QStringLiteral("Vormel"));
    QApplication::setApplicationVersion(QStringLiteral(VORMEL_VERSION));
    // Ties the windows to the menu entry on desktops that match them by it.
    QApplication::setDesktopFileName(QStringLiteral("org.vormel.Vormel"));
}
