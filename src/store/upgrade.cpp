#include "upgrade.h"

#include "Connection.h"
#include "dbvalue.h"
#include "schema.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const QString Source = QStringLiteral("UpgradeSchema");

// Indexes of older files that the schema's own replace.
const QStringList RetiredIndexes = {QStringLiteral("Order_Details_EndDate")};

// The name of what a schema statement creates.
QString createdName(const QString& statement) {
    static const QRegularExpression create(
        QStringLiteral(R"(^CREATE\s+(?:VIRTUAL\s+)?(?:TABLE|INDEX|TRIGGER)\s+(\w+))"));
    return create.match(statement).captured(1);
}

std::optional<QSet<QString>> namesInFile(Connection& db) {
    auto q = db.run(QStringLiteral("SELECT name FROM sqlite_master"), {}, Source);
    if (!q)
        return std::nullopt;
    QSet<QString> names;
    while (q->next())
        names.insert(readText(q->value(0)));
    return q->ok() ? std::optional(names) : std::nullopt;
}

std::optional<qint64> versionOf(Connection& db) {
    auto q = db.run(QStringLiteral("PRAGMA user_version"), {}, Source);
    if (!q || !q->next())
        return std::nullopt;
    return readCount(q->value(0));
}

// The schema's statements for what the file lacks, then the drops of what they replace.
QStringList missingStatements(const QSet<QString>& names) {
    QStringList statements;
    for (const QString& statement : schemaStatements())
        if (!names.contains(createdName(statement)))
            statements << statement;
    for (const QString& index : RetiredIndexes)
        if (names.contains(index))
            statements << QStringLiteral("DROP INDEX ") + index;
    if (!names.contains(Connection::NameIndex))
        statements
            << QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')").arg(Connection::NameIndex);
    return statements;
}

} // namespace

UpgradeResult UpgradeSchema(Connection& db) {
    TransactionGuard transaction(db);
    const std::optional<QSet<QString>> names = namesInFile(db);
    const std::optional<qint64> version = versionOf(db);
    if (!transaction.begun() || !names || !version)
        return UpgradeResult::Failed;
    const QStringList statements = missingStatements(*names);
    if (statements.isEmpty() && *version >= SchemaVersion)
        return UpgradeResult::Current;
    for (const QString& statement : statements)
        if (!db.exec(statement, {}, Source))
            return UpgradeResult::Failed;
    const bool stamped =
        db.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion), {}, Source);
    return stamped && transaction.commit() ? UpgradeResult::Upgraded : UpgradeResult::Failed;
}
