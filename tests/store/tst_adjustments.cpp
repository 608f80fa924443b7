#include "TestClock.h"
#include "TestDb.h"
#include "adjustments.h"

#include <QTest>

namespace {

AcctAdjustRec adjustment(const QString& id, const QString& description, const QString& amount) {
    AcctAdjustRec rec;
    rec.InDate = QDateTime(QDate(2004, 3, 1), QTime(9, 30, 15));
    rec.ModDate = rec.InDate;
    rec.AdjustID = id;
    rec.Description = description;
    rec.AdjustAmt = *Money::parse(amount);
    rec.AdjustDate = QDate(2004, 2, 29);
    rec.EmployeeID = QStringLiteral("13");
    rec.CreateDate = QDate(2004, 3, 1);
    return rec;
}

QStringList ids(const QList<AcctAdjustRec>& list) {
    QStringList out;
    for (const AcctAdjustRec& rec : list)
        out << rec.AdjustID;
    return out;
}

} // namespace

class Test_adjustments : public QObject {
    Q_OBJECT

private:
    static bool arrange(TestDb& t) {
        return InsertAcctAdjust(t.db(), adjustment("000001", "SHOP RENT", "-12,345.67")) &&
               InsertAcctAdjust(t.db(), adjustment("000002", "RENT REFUND 50%", "1,000")) &&
               InsertAcctAdjust(t.db(), adjustment("000003", "O'BRIEN PAID BACK", "0.05")) &&
               InsertAcctAdjust(t.db(), adjustment("000004", "CURRENT_MONTH", "-0.5"));
    }

private Q_SLOTS:
    // A search without a hit, or of an unknown kind, leaves the list as it was.
    void find_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("boxes");
        const QStringList none;
        QTest::newRow("by number") << int(ByAdjustID) << "000002" << QStringList{"000002"} << none;
        QTest::newRow("by description, ordered")
            << int(ByDescription) << "RENT" << QStringList{"000004", "000002", "000001"} << none;
        QTest::newRow("percent is literal")
            << int(ByDescription) << "%" << QStringList{"000002"} << none;
        QTest::newRow("no match") << int(ByDescription) << "NOTHING" << QStringList{"KEPT"} << none;
        QTest::newRow("unknown kind") << -3 << "NOTHING" << QStringList{"KEPT"}
                                      << QStringList{"debug: error in FindAcctAdjust!"};
    }
    void find() {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(QStringList, found);
        QFETCH(QStringList, boxes);
        TestDb t;
        QVERIFY(arrange(t));
        QList<AcctAdjustRec> hits(1);
        hits[0].AdjustID = QStringLiteral("KEPT");
        QCOMPARE(FindAcctAdjust(t.db(), AdjustFindBy(kind), value, hits),
                 found != QStringList{"KEPT"});
        QCOMPARE(ids(hits), found);
        QCOMPARE(t.messages.texts(), boxes);
    }

    // An update stamps ModDate and never writes InDate.
    void updateStampsModDateAndKeepsInDate() {
        TestDb t;
        QVERIFY(arrange(t));
        TestClock clock(QDateTime(QDate(2004, 3, 12), QTime(17, 5, 9)));
        AcctAdjustRec rec = adjustment("000002", "CORRECTED", "-1,234.5");
        rec.InDate = QDateTime(QDate(2030, 1, 1), QTime(0, 0));
        rec.ModDate = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        QVERIFY(UpdateAcctAdjust(t.db(), rec, clock));
        QCOMPARE(rec.ModDate, clock.now());
        QList<AcctAdjustRec> hits;
        QVERIFY(FindAcctAdjust(t.db(), ByAdjustID, QStringLiteral("000002"), hits));
        QCOMPARE(hits[0].Description, QStringLiteral("CORRECTED"));
        QCOMPARE(hits[0].AdjustAmt, *Money::parse(QStringLiteral("-1234.50")));
        QCOMPARE(hits[0].ModDate, clock.now());
        QCOMPARE(hits[0].InDate, QDateTime(QDate(2004, 3, 1), QTime(9, 30, 15)));
    }

    void missingNumberChangesNothingAndDeleteTakesOne() {
        TestDb t;
        QVERIFY(arrange(t));
        TestClock clock;
        AcctAdjustRec rec = adjustment("000099", "NOBODY", "1");
        QVERIFY(UpdateAcctAdjust(t.db(), rec, clock));
        QVERIFY(DeleteAcctAdjust(t.db(), rec));
        const QString left = "SELECT group_concat(AdjustID) FROM AcctAdjust";
        QCOMPARE(t.scalar(left).toString(), QStringLiteral("000001,000002,000003,000004"));
        QVERIFY(t.messages.boxes.isEmpty());
        QVERIFY(DeleteAcctAdjust(t.db(), adjustment("000002", "", "0")));
        QCOMPARE(t.scalar(left).toString(), QStringLiteral("000001,000003,000004"));
    }
};

QTEST_GUILESS_MAIN(Test_adjustments)
#include "tst_adjustments.moc"
