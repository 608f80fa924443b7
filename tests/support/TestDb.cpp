#include "TestDb.h"

#include "schema.h"

#include <QSqlQuery>

namespace {

const char* const SeedRows[] = {
    "INSERT INTO ItemStatus (ID, Name) VALUES ('0', 'Available'), ('1', 'Rented'), "
    "('2', 'Damaged'), ('3', 'Sold'), ('4', 'Rate Code')",
    "INSERT INTO PaymentType (ID, Name) VALUES ('0', 'Rent'), ('1', 'Late Charge'), "
    "('2', 'Renewal'), ('3', 'Free Rental')",
    "INSERT INTO OpCode (ModDate, ID, AddItem, FreeItem, DeleteItem, EditItem, ReturnItem, "
    "RenewItemCash, RenewItemArrears, BadItem, SalesItem) VALUES ('2004-01-01 00:00:00', '1', "
    "'A', 'F', 'D', 'E', 'R', 'RR', 'RR*', 'B', 'S')",
    "INSERT INTO SerialNo (OrderIdx, OrderID, ProductID, AdjustID) VALUES (1, 1, 1, 1)",
    "INSERT INTO RptDailyTx (RptDate) VALUES (NULL)",
    "INSERT INTO Category (InDate, ModDate, CategoryID, Description, RentUnitRate, "
    "RentUnitDays, OverDueRate, UnitPrice, PromoteQty, PromotePrice) VALUES "
    "('2004-01-01 00:00:00', '2004-01-01 00:00:00', 'V', 'VIDEO', 150000, 3, 100000, 0, 0, 0)",
};

} // namespace

TestDb::TestDb(bool seeded) {
    QString error;
    if (!dir.isValid() || !createSchemaFile(dir.filePath(Connection::LiveFile), error))
        return;
    connection = std::make_unique<Connection>(messages, dir.path());
    if (!connection->OpenDatabase())
        return;
    m_ok = true;
    if (seeded) {
        // One transaction: each commit waits for the disk.
        TransactionGuard tx(*connection);
        for (const char* sql : SeedRows)
            m_ok = m_ok && exec(QString::fromUtf8(sql));
        m_ok = m_ok && tx.commit();
    }
}

bool TestDb::exec(const QString& sql, const QVariantList& values) {
    return connection->exec(sql, values, QStringLiteral("TestDb"));
}

QVariant TestDb::scalar(const QString& sql, const QVariantList& values) {
    auto q = connection->run(sql, values, QStringLiteral("TestDb"));
    return q && q->next() ? q->value(0) : QVariant();
}

bool TestDb::insertRow(const QString& table, const QString& row) {
    QVariantList values;
    for (const QString& value : row.split(QLatin1Char('|')))
        values << (value.isEmpty() ? QVariant() : QVariant(value));
    const QStringList marks(values.size(), QStringLiteral("?"));
    return exec(
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, marks.join(QLatin1Char(','))),
        values);
}

QString TestDb::row(const QString& sql, const QVariantList& values) {
    auto q = connection->run(sql, values, QStringLiteral("TestDb"));
    QStringList columns;
    if (q && q->next()) {
        for (int i = 0; i < q->columns(); ++i)
            columns << q->value(i).toString();
    }
    return columns.join(QLatin1Char('|'));
}
