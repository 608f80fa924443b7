#include "Cases.h"
#include "TestClock.h"
#include "TestDb.h"
#include "adjustments.h"

#include <QTest>

namespace {

// Adjustments 000001 to 000003 as stored; the values of 000002 tell their columns apart.
bool arrange(TestDb& t) {
    const QString entered = QStringLiteral("2004-03-01 09:30:15|2004-03-01 10:00:00|");
    return t.insertRow("AcctAdjust", entered + "000001|SHOP RENT|-120000|||||") &&
           t.insertRow("AcctAdjust", "2004-03-01 09:30:15|2004-03-02 08:00:00|000002|"
                                     "RENT REFUND 50%|-5000|2004-02-29|13|2004-03-01|000777|R9") &&
           t.insertRow("AcctAdjust", entered + "000003|CURRENT_MONTH|10000|||||");
}

} // namespace

class Test_adjustments : public QObject {
    Q_OBJECT

    // The adjustments, arranged once for the searches.
    TestDb m_shop;

private Q_SLOTS:
    void initTestCase() { QVERIFY(arrange(m_shop)); }
    void init() { m_shop.messages.clear(); }

    // A search without a hit, or of an unknown kind, leaves the list as it was.
    void find_data() {
        const Cases<int, QString, QStringList> add;
        add("by number", ByAdjustID, "000002", {"000002"});
        add("by description, ordered", ByDescription, "RENT", {"000003", "000002", "000001"});
        add("percent is literal", ByDescription, "%", {"000002"});
        add("no match", ByDescription, "NOTHING", {"KEPT"});
        add("unknown kind", -3, "", {"KEPT"});
    }
    void find() {
        const auto [kind, value, found] = Cases<int, QString, QStringList>::fetch();
        QList<AcctAdjustRec> hits(1);
        hits[0].AdjustID = QStringLiteral("KEPT");
        QCOMPARE(FindAcctAdjust(m_shop.db(), AdjustFindBy(kind), value, hits),
                 found != QStringList{"KEPT"});
        QStringList ids;
        for (const AcctAdjustRec& rec : hits)
            ids << rec.AdjustID;
        QCOMPARE(ids, found);
        QCOMPARE(m_shop.messages.texts().join(""),
                 kind == -3 ? "debug: error in FindAcctAdjust!" : "");
    }

    // An adjustment read and stored again under a new number is stored as it was. An update
    // stamps ModDate and never writes InDate, and it and a delete take only their own row.
    void writesTouchOnlyTheirRow() {
        TestDb t;
        QList<AcctAdjustRec> hits;
        QVERIFY(arrange(t) && FindAcctAdjust(t.db(), ByAdjustID, "000002", hits));
        AcctAdjustRec rec = hits[0];
        rec.AdjustID = QStringLiteral("000004");
        QVERIFY(InsertAcctAdjust(t.db(), rec) && DeleteAcctAdjust(t.db(), hits[0]));
        const QString read = "SELECT group_concat(AdjustID || ' ' || AdjustAmt || ' ' || InDate || "
                             "' ' || ModDate) FROM AcctAdjust WHERE AdjustID <> '000004'";
        QCOMPARE(t.row("SELECT * FROM AcctAdjust WHERE AdjustID = '000004'"),
                 "2004-03-01 09:30:15|2004-03-02 08:00:00|000004|RENT REFUND 50%|-5000|"
                 "2004-02-29|13|2004-03-01|000777|R9");
        TestClock clock(QDateTime(QDate(2004, 3, 12), QTime(17, 5, 9)));
        rec.AdjustID = QStringLiteral("000003");
        rec.AdjustAmt = *Money::parse(QStringLiteral("-1,234.5"));
        rec.InDate = QDateTime(QDate(2030, 1, 1), QTime(0, 0));
        QVERIFY(UpdateAcctAdjust(t.db(), rec, clock));
        QCOMPARE(rec.ModDate, clock.now());
        QCOMPARE(t.scalar(read).toString(),
                 "000001 -120000 2004-03-01 09:30:15 2004-03-01 10:00:00,"
                 "000003 -12345000 2004-03-01 09:30:15 2004-03-12 17:05:09");
        QVERIFY(t.messages.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_adjustments)
#include "tst_adjustments.moc"
