#include "RentGrids.h"
#include "TestSettings.h"
#include "formutil.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

// The two lists of the visit screen: the rows they show, the remembered widths and the paging
// rule.
class TestRentGrids : public QObject {
    Q_OBJECT

    static OrderLine line(const QString& itemID) {
        OrderLine l;
        l.ItemID = itemID;
        l.StartDate = QDateTime(QDate(2004, 3, 10), QTime(18, 40));
        l.EndDate = QDate(2004, 3, 13);
        l.item.ProductName = QStringLiteral("ALIEN");
        l.item.Quantity = 2;
        l.OSAmt = Money::fromWhole(30);
        l.LateAmt = Money::fromUnits(75000);
        l.LastRenewIndex = 1;
        return l;
    }

    static QStringList rowTexts(const QTableWidget& grid, int row) {
        QStringList texts;
        for (int c = 0; c < grid.columnCount(); ++c)
            texts << (grid.item(row, c) ? grid.item(row, c)->text() : QString());
        return texts;
    }

private Q_SLOTS:
    void rentRows() {
        QTableWidget grid;
        SetupRentGrid(grid);
        OrderLine sale = line("S00001");
        sale.IsSale = true;
        OrderLine deleted = line("000009");
        deleted.IsDeleted = true;
        FillRentGrid(grid, {line("000001"), deleted, sale});
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(rowTexts(grid, 0), QStringList({"1", "000001", "10/03/2004 18:40", "1", "ALIEN",
                                                 "2", "30.00", "7.50", "37.50", "13/03/2004"}));
        QCOMPARE(rowTexts(grid, 1).at(0), QStringLiteral("2"));
        QCOMPARE(rowTexts(grid, 1).at(9), QString());
    }

    void returnRows() {
        QTableWidget grid;
        SetupReturnGrid(grid);
        FillReturnGrid(grid, {{"000001", "ALIEN", true}, {"000002", "BRAZIL", false}});
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"1", "000002", "", "", "BRAZIL", "", "", "", "", ""}));
    }

    void changedRowsSkipDeletedLines() {
        OrderLine gone = line("000002");
        gone.IsDeleted = true;
        OrderLine kept = line("000003");
        OrderLine returned = kept;
        returned.IsReturned = true;
        const QList<OrderLine> before = {line("000001"), gone, kept};
        QList<OrderLine> after = before;
        after[2] = returned;
        after.append(line("000004"));
        QCOMPARE(ChangedRows(before, after), QList<int>({1, 2}));
    }

    // With nothing remembered each column opens wide enough for its heading and its longest
    // value: a start time, seven-digit amounts, a due date.
    void columnsFitTheirLongestValues() {
        QTableWidget grid;
        SetupRentGrid(grid);
        OrderLine owing = line("W00001");
        owing.StartDate = QDateTime(QDate(2008, 8, 28), QTime(23, 58));
        owing.OSAmt = Money::fromWhole(7777777);
        owing.LateAmt = Money();
        OrderLine late = owing;
        std::swap(late.OSAmt, late.LateAmt);
        FillRentGrid(grid, {owing, late});
        const QAbstractItemView& view = grid;
        for (int c = 0; c < RentColumnCount; ++c) {
            QVERIFY2(grid.columnWidth(c) >= view.sizeHintForColumn(c),
                     qPrintable(rowTexts(grid, 0)[c]));
            QVERIFY(grid.columnWidth(c) >= grid.horizontalHeader()->sectionSizeHint(c));
        }
    }

    // Widths come back only when the "#" column has a remembered width above 0, and then win
    // even over what the longest value needs.
    void rememberedWidths_data() {
        QTest::addColumn<QString>("numberWidth");
        QTest::addColumn<bool>("remembered");
        QTest::newRow("number column remembered") << "600" << true;
        QTest::newRow("number column 0") << "0" << false;
        QTest::newRow("number column not a number") << "wide" << false;
    }
    void rememberedWidths() {
        QFETCH(QString, numberWidth);
        QFETCH(bool, remembered);
        TestSettings store;
        store.settings.setValue("msgRentItems/#", numberWidth);
        store.settings.setValue("msgRentItems/Late$", "300");
        QTableWidget fresh;
        SetupRentGrid(fresh);
        QTableWidget grid;
        grid.setObjectName("msgRentItems");
        SetupRentGrid(grid);
        RestoreColumnWidths(grid, store.settings);
        QCOMPARE(grid.columnWidth(ColLate), remembered ? 20 : fresh.columnWidth(ColLate));
    }

    void pagedTopRow_data() {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("expected");
        QTest::newRow("up from 6") << 6 << 30 << true << 1;
        QTest::newRow("up from 3") << 3 << 30 << true << 1;
        QTest::newRow("up, heading only") << 1 << 1 << true << 0;
        QTest::newRow("down near the end") << 25 << 30 << false << 25;
        QTest::newRow("down to the last page") << 24 << 30 << false << 29;
    }
    void pagedTopRow() {
        QFETCH(int, top);
        QFETCH(int, rows);
        QFETCH(bool, up);
        QFETCH(int, expected);
        QCOMPARE(PagedTopRow(top, rows, up), expected);
    }
};

QTEST_MAIN(TestRentGrids)
#include "tst_rentgrids.moc"
