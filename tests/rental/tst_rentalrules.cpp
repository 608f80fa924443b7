#include "CommandLine.h"
#include "RentGrids.h"
#include "TestClock.h"
#include "TestSettings.h"
#include "TextRows.h"
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

// Every row's texts, "|" between cells and "; " between rows.
QString gridTexts(const QTableWidget& grid) {
    QStringList rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < grid.columnCount(); ++c)
            texts << (grid.item(r, c) ? grid.item(r, c)->text() : QString());
        rows << texts.join('|');
    }
    return rows.join("; ");
}

} // namespace

// The rules of the counter that need no database: prices and charge rows, the keying of the
// command line, and what the two lists show.
class TestRentalRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Pieces, bundle size, price.
    void salePrice_data() {
        rows({{"two bundles and one", "7 3 60.00"},
              {"exactly one bundle", "3 3 25.00"},
              {"fewer than a bundle", "2 3 20.00"},
              {"no bundle", "7 0 70.00"}});
    }
    void salePrice() {
        const QStringList v = rowValues();
        ItemRateRec r = rates();
        r.PromoteQty = v[1].toLongLong();
        QCOMPARE(SalePrice(r, v[0].toLongLong()).format(), v[2]);
    }

    // Renewed before the due day, the new period follows on from the due date; from the due
    // day on, it starts at the renewal. Minutes from the due day's start: renewal, new start.
    void renewalPeriod_data() { rows({{"the day before", "-1 0"}, {"on the due day", "540 540"}}); }
    void renewalPeriod() {
        const QStringList v = rowValues();
        const QDateTime dueDay(QDate(2004, 3, 13), QTime(0, 0));
        const QDateTime start = dueDay.addSecs(v[1].toInt() * 60);
        QCOMPARE(RenewalStart(dueDay.date(), dueDay.addSecs(v[0].toInt() * 60)), start);
        QCOMPARE(DueDate(start, rates(), 2), start.date().addDays(6));
    }

    // Days charged: the late amount over 2.50 a day, to the nearest whole day.
    void lateChargeRow_data() {
        rows({{"rounded to the nearest day", "6.50 3"}, {"under half a day", "1.00 0"}});
    }
    void lateChargeRow() {
        const QStringList v = rowValues();
        OrderLine l = line("000001");
        l.LateAmt = *Money::parse(v[0]);
        l.payments.clear();
        AddLateChargeRow(l, Evening);
        QCOMPARE(l.payments.size(), 1);
        const auto& p = l.payments[0];
        QCOMPARE(QString("%1 %2 %3").arg(p.ChargeAmt.format()).arg(p.Quantity).arg(p.PayType),
                 v[0] + " " + v[1] + " 1");
    }

    // Typed, value.
    void quantityValue_data() {
        rows({{"one digit and prompt", "2_ 2"}, {"prompt first", "_2 0"}, {"two digits", "12 12"}});
    }
    void quantityValue() {
        const QStringList v = rowValues();
        QCOMPARE(QuantityValue(v[0]), v[1].toLongLong());
    }

    // The item ID; the item field's length at each key, the keys `gapMs` apart, then Enter;
    // the gap; whether it runs. A scan is timed from the latest key that found one character.
    void scanRule_data() {
        rows({{"exactly one second", "000001 012345 200 1"},
              {"typed slowly", "000001 012345 201 0"},
              {"five characters fast", "00001 01234 10 0"},
              {"settle all, slowly", "S88 012 900 1"},
              {"no keys seen", "000001 - 0 0"},
              {"cleared and scanned", "000001 012012345 150 1"}});
    }
    void scanRule() {
        const QStringList v = rowValues();
        TestClock clock;
        CommandLine keying(clock, OpCodeRec::defaults());
        const QString lengths = QString(v[1]).remove('-');
        for (QChar length : lengths) {
            keying.itemKeyDown(length.digitValue());
            clock.advanceMs(v[2].toInt());
        }
        QCOMPARE(keying.itemEnter(v[0]) == ItemEnter::Run, v[3] == "1");
    }

    // Item, order, the code offered: an open order keeps the code it has.
    void presetCode_data() {
        rows({{"sale code, new order", "S00001 new S"},
              {"item, new order", "000012 new A"},
              {"item, open order keeps the code", "000012 open RR"}});
    }
    void presetCode() {
        const QStringList v = rowValues();
        TestClock clock;
        QCOMPARE(CommandLine(clock, OpCodeRec::defaults()).presetCode(v[0], v[1] == "new", "RR"),
                 v[2]);
    }

    // Enter in the code field: ask the quantity (0), rent one unit (1), run as it stands (2).
    void codeEnter_data() {
        rows({{"sale asks the quantity", "S 0"},
              {"rent", "A 1"},
              {"free", "F 1"},
              {"return", "R 2"}});
    }
    void codeEnter() {
        const QStringList v = rowValues();
        TestClock clock;
        QCOMPARE(int(CommandLine(clock, OpCodeRec::defaults()).codeEnter(v[0])), v[1].toInt());
    }

    // Deleted lines leave no row in either list; a sale has no due date. With nothing remembered,
    // every column opens wide enough for its heading and for the longest values.
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
        QCOMPARE(gridTexts(grid),
                 "1|000001|10/03/2004 18:40|1|ALIEN|2|7777777.00|1111111.00|8888888.00|16/03/2004; "
                 "2|S00001|10/03/2004 18:40|1|ALIEN|2|7777777.00|1111111.00|8888888.00|; "
                 "3|W00001|28/12/2008 23:58|1|ALIEN|2|7777777.00|1111111.00|8888888.00|16/03/2004");
        const QAbstractItemView& view = grid;
        for (int c = 0; c < RentColumnCount; ++c) {
            QVERIFY2(grid.columnWidth(c) >= view.sizeHintForColumn(c),
                     qPrintable(QString::number(c)));
            QVERIFY(grid.columnWidth(c) >= grid.horizontalHeader()->sectionSizeHint(c));
        }
        QTableWidget returns;
        SetupReturnGrid(returns);
        FillReturnGrid(returns, {{"000001", "ALIEN", true}, {"000002", "BRAZIL", false}});
        QCOMPARE(gridTexts(returns), "1|000002|||BRAZIL|||||");
    }

    // The first that holds of returned, renewed, settled and owing a late charge colours the
    // whole row; otherwise it keeps the list's colour.
    // Flags (- for none), then the colour: the list's own (-), the disabled text's or a name.
    void rowColours_data() {
        rows({{"returned", "RWSL disabled"},
              {"renewed", "WSL #0000ff"},
              {"settled", "SL #c04000"},
              {"late", "L #ff0000"},
              {"nothing happened", "- -"}});
    }
    void rowColours() {
        const QStringList v = rowValues();
        const QBrush colour = v[1] == "-" ? QBrush()
                              : v[1] == "disabled"
                                  ? QBrush(QPalette().color(QPalette::Disabled, QPalette::Text))
                                  : QBrush(QColor(v[1]));
        OrderLine l = line("000001");
        l.IsReturned = v[0].contains('R');
        l.IsRenewed = v[0].contains('W');
        l.IsSettled = v[0].contains('S');
        l.LateAmt = v[0].contains('L') ? Money::fromWhole(5) : Money();
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
    // The "#" column's remembered width; whether the others come back.
    void rememberedWidths_data() {
        rows({{"number column remembered", "600 1"}, {"number column 0", "0 0"}});
    }
    void rememberedWidths() {
        const QStringList v = rowValues();
        TestSettings store;
        store.settings.setValue("msgRentItems/#", v[0]);
        store.settings.setValue("msgRentItems/Late$", "300");
        QTableWidget grid;
        grid.setObjectName("msgRentItems");
        SetupRentGrid(grid);
        RestoreColumnWidths(grid, store.settings);
        QCOMPARE(grid.columnWidth(ColLate) == 20, v[1] == "1");
    }

    // Top row, rows, key, the new top row.
    void pagedTopRow_data() {
        rows({{"up from 6", "6 30 up 1"},
              {"up from 3", "3 30 up 1"},
              {"up, heading only", "1 1 up 0"},
              {"down near the end", "25 30 down 25"},
              {"down to the last page", "24 30 down 29"}});
    }
    void pagedTopRow() {
        const QStringList v = rowValues();
        QCOMPARE(PagedTopRow(v[0].toInt(), v[1].toInt(), v[2] == "up"), v[3].toInt());
    }
};

QTEST_MAIN(TestRentalRules)
#include "tst_rentalrules.moc"
