#include "TestClock.h"
#include "TestDb.h"
#include "catalogue.h"
#include "categoryModel.h"

#include <QTest>

class TestCategoryModel : public QObject {
    Q_OBJECT

private:
    // The seeded category V (VIDEO) plus D (DVD), and model over them; the clock has moved on.
    struct Rates {
        Rates() {
            QVERIFY(t.ok());
            QVERIFY(t.exec(QStringLiteral(
                "INSERT INTO Category (InDate, ModDate, CategoryID, Description, RentUnitRate, "
                "RentUnitDays, OverDueRate, UnitPrice, PromoteQty, PromotePrice) VALUES "
                "('2004-01-01 00:00:00', '2004-01-01 00:00:00', 'D', 'DVD', 200000, 2, "
                "100000, 0, 0, 0)")));
            model = std::make_unique<CategoryModel>(t.db(), clock);
        }
        int column(const char* field) const {
            return model->fieldIndex(QString::fromLatin1(field));
        }
        QModelIndex cell(int row, const char* field) const {
            return model->index(row, column(field));
        }
        QVariant stored(const char* field, const char* id) {
            return t.scalar(QStringLiteral("SELECT %1 FROM Category WHERE CategoryID = ?")
                                .arg(QString::fromLatin1(field)),
                            {QString::fromLatin1(id)});
        }
        int count() { return t.scalar(QStringLiteral("SELECT COUNT(*) FROM Category")).toInt(); }

        TestDb t;
        TestClock clock{QDateTime(QDate(2004, 3, 10), QTime(18, 40, 5))};
        std::unique_ptr<CategoryModel> model;
    };

private Q_SLOTS:
    void amountTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("shown");
        QTest::newRow("grouped") << "1,234.50" << true << qint64(12345000) << "1,234.50";
        QTest::newRow("four decimals") << "0.1234" << true << qint64(1234) << "0.12";
        QTest::newRow("negative") << "-2" << true << qint64(-20000) << "-2.00";
        QTest::newRow("letters") << "ABC" << false << qint64(150000) << "15.00";
        QTest::newRow("emptied") << "" << false << qint64(150000) << "15.00";
    }
    void amountTyped() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(qint64, units);
        QFETCH(QString, shown);
        Rates r;
        QCOMPARE(r.model->setData(r.cell(1, "RentUnitRate"), typed), accepted);
        QVERIFY(r.model->submit());
        QCOMPARE(r.stored("RentUnitRate", "V").toLongLong(), units);
        QCOMPARE(r.model->data(r.cell(1, "RentUnitRate")).toString(), shown);
        QVERIFY(r.t.messages.boxes.isEmpty());
    }

    // Opening a cell and leaving it unchanged must not round a stored amount.
    void editTextKeepsEveryDecimal() {
        Rates r;
        QVERIFY(r.model->setData(r.cell(1, "OverDueRate"), "0.1234"));
        QVERIFY(r.model->submit());
        const QVariant text = r.model->data(r.cell(1, "OverDueRate"), Qt::EditRole);
        QCOMPARE(text.toString(), QStringLiteral("0.1234"));
        QVERIFY(r.model->setData(r.cell(1, "OverDueRate"), text));
        QVERIFY(!r.model->isDirty());
    }

    // An edited row gets the time of the change, a new row both stamps.
    void rowsAreStamped() {
        Rates r;
        QVERIFY(r.model->setData(r.cell(1, "RentUnitDays"), "4"));
        QVERIFY(r.model->submit());
        QCOMPARE(r.stored("ModDate", "V").toString(), QStringLiteral("2004-03-10 18:40:05"));
        QCOMPARE(r.stored("InDate", "V").toString(), QStringLiteral("2004-01-01 00:00:00"));
        const int row = r.model->addRow();
        QCOMPARE(row, 2);
        QVERIFY(r.model->setData(r.cell(row, "CategoryID"), " N "));
        QVERIFY(r.model->setData(r.cell(row, "Description"), "NEW RELEASE"));
        QVERIFY(r.model->setData(r.cell(row, "RentUnitRate"), "30"));
        QVERIFY(r.model->submit());
        QCOMPARE(r.stored("RentUnitRate", "N").toLongLong(), qint64(300000));
        QCOMPARE(r.stored("InDate", "N").toString(), QStringLiteral("2004-03-10 18:40:05"));
        QVERIFY(r.t.messages.boxes.isEmpty());
    }

    // A new row waits, untouched, while the clerk is on it, and goes without a word after.
    void untouchedNewRowIsDropped() {
        Rates r;
        QCOMPARE(r.model->addRow(), 2);
        // The editor of the code cell was opened and left empty.
        QVERIFY(r.model->setData(r.cell(2, "CategoryID"), QString()));
        QVERIFY(r.model->submit());
        QCOMPARE(r.model->rowCount(), 3);
        r.model->dropIfUntouched(2);
        QCOMPARE(r.model->rowCount(), 2);
        QCOMPARE(r.count(), 2);
        QVERIFY(r.t.messages.boxes.isEmpty());
    }

    // The database refuses the row: one report, the row as stored, the table editable again.
    void refusedRowReportedOnce_data() {
        QTest::addColumn<bool>("newRow");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("code typed twice") << true << "CategoryID"
                                          << "V";
        QTest::newRow("code changed to another's") << false << "CategoryID"
                                                   << "V";
        QTest::newRow("text in a number cell") << false << "RentUnitDays"
                                               << "THREE";
    }
    void refusedRowReportedOnce() {
        QFETCH(bool, newRow);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        Rates r;
        const int row = newRow ? r.model->addRow() : 0;
        if (newRow)
            QVERIFY(r.model->setData(r.cell(row, "Description"), "SECOND VIDEO"));
        QVERIFY(r.model->setData(r.model->index(row, r.model->fieldIndex(field)), typed));
        QVERIFY(!r.model->submit());
        QCOMPARE(r.t.messages.boxes.size(), 1);
        QVERIFY(r.t.messages.boxes.first().text.startsWith("Error # "));
        QCOMPARE(r.t.messages.boxes.first().title, QStringLiteral("Error"));
        QVERIFY(!r.model->isDirty());
        QCOMPARE(r.model->rowCount(), 2);
        QCOMPARE(r.model->data(r.cell(0, "CategoryID")).toString(), QStringLiteral("D"));
        QCOMPARE(r.stored("RentUnitDays", "D").toInt(), 2);
        QCOMPARE(r.count(), 2);
        QVERIFY(r.model->setData(r.cell(1, "PromoteQty"), "3"));
        QVERIFY(r.model->submit());
        QCOMPARE(r.stored("PromoteQty", "V").toInt(), 3);
    }

    // A pending change of the row is dropped with it, not written first.
    void deleteRow_data() {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("edited");
        QTest::newRow("stored row") << false << false;
        QTest::newRow("row never stored") << true << false;
        QTest::newRow("row with a pending change") << false << true;
    }
    void deleteRow() {
        QFETCH(bool, unsaved);
        QFETCH(bool, edited);
        Rates r;
        int row = 0;
        if (unsaved) {
            row = r.model->addRow();
            QVERIFY(r.model->setData(r.cell(row, "CategoryID"), "X"));
        }
        if (edited)
            QVERIFY(r.model->setData(r.cell(0, "CategoryID"), "V"));
        QVERIFY(r.model->deleteRow(row));
        QCOMPARE(r.count(), unsaved ? 2 : 1);
        QCOMPARE(r.model->rowCount(), unsaved ? 2 : 1);
        QVERIFY(r.t.messages.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCategoryModel)
#include "tst_category_model.moc"
