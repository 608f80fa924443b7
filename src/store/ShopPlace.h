#pragma once

#include <QString>

#include <optional>

class QSettings;

enum class EngineKind { Sqlite, Postgres };

// Where a shop's data is: Flicka.mdb in a folder, or a database on a PostgreSQL server.
// Passwords are never part of it; libpq finds them in ~/.pgpass or logs in by peer.
struct ShopPlace {
    EngineKind engine = EngineKind::Sqlite;
    QString folder;
    // A host name, or the folder holding the server's Unix socket; empty for libpq's default.
    QString host;
    int port = 5432;
    QString name;
    QString user;

    static ShopPlace inFolder(const QString& folder);
    // "postgresql://user@host:port/dbname" or "postgresql://user@/dbname?host=/socket/folder";
    // none, with the reason in `error`, for anything else.
    static std::optional<ShopPlace> fromAddress(const QString& address, QString& error);
    static bool isAddress(const QString& text);
    // The settings group Database; the file of `folder` when it names no server.
    static std::optional<ShopPlace> fromSettings(QSettings& settings, const QString& folder,
                                                 QString& error);

    bool onServer() const { return engine == EngineKind::Postgres; }
    // The address in libpq's URI form; for the file engine, the file's path.
    QString address() const;
    // For the clerk: the engine and where its data is.
    QString describe() const;
};
