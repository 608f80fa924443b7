#pragma once

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Looks at the files of a shop folder from outside the program.

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every name in the folder, sorted.
inline QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Runs a statement on a database file through a connection of its own, as another program
// would: the first value it gives as text, empty text when it gives none, null when it fails.
inline QString onOwnConnection(const QString& path, const QString& sql) {
    const QString name = QStringLiteral("own-connection");
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QSqlQuery q(db);
        if (db.open() && q.exec(sql))
            value = q.next() ? q.value(0).toString() : QStringLiteral("");
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}
