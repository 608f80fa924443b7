#include "CommandLine.h"
#include "RentGrids.h"
#include "TestClock.h"
#include "TestSettings.h"
#include "catalogue.h"
#include "charges.h"
#include "pricing.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

namespace {

// A copy of ALIEN at 15.00 for 3 days and 2.50 a day late, taken for two units; as a rate
// code it sells at 10.00 a piece, 3 for 25.00.
ItemRateRec rates() {
    ItemRateRec r;
    r.ItemID = QStringLiteral("000001");
    r.ProductName = QStringLiteral("ALIEN");
    r.Quantity = 2;
    r.RentUnitDays = 3;
    r.RentUnitRate = Money::fromWhole(15);
    r.OverDueRate = Money::fromUnits(25000);
    r.UnitPrice = Money::fromWhole(10);
    r.PromoteQty = 3;
    r.PromotePrice = Money::fromWhole(25);
    return r;
}

const QDateTime Evening(QDate(2004, 3, 10), QTime(18, 40));

// A line out since the evening, due in three days, owing seven-digit amounts.
OrderLine line(const QString& itemID) {
    OrderLine l = NewRentalLine(rates(), QString(), false, Evening);
    l.ItemID = itemID;
    l.IsNewRent = false;
    l.OSAmt = Money::fromWhole(7777777);
    l.LateAmt = Money::fromWhole(1111111);
    l.LastRenewIndex = 1;
    return l;
}

QStringList rowTexts(const QTableWidget& grid, int row) {
    QStringList texts;
    for (int c = 0; c < grid.columnCount(); ++c)
        texts << (grid.item(row, c) ? grid.item(row, c)->text() : QString());
    return texts;
}

} // namespace

// The rules of the counter that need no database: prices and charge rows, the keying of the
// command line, and what the two lists show.
class TestRentalRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void salePrice_data() {
        QTest::addColumn<qint64>("pieces");
        QTest::addColumn<qint64>("bundle");
        QTest::addColumn<QString>("price");
        QTest::newRow("two bundles and one") << qint64(7) << qint64(3) << "60.00";
        QTest::newRow("exactly one bundle") << qint64(3) << qint64(3) << "25.00";
        QTest::newRow("fewer than a bundle") << qint64(2) << qint64(3) << "20.00";
        QTest::newRow("no bundle") << qint64(7) << qint64(0) << "70.00";
    }
    void salePrice() {
        QFETCH(qint64, pieces);
        QFETCH(qint64, bundle);
        QFETCH(QString, price);
        ItemRateRec r = rates();
        r.PromoteQty = bundle;
        QCOMPARE(SalePrice(r, pieces).format(), price);
    }

    // Renewed before the due day, the new period follows on from the due date; from the due
    // day on, it starts at the renewal.
    void renewalPeriod_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("start");
        const QDateTime dueDay(QDate(2004, 3, 13), QTime(0, 0));
        const QDateTime late(QDate(2004, 3, 15), QTime(11, 0));
        QTest::newRow("the day before") << dueDay.addSecs(-60) << dueDay;
        QTest::newRow("at midnight") << dueDay << dueDay;
        QTest::newRow("on the due day") << dueDay.addSecs(9 * 3600) << dueDay.addSecs(9 * 3600);
        QTest::newRow("two days late") << late << late;
    }
    void renewalPeriod() {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, start);
        QCOMPARE(RenewalStart(QDate(2004, 3, 13), now), start);
        QCOMPARE(DueDate(start, rates(), 2), start.date().addDays(6));
    }

    // Days charged: the late amount over 2.50 a day, to the nearest whole day.
    void lateChargeRow_data() {
        QTest::addColumn<QString>("late");
        QTest::addColumn<qint64>("days");
        QTest::newRow("three days") << "7.5" << qint64(3);
        QTest::newRow("rounded to the nearest day") << "6.5" << qint64(3);
        QTest::newRow("under half a day") << "1" << qint64(0);
    }
    void lateChargeRow() {
        QFETCH(QString, late);
        QFETCH(qint64, days);
        OrderLine l = line("000001");
        l.LateAmt = *Money::parse(late);
        l.payments.clear();
        AddLateChargeRow(l, Evening);
        QCOMPARE(l.payments.size(), 1);
        QCOMPARE(l.payments[0].Quantity, days);
        QCOMPARE(l.payments[0].ChargeAmt, l.LateAmt);
        QCOMPARE(l.payments[0].PayType, QStringLiteral("1"));
    }

    void quantityValue_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("value");
        QTest::newRow("one digit and prompt") << "2_" << qint64(2);
        QTest::newRow("prompt first") << "_2" << qint64(0);
        QTest::newRow("untouched") << "__" << qint64(0);
        QTest::newRow("two digits") << "12" << qint64(12);
    }
    void quantityValue() {
        QFETCH(QString, typed);
        QFETCH(qint64, value);
        QCOMPARE(QuantityValue(typed), value);
    }

    // `lengths`: the item field's length at each key, the keys `gapMs` apart, then Enter. A
    // scan is timed from the latest key that found one character there.
    void scanRule_data() {
        QTest::addColumn<QString>("itemID");
        QTest::addColumn<QString>("lengths");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<bool>("runs");
        QTest::newRow("scanned") << "000001"
                                 << "012345" << 10 << true;
        QTest::newRow("exactly one second") << "000001"
                                            << "012345" << 200 << true;
        QTest::newRow("typed slowly") << "000001"
                                      << "012345" << 201 << false;
        QTest::newRow("five characters fast") << "00001"
                                              << "01234" << 10 << false;
        QTest::newRow("settle all, slowly") << "S88"
                                            << "012" << 900 << true;
        QTest::newRow("no keys seen") << "000001"
                                      << "" << 0 << false;
        QTest::newRow("cleared and scanned") << "000001"
                                             << "012012345" << 150 << true;
    }
    void scanRule() {
        QFETCH(QString, itemID);
        QFETCH(QString, lengths);
        QFETCH(int, gapMs);
        QFETCH(bool, runs);
        TestClock clock;
        CommandLine keying(clock, OpCodeRec::defaults());
        for (QChar length : lengths) {
            keying.itemKeyDown(length.digitValue());
            clock.advanceMs(gapMs);
        }
        QCOMPARE(keying.itemEnter(itemID) == ItemEnter::Run, runs);
    }

    void presetCode_data() {
        QTest::addColumn<QString>("itemID");
        QTest::addColumn<bool>("newOrder");
        QTest::addColumn<QString>("code");
        QTest::newRow("sale code, new order") << "S00001" << true << "S";
        QTest::newRow("item, new order") << "000012" << true << "A";
        QTest::newRow("item, open order keeps the code") << "000012" << false << "RR";
    }
    void presetCode() {
        QFETCH(QString, itemID);
        QFETCH(bool, newOrder);
        QFETCH(QString, code);
        TestClock clock;
        QCOMPARE(CommandLine(clock, OpCodeRec::defaults()).presetCode(itemID, newOrder, "RR"),
                 code);
    }

    void codeEnter_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("action");
        QTest::newRow("sale asks the quantity") << "S" << int(CodeEnter::MoveToQuantity);
        QTest::newRow("rent") << "A" << int(CodeEnter::RunOneUnit);
        QTest::newRow("free") << "F" << int(CodeEnter::RunOneUnit);
        QTest::newRow("return") << "R" << int(CodeEnter::Run);
    }
    void codeEnter() {
        QFETCH(QString, code);
        QFETCH(int, action);
        TestClock clock;
        QCOMPARE(int(CommandLine(clock, OpCodeRec::defaults()).codeEnter(code)), action);
    }

    // Deleted lines leave no row; a sale has no due date. With nothing remembered, every
    // column opens wide enough for its heading and for the longest values.
    void rentRows() {
        QTableWidget grid;
        SetupRentGrid(grid);
        OrderLine sale = line("S00001");
        sale.IsSale = true;
        OrderLine deleted = line("000009");
        deleted.IsDeleted = true;
        OrderLine latest = line("W00001");
        latest.StartDate = QDateTime(QDate(2008, 12, 28), QTime(23, 58));
        FillRentGrid(grid, {line("000001"), deleted, sale, latest});
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"1", "000001", "10/03/2004 18:40", "1", "ALIEN", "2", "7777777.00",
                              "1111111.00", "8888888.00", "16/03/2004"}));
        QCOMPARE(rowTexts(grid, 1).at(ColNumber), QStringLiteral("2"));
        QCOMPARE(rowTexts(grid, 1).at(ColDue), QString());
        const QAbstractItemView& view = grid;
        for (int c = 0; c < RentColumnCount; ++c) {
            QVERIFY2(grid.columnWidth(c) >= view.sizeHintForColumn(c),
                     qPrintable(QString::number(c)));
            QVERIFY(grid.columnWidth(c) >= grid.horizontalHeader()->sectionSizeHint(c));
        }
    }

    void returnRows() {
        QTableWidget grid;
        SetupReturnGrid(grid);
        FillReturnGrid(grid, {{"000001", "ALIEN", true}, {"000002", "BRAZIL", false}});
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"1", "000002", "", "", "BRAZIL", "", "", "", "", ""}));
    }

    // The first that holds of returned, renewed, settled and owing a late charge colours the
    // whole row; otherwise it keeps the list's colour.
    void rowColours_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QBrush>("colour");
        QTest::newRow("returned") << "RWSL"
                                  << QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        QTest::newRow("renewed") << "WSL" << QBrush(QColor(0x00, 0x00, 0xFF));
        QTest::newRow("settled") << "SL" << QBrush(QColor(0xC0, 0x40, 0x00));
        QTest::newRow("late") << "L" << QBrush(QColor(0xFF, 0x00, 0x00));
        QTest::newRow("nothing happened") << "" << QBrush();
    }
    void rowColours() {
        QFETCH(QString, flags);
        QFETCH(QBrush, colour);
        OrderLine l = line("000001");
        l.IsReturned = flags.contains('R');
        l.IsRenewed = flags.contains('W');
        l.IsSettled = flags.contains('S');
        l.LateAmt = flags.contains('L') ? Money::fromWhole(5) : Money();
        QTableWidget grid;
        SetupRentGrid(grid);
        FillRentGrid(grid, {l});
        for (int c = ColItemID; c < RentColumnCount; ++c)
            QVERIFY(grid.item(0, c)->foreground() == colour);
    }

    void changedRowsSkipDeletedLines() {
        OrderLine gone = line("000002");
        gone.IsDeleted = true;
        const QList<OrderLine> before = {line("000001"), gone, line("000003")};
        QList<OrderLine> after = before;
        after[2].IsReturned = true;
        after.append(line("000004"));
        QCOMPARE(ChangedRows(before, after), QList<int>({1, 2}));
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

QTEST_MAIN(TestRentalRules)
#include "tst_rentalrules.moc"
