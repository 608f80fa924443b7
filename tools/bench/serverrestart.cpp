#include "serverrestart.h"

#include "ShopPlace.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>

#include <unistd.h>

namespace {

// The newest installed server's pg_ctl; empty when there is none.
QString pgCtl() {
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), numeric);
    for (auto v = versions.crbegin(); v != versions.crend(); ++v) {
        const QString tool = QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(*v);
        if (QFileInfo(tool).isExecutable())
            return tool;
    }
    return {};
}

} // namespace

bool restartServer(const QString& place, QString& error) {
    const std::optional<ShopPlace> server = ShopPlace::fromAddress(place, error);
    if (!server)
        return false;
    const QString data = server->host;
    if (!QFileInfo::exists(data + QStringLiteral("/PG_VERSION"))) {
        error = QStringLiteral("%1 is no cluster's data folder: only a throwaway cluster whose "
                               "socket lives in its data folder can be restarted")
                    .arg(data);
        return false;
    }
    const QString tool = pgCtl();
    if (tool.isEmpty()) {
        error = QStringLiteral("PostgreSQL's pg_ctl is not installed");
        return false;
    }
    QString program = tool;
    QStringList args = {QStringLiteral("-D"),   data,
                        QStringLiteral("-l"),   data + QStringLiteral("/server.log"),
                        QStringLiteral("-w"),   QStringLiteral("-m"),
                        QStringLiteral("fast"), QStringLiteral("restart")};
    // The server refuses to run as root; the cluster belongs to postgres then.
    if (geteuid() == 0) {
        args.prepend(tool);
        args = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
               args;
        program = QStringLiteral("runuser");
    }
    QProcess ctl;
    ctl.setProcessChannelMode(QProcess::MergedChannels);
    ctl.start(program, args);
    if (!ctl.waitForFinished(120000) || ctl.exitStatus() != QProcess::NormalExit ||
        ctl.exitCode() != 0) {
        error = QStringLiteral("pg_ctl restart failed: ") + QString::fromLocal8Bit(ctl.readAll());
        return false;
    }
    return true;
}
