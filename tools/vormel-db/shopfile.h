#pragma once

#include "Connection.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class MessageService;

// A shop file of any name opened as the program opens its own Flicka.mdb (every check of
// OpenDatabase included): a file of another name is reached through a link of that name in a
// folder of its own, and SQLite keeps its journal beside the real file. A server address
// ("postgresql://...") opens that database instead.
class ShopFile {
public:
    // False, with `error` set, when the file is missing, the address is not one, or the
    // connection refused it.
    bool open(const QString& path, MessageService& messages, QString& error);
    Connection& db() { return *m_db; }

private:
    bool opened(const QString& path, std::unique_ptr<Connection> db, QString& error);

    QTemporaryDir m_link;
    std::unique_ptr<Connection> m_db;
};
