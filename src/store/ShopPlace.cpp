#include "ShopPlace.h"

#include "Connection.h"

#include <QDir>
#include <QSettings>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString Scheme = QStringLiteral("postgresql");
const QString ShortScheme = QStringLiteral("postgres");

} // namespace

ShopPlace ShopPlace::inFolder(const QString& folder) {
    ShopPlace place;
    place.folder = folder;
    return place;
}

bool ShopPlace::isAddress(const QString& text) {
    return text.startsWith(Scheme + QStringLiteral("://")) ||
           text.startsWith(ShortScheme + QStringLiteral("://"));
}

std::optional<ShopPlace> ShopPlace::fromAddress(const QString& address, QString& error) {
    const QUrl url(address, QUrl::StrictMode);
    ShopPlace place;
    place.engine = EngineKind::Postgres;
    place.name = url.path().mid(1);
    if (!url.isValid() || !isAddress(address) || place.name.isEmpty() ||
        place.name.contains(QLatin1Char('/'))) {
        error = address + QStringLiteral(" is not a server address of the form "
                                         "postgresql://user@host:port/dbname");
        return std::nullopt;
    }
    if (!url.password().isEmpty()) {
        error = QStringLiteral("A server address never holds a password; put it in ~/.pgpass");
        return std::nullopt;
    }
    place.user = url.userName();
    place.port = url.port(5432);
    place.host = url.host();
    const QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("host")))
        place.host = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    return place;
}

std::optional<ShopPlace> ShopPlace::fromSettings(QSettings& settings, const QString& folder,
                                                 QString& error) {
    settings.beginGroup(QStringLiteral("Database"));
    const QString engine = settings.value(QStringLiteral("Engine"), QStringLiteral("sqlite"))
                               .toString()
                               .trimmed()
                               .toLower();
    ShopPlace place = inFolder(folder);
    if (engine == Scheme) {
        place.engine = EngineKind::Postgres;
        place.host = settings.value(QStringLiteral("Host")).toString();
        place.port = settings.value(QStringLiteral("Port"), 5432).toInt();
        place.name = settings.value(QStringLiteral("Name")).toString();
        place.user = settings.value(QStringLiteral("User")).toString();
    }
    settings.endGroup();
    if (engine != QLatin1String("sqlite") && engine != Scheme) {
        error = QStringLiteral("Unknown database engine \"%1\" in the settings; "
                               "use sqlite or postgresql")
                    .arg(engine);
        return std::nullopt;
    }
    if (place.onServer() && place.name.isEmpty()) {
        error = QStringLiteral("The settings name no database on the shop server (Database/Name)");
        return std::nullopt;
    }
    return place;
}

QString ShopPlace::address() const {
    if (!onServer())
        return QDir::toNativeSeparators(QDir(folder).absoluteFilePath(Connection::LiveFile));
    const auto encoded = [](const QString& text, const char* keep = "") {
        return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
    };
    const bool socket = host.startsWith(QLatin1Char('/'));
    QString text = Scheme + QStringLiteral("://");
    if (!user.isEmpty())
        text += encoded(user) + QLatin1Char('@');
    if (!socket)
        text += host;
    if (port != 5432)
        text += QLatin1Char(':') + QString::number(port);
    text += QLatin1Char('/') + encoded(name);
    if (socket)
        text += QStringLiteral("?host=") + encoded(host, "/");
    return text;
}

QString ShopPlace::describe() const {
    if (!onServer())
        return QStringLiteral("SQLite file %1").arg(address());
    return QStringLiteral("PostgreSQL database %1 on %2, port %3, as %4")
        .arg(name, host.isEmpty() ? QStringLiteral("this machine") : host)
        .arg(port)
        .arg(user.isEmpty() ? QStringLiteral("the login user") : user);
}
