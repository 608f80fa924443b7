#include "TestClock.h"
#include "TestDb.h"
#include "adjustments.h"

#include <QTest>

namespace {

const QDateTime Entered(QDate(2004, 3, 1), QTime(9, 30, 15));

AcctAdjustRec adjustment(const QString& id, const QString& description) {
    AcctAdjustRec rec;
    rec.InDate = rec.ModDate = Entered;
    rec.AdjustID = id;
    rec.Description = description;
    rec.AdjustAmt = Money::fromWhole(-12);
    return rec;
}

// Adjustments 000001 to 000003.
bool arrange(TestDb& t) {
    return InsertAcctAdjust(t.db(), adjustment("000001", "SHOP RENT")) &&
           InsertAcctAdjust(t.db(), adjustment("000002", "RENT REFUND 50%")) &&
           InsertAcctAdjust(t.db(), adjustment("000003", "CURRENT_MONTH"));
}

QString stored(TestDb& t) {
    return t
        .scalar("SELECT group_concat(AdjustID || ' ' || Description || ' ' || AdjustAmt || "
                "' ' || InDate || ' ' || ModDate, ', ') FROM AcctAdjust")
        .toString();
}

} // namespace

class Test_adjustments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A search without a hit, or of an unknown kind, leaves the list as it was.
    void find_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("by number") << int(ByAdjustID) << "000002" << QStringList{"000002"};
        QTest::newRow("by description, ordered")
            << int(ByDescription) << "RENT" << QStringList{"000003", "000002", "000001"};
        QTest::newRow("percent is literal") << int(ByDescription) << "%" << QStringList{"000002"};
        QTest::newRow("no match") << int(ByDescription) << "NOTHING" << QStringList{"KEPT"};
        QTest::newRow("unknown kind") << -3 << "" << QStringList{"KEPT"};
    }
    void find() {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(QStringList, found);
        TestDb t;
        QVERIFY(arrange(t));
        QList<AcctAdjustRec> hits(1);
        hits[0].AdjustID = QStringLiteral("KEPT");
        QCOMPARE(FindAcctAdjust(t.db(), AdjustFindBy(kind), value, hits),
                 found != QStringList{"KEPT"});
        QStringList ids;
        for (const AcctAdjustRec& rec : hits)
            ids << rec.AdjustID;
        QCOMPARE(ids, found);
        QCOMPARE(t.messages.texts(),
                 kind == -3 ? QStringList{"debug: error in FindAcctAdjust!"} : QStringList());
    }

    // An update stamps ModDate and never writes InDate; a number not on file changes nothing;
    // a delete takes only its own row.
    void updateAndDeleteTouchOnlyTheirRow() {
        TestDb t;
        QVERIFY(arrange(t) && DeleteAcctAdjust(t.db(), adjustment("000001", "")));
        TestClock clock(QDateTime(QDate(2004, 3, 12), QTime(17, 5, 9)));
        AcctAdjustRec rec = adjustment("000002", "CORRECTED");
        rec.AdjustAmt = *Money::parse(QStringLiteral("-1,234.5"));
        rec.InDate = rec.ModDate = QDateTime(QDate(2030, 1, 1), QTime(0, 0));
        QVERIFY(UpdateAcctAdjust(t.db(), rec, clock));
        QCOMPARE(rec.ModDate, clock.now());
        AcctAdjustRec missing = adjustment("000099", "NOBODY");
        QVERIFY(UpdateAcctAdjust(t.db(), missing, clock));
        QCOMPARE(stored(t), "000002 CORRECTED -12345000 2004-03-01 09:30:15 2004-03-12 17:05:09, "
                            "000003 CURRENT_MONTH -120000 2004-03-01 09:30:15 2004-03-01 09:30:15");
        QVERIFY(t.messages.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_adjustments)
#include "tst_adjustments.moc"
