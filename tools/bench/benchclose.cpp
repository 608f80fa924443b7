#include "benchclose.h"

#include "Connection.h"
#include "ConsoleMessages.h"
#include "compaction.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

// At the end of a day the clerk waits for the close to finish before going home.
constexpr double CloseMs = 5000;
constexpr int CloseRuns = 3;

struct ScratchShop {
    QTemporaryDir folder;
    ConsoleMessages messages;
    std::unique_ptr<Connection> db;
};

} // namespace

QList<BenchCase> closeCases(const QString& path, QString& error) {
    auto shop = std::make_shared<ScratchShop>();
    const QString live = shop->folder.filePath(Connection::LiveFile);
    if (!shop->folder.isValid() || !QFile::copy(path, live)) {
        error = path + QStringLiteral(": cannot copy it to ") + live;
        return {};
    }
    shop->db = std::make_unique<Connection>(shop->messages, shop->folder.path());
    if (!shop->db->OpenDatabase()) {
        error = live + QStringLiteral(": cannot open it");
        return {};
    }
    return {{QStringLiteral("close: compact and back up"), CloseMs,
             [shop] { return CompactAndBackup(*shop->db); }, CloseRuns}};
}
