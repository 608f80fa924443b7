#include "shopfile.h"

#include <QFile>
#include <QFileInfo>

bool ShopFile::open(const QString& path, MessageService& messages, QString& error) {
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
    m_db = std::make_unique<Connection>(messages, folder);
    if (m_db->OpenDatabase())
        return true;
    error = path + QStringLiteral(": cannot open it");
    return false;
}
