#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class Connection;
class MessageService;

// What goes into a new working file besides the schema and the base rows.
struct WorkingFileSpec {
    // Stamps the base rows.
    QDateTime created;
    // Stored in ShopInfo when not empty.
    QString shopName;
    // More rows, e.g. the demo shop; false abandons the file.
    std::function<bool(Connection&)> fill;
};

// Makes a complete working database file at `path`. It is built under a temporary name in
// the same folder and moved into place only when complete, never over an existing file (not
// even one that appeared meanwhile). On failure nothing is left behind and `error` says why;
// "PATH already exists" when the path was taken. Database errors also go to `messages`.
bool createWorkingFile(const QString& path, const WorkingFileSpec& spec, MessageService& messages,
                       QString& error);
