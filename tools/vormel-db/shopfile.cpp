#include "shopfile.h"

#include <QFile>
#include <QFileInfo>

bool ShopFile::open(const QString& path, MessageService& messages, QString& error) {
    if (ShopPlace::isAddress(path)) {
        const std::optional<ShopPlace> place = ShopPlace::fromAddress(path, error);
        return place && opened(path, std::make_unique<Connection>(messages, *place), error);
    }
    const QFileInfo file(path);
    if (!file.isFile()) {
        error = path + QStringLiteral(": no such file");
        return false;
    }
    QString folder = file.absolutePath();
    if (file.fileName() != Connection::LiveFile) {
        folder = m_link.path();
        if (!m_link.isValid() ||
            !QFile::link(file.absoluteFilePath(), m_link.filePath(Connection::LiveFile))) {
            error = path + QStringLiteral(": cannot link it as ") + Connection::LiveFile;
            return false;
        }
    }
    return opened(path, std::make_unique<Connection>(messages, folder), error);
}

bool ShopFile::opened(const QString& path, std::unique_ptr<Connection> db, QString& error) {
    m_db = std::move(db);
    if (m_db->OpenDatabase())
        return true;
    error = path + QStringLiteral(": cannot open it");
    return false;
}
