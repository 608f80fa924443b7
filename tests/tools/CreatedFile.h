#pragma once

#include "Connection.h"
#include "ScriptedMessages.h"
#include "dbfile.h"
#include "generate.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A working file made by createWorkingFile, or a copy of one, as Flicka.mdb in a temporary
// folder, then opened the way the program opens it, with every box recorded.
class CreatedFile {
public:
    explicit CreatedFile(const WorkingFileSpec& spec) {
        open(createWorkingFile(path(), spec, messages, error));
    }
    explicit CreatedFile(const QString& file) { open(QFile::copy(file, path())); }

    QString path() const { return dir.filePath(Connection::LiveFile); }
    // The number of rows of "SELECT count(*) FROM " + `from`.
    qint64 count(const QString& from, const QVariantList& values = {}) {
        auto q = db->run(QStringLiteral("SELECT count(*) FROM ") + from, values, "test");
        return q && q->next() ? q->value(0).toLongLong() : -1;
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    std::unique_ptr<Connection> db;
    QString error;
    bool created = false;
    bool opened = false;

private:
    void open(bool made) {
        created = made;
        db = std::make_unique<Connection>(messages, dir.path());
        opened = created && db->OpenDatabase();
    }
};

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline WorkingFileSpec generatedSpec(const GenerateOptions& options, shop::RowCounts& written) {
    return WorkingFileSpec{options.created(), {}, [options, &written](Connection& db) {
                               return addGeneratedShop(db, options, written);
                           }};
}
