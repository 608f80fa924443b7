#include "TestClock.h"
#include "TestDb.h"
#include "catalogue.h"
#include "categoryModel.h"

#include <QSignalSpy>
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

    // A row that cannot be stored is reported once and keeps what was typed; corrected, it
    // is stored.
    void refusedRowKeepsTyping_data() {
        QTest::addColumn<bool>("newRow");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("corrected");
        QTest::addColumn<QString>("message");
        QTest::newRow("code typed twice") << true << "CategoryID"
                                          << "V"
                                          << "N"
                                          << "Error # ";
        QTest::newRow("code changed to another's") << false << "CategoryID"
                                                   << "V"
                                                   << "E"
                                                   << "Error # ";
        QTest::newRow("text in a number cell") << false << "RentUnitDays"
                                               << "THREE"
                                               << "4"
                                               << "Error # ";
        QTest::newRow("code in use renamed")
            << false << "CategoryID"
            << "W"
            << "V"
            << "Rate Code V is used by product 000001 (TITANIC), cannot change!";
    }
    void refusedRowKeepsTyping() {
        QFETCH(bool, newRow);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, corrected);
        QFETCH(QString, message);
        Rates r;
        QVERIFY(r.t.exec("INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES "
                         "('000001', 'TITANIC', 'V')"));
        QSignalSpy refused(r.model.get(), &CategoryModel::rowRefused);
        const int row = newRow ? r.model->addRow() : (message.startsWith("Rate") ? 1 : 0);
        if (newRow)
            QVERIFY(r.model->setData(r.cell(row, "Description"), "SECOND VIDEO"));
        const QModelIndex cell = r.model->index(row, r.model->fieldIndex(field));
        QVERIFY(r.model->setData(cell, typed));
        QVERIFY(!r.model->submit());
        QCOMPARE(r.t.messages.boxes.size(), 1);
        QVERIFY(r.t.messages.boxes.first().text.startsWith(message));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().first().toInt(), row);
        QCOMPARE(r.model->data(cell).toString(), typed);
        // Asked again with nothing typed since, it says no without a word.
        QVERIFY(!r.model->submit());
        QCOMPARE(r.t.messages.boxes.size(), 1);
        QCOMPARE(r.count(), 2);
        QVERIFY(r.model->setData(cell, corrected));
        QVERIFY(r.model->submit());
        QCOMPARE(r.t.scalar(QStringLiteral("SELECT count(*) FROM Category WHERE %1 = ?").arg(field),
                            {corrected})
                     .toInt(),
                 1);
    }

    // A pending change of the row is dropped with it, not written first.
    void deleteRow_data() {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("used");
        QTest::newRow("stored row") << false << false << false;
        QTest::newRow("row never stored") << true << false << false;
        QTest::newRow("row with a pending change") << false << true << false;
        QTest::newRow("code in use") << false << false << true;
    }
    void deleteRow() {
        QFETCH(bool, unsaved);
        QFETCH(bool, edited);
        QFETCH(bool, used);
        Rates r;
        QVERIFY(!used ||
                r.t.exec("INSERT INTO Products (ProductID, CategoryID) VALUES ('1', 'D')"));
        int row = 0;
        if (unsaved) {
            row = r.model->addRow();
            QVERIFY(r.model->setData(r.cell(row, "CategoryID"), "X"));
        }
        if (edited)
            QVERIFY(r.model->setData(r.cell(0, "CategoryID"), "V"));
        QCOMPARE(r.model->deleteRow(row), !used);
        QCOMPARE(r.count(), unsaved || used ? 2 : 1);
        QCOMPARE(r.model->rowCount(), unsaved || used ? 2 : 1);
        QCOMPARE(r.t.messages.boxes.size(), used ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestCategoryModel)
#include "tst_category_model.moc"
