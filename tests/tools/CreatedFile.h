#pragma once

#include "Connection.h"
#include "ScriptedMessages.h"
#include "dbfile.h"

#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

#include <memory>

// A working file made by createWorkingFile as Flicka.mdb in a temporary folder, then opened
// the way the program opens it, with every box recorded.
class CreatedFile {
public:
    explicit CreatedFile(const WorkingFileSpec& spec) {
        created = createWorkingFile(path(), spec, messages, error);
        if (created) {
            db = std::make_unique<Connection>(messages, dir.path());
            opened = db->OpenDatabase();
        }
    }

    QString path() const { return dir.filePath(Connection::LiveFile); }

    QVariant scalar(const QString& sql, const QVariantList& values = {}) {
        auto q = db->run(sql, values, QStringLiteral("test"));
        return q && q->next() ? q->value(0) : QVariant();
    }
    qint64 count(const QString& sql, const QVariantList& values = {}) {
        return scalar(sql, values).toLongLong();
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    std::unique_ptr<Connection> db;
    QString error;
    bool created = false;
    bool opened = false;
};
