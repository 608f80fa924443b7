#pragma once

#include <QSettings>
#include <QTemporaryDir>

// A settings store in a temporary file, so tests never touch the user's own.
struct TestSettings {
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("vormel.ini")), QSettings::IniFormat};
};
