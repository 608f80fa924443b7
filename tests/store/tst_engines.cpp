#include "ShopFixture.h"
#include "compaction.h"
#include "schema.h"

#include <QMap>
#include <QProcess>
#include <QTest>

namespace {

// Each table's columns in order, then every key and index with its columns in order: one line
// apiece, in lower case. A key is known by its table and columns, since each engine names the
// index behind it in its own way; the members' name index is a full-text table of the file and
// an index of the server.
const QString FileTables =
    QStringLiteral("m.type = 'table' AND m.name NOT GLOB 'sqlite_*' AND m.name NOT GLOB "
                   "'Customers_Names*'");
const QString FileColumns = "SELECT m.name, c.name FROM sqlite_schema m, pragma_table_info(m.name) "
                            "c WHERE " +
                            FileTables + " ORDER BY m.name, c.cid";
const QString FileIndexes =
    "SELECT m.name, 'primary key', '', (SELECT group_concat(name, ', ') FROM (SELECT name FROM "
    "pragma_table_info(m.name) WHERE pk > 0 ORDER BY pk)), 0, NULL FROM sqlite_schema m WHERE " +
    FileTables +
    " AND EXISTS (SELECT 1 FROM pragma_table_info(m.name) WHERE pk > 0) "
    "UNION ALL SELECT m.name, iif(l.origin = 'u', 'unique', 'index'), iif(l.origin = 'u', '', "
    "l.name), (SELECT group_concat(name, ', ') FROM (SELECT name FROM pragma_index_info(l.name) "
    "ORDER BY seqno)), l.\"unique\" AND l.origin = 'c', (SELECT substr(sql, instr(sql, ' WHERE ') "
    "+ 7) FROM sqlite_schema WHERE l.partial AND name = l.name) FROM sqlite_schema m, "
    "pragma_index_list(m.name) l WHERE " +
    FileTables +
    " AND l.origin <> 'pk' UNION ALL SELECT 'Customers', 'index', v.name, (SELECT "
    "group_concat(name, ', ') FROM pragma_table_info(v.name)), 0, NULL FROM sqlite_schema v WHERE "
    "v.name = 'Customers_Names'";
const QString ServerColumns =
    QStringLiteral("SELECT table_name, column_name FROM information_schema.columns WHERE "
                   "table_schema = current_schema() ORDER BY table_name, ordinal_position");
const QString ServerIndexes = QStringLiteral(
    "SELECT t.relname, CASE WHEN x.indisprimary THEN 'primary key' WHEN c.oid IS NOT NULL THEN "
    "'unique' ELSE 'index' END, CASE WHEN x.indisprimary OR c.oid IS NOT NULL THEN '' ELSE "
    "i.relname END, (SELECT string_agg(a.attname, ', ' ORDER BY k.n) FROM "
    "unnest(x.indkey::smallint[]) WITH ORDINALITY k(attnum, n) JOIN pg_attribute a ON a.attrelid "
    "= x.indrelid AND a.attnum = k.attnum), x.indisunique AND NOT x.indisprimary AND c.oid IS "
    "NULL, pg_get_expr(x.indpred, x.indrelid) FROM pg_index x JOIN pg_class t ON t.oid = "
    "x.indrelid JOIN pg_class i ON i.oid = x.indexrelid LEFT JOIN pg_constraint c ON c.conindid "
    "= x.indexrelid AND c.contype = 'u' WHERE t.relnamespace = current_schema()::regnamespace");

QStringList shape(Connection& db, const QString& columnsSql, const QString& indexesSql) {
    QMap<QString, QStringList> tables;
    for (auto q = db.run(columnsSql, {}, "shape"); q && q->next();)
        tables[q->value(0).toString()] << q->value(1).toString();
    QStringList lines;
    for (auto table = tables.cbegin(); table != tables.cend(); ++table)
        lines << (table.key() + ": " + table.value().join(", ")).toLower();
    for (auto q = db.run(indexesSql, {}, "shape"); q && q->next();) {
        // The server writes a condition with its types and in brackets.
        const QString condition =
            q->value(5).toString().remove("::text").remove('(').remove(')').trimmed();
        lines << QStringLiteral("%1 %2 %3 (%4) %5 %6")
                     .arg(q->value(0).toString(), q->value(1).toString(), q->value(2).toString(),
                          q->value(3).toString(), q->value(4).toBool() ? "unique" : "",
                          condition.isEmpty() ? "" : "where " + condition)
                     .simplified()
                     .toLower();
    }
    lines.sort();
    return lines;
}

// A cluster of the test's own, for stopping under a connection; VORMEL_TEST_PGHOST names it
// while it lives, so test shops are made there.
struct OwnCluster {
    OwnCluster() { qputenv("VORMEL_TEST_PGHOST", QFile::encodeName(dir.path())); }
    ~OwnCluster() {
        qputenv("VORMEL_TEST_PGHOST", testCluster);
        run("remove");
    }
    bool run(const char* command) {
        return QProcess::execute(VORMEL_PGCLUSTER, {command, dir.path()}) == 0;
    }

    // The server's socket path must stay short.
    QTemporaryDir dir{"/tmp/vormel-pg-XXXXXX"};
    QByteArray testCluster = qgetenv("VORMEL_TEST_PGHOST");
    bool started = run("start");
};

} // namespace

class TestEngines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The two schema files make the same tables, columns and indexes.
    void schemaFilesAgree() {
        QTemporaryDir dir;
        QString error;
        QVERIFY2(createSchemaFile(dir.filePath(Connection::LiveFile), error), qPrintable(error));
        TestDb server(false);
        Connection file(server.messages, dir.path());
        QVERIFY(server.ok() && file.OpenDatabase());
        const QStringList onFile = shape(file, FileColumns, FileIndexes);
        QVERIFY(!onFile.isEmpty());
        QCOMPARE(shape(server.db(), ServerColumns, ServerIndexes), onFile);
        QCOMPARE(server.messages.texts(), QStringList());
    }

    // Compact DB vacuums a server database where it is, outside any transaction; closing the
    // program leaves it alone.
    void serverIsVacuumed() {
        TestDb t;
        QVERIFY(t.ok() && CompactShop(t.db()) && !CompactsOnClose(t.db()));
        QCOMPARE(t.messages.texts(), QStringList());
    }

    // A save while the server is down fails like any refused save and leaves the visit as it
    // was; once the server is back the same save goes through, on a connection opened anew.
    void saveOutlivesTheServer() {
        OwnCluster cluster;
        ShopFixture shop;
        shop.addCounterShop();
        QVERIFY(cluster.started && shop.ok());
        auto visit = shop.open("000123");
        QVERIFY(ShopFixture::run(*visit, "A 000001 02, S S00001 07"));
        const auto state = [&] {
            QString lines = visit->UpdateTotals().total().format();
            for (const OrderLine& line : visit->OrderLines())
                lines += " " + line.ItemID + "/" + line.OrderIdx;
            return lines + QString::number(visit->NewOrder());
        };
        const QString before = state();
        QVERIFY(cluster.run("stop"));
        const Outcome failed = visit->SaveTransaction();
        QVERIFY(!failed.ok && shop.t.messages.texts().value(0).startsWith("Error # "));
        QCOMPARE(failed.notices.last().text, QStringLiteral("Save record error!\rRecord NOT save"));
        QCOMPARE(state(), before);
        QVERIFY(cluster.run("start") && visit->SaveTransaction().ok);
        QCOMPARE(shop.rows("Order_Details", "ItemID") + shop.rows("Order_Payment", "ItemID") +
                     shop.rows("Sales", "RateID") + shop.rows("Orders", "CustomerID"),
                 "000001000001S00001000123");
        QCOMPARE(shop.t.messages.boxes.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestEngines)
#include "tst_engines.moc"
