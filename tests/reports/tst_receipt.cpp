#include "PageReader.h"
#include "ShopFixture.h"
#include "receipt.h"
#include "receiptlayout.h"

#include <QPageSize>
#include <QTest>

using namespace pagereader;

namespace {

QPageLayout pageOf(const QPageSize& size) {
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter);
}

QPageLayout page(double widthMm, double heightMm) {
    return pageOf(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(),
                            QPageSize::ExactMatch));
}

QString describe(const ReceiptLine& l) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(SectionTitle(l.section), l.itemID, l.title, QString::number(l.quantity),
             l.due.toString(QStringLiteral("dd/MM/yyyy")), l.charge.format(), l.late.format(),
             l.note, l.paidNow ? QStringLiteral("paid") : QStringLiteral("owed"));
}

// Every text inside the page, none over another.
bool within(const PageModel& model) {
    for (const ReportPage& page : model.pages) {
        for (const PageText& text : page.texts) {
            if (text.rect.right() > model.area.width() + 0.01 ||
                text.rect.bottom() > model.area.height() + 0.01 || !overlap(page).isEmpty())
                return false;
        }
    }
    return true;
}

} // namespace

// The receipt of one visit: what it lists and what it adds up to, on roll paper and on A4.
class Test_receipt : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;
    std::unique_ptr<Visit> visit;

    Receipt receipt() const {
        return MakeReceipt(*visit, QStringLiteral("FLICKA 影帶"),
                           QDateTime(QDate(2004, 3, 10), QTime(18, 45)));
    }

private Q_SLOTS:
    // Member 000123 took out four films on 1 March (due on the 4th, six days late on the 10th)
    // and comes back on the 10th: returns one, renews one for cash and one on arrears, settles
    // the fourth, rents two more (one free) and buys seven bags of popcorn (three for 25.00).
    void initTestCase() {
        shop = std::make_unique<ShopFixture>();
        shop->addCategory("V", "15", 3, "5");
        shop->addCategory("S", "0", 0, "0", "10", 3, "25");
        const QStringList titles = {"ALIEN", "BRAZIL", "CASABLANCA", "DUNE", "ERASERHEAD", "FARGO"};
        for (int i = 0; i < titles.size(); ++i)
            shop->addItem(QStringLiteral("00000%1").arg(i + 1), titles[i], "V");
        shop->addItem("S00001", "POPCORN", "S", "4");
        shop->addMember("000123");
        QVERIFY(shop->ok() && shop->t.exec("UPDATE Customers SET ChineseName = ?", {"陳大文"}));
        shop->clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
        QVERIFY(shop->visit("000123",
                            {{"A", "000001"}, {"A", "000002"}, {"A", "000003"}, {"A", "000004"}}));
        shop->clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40)));
        visit = shop->open("000123");
        for (const QString& command :
             QStringLiteral("R 000001 01|RR 000002 01|RR* 000003 01|R S88 01|A 000005 02|"
                            "F 000006 01|S S00001 07")
                 .split(QLatin1Char('|'))) {
            const QStringList c = command.split(QLatin1Char(' '));
            QVERIFY(runCommand(*visit, c[0], c[1], c[2]));
        }
    }

    // On roll paper a title has a line of its own with its figures below, and the roll (of any
    // width) is 80 mm wide and cut just below the total however long the visit; other paper
    // gets A4 pages, one line to a row. The visit's first line is repeated to make it long.
    void layouts_data() {
        QTest::addColumn<QPageLayout>("printer");
        QTest::addColumn<bool>("roll");
        QTest::newRow("roll") << page(58, 200) << true;
        QTest::newRow("Letter") << pageOf(QPageSize(QPageSize::Letter)) << false;
    }
    void layouts() {
        QFETCH(QPageLayout, printer);
        QFETCH(bool, roll);
        Receipt r = receipt();
        r.lines = QList<ReceiptLine>(120, r.lines.first()) + r.lines;
        const PageModel model = layoutReceipt(r, printer);
        QCOMPARE(model.pages.size() > 1, !roll);
        QCOMPARE(qRound(model.pageLayout.fullRect(QPageLayout::Millimeter).width()),
                 roll ? 80 : 210);
        const QStringList entry =
            roll ? QStringList{"000005  ERASERHEAD", "Qty 2 | Due 16/03/2004 | 30.00"}
                 : QStringList{"000002 | BRAZIL | 1 | 13/03/2004 | 15.00", "Late charge | 30.00"};
        const QStringList printed = lines(model.pages, {Band::Detail});
        QCOMPARE(printed.first(), QStringLiteral("FLICKA 影帶"));
        QVERIFY(printed.contains(QStringLiteral("Member: 000123")));
        QVERIFY(printed.contains(QStringLiteral("Arrears, owed 45.00")));
        QCOMPARE(printed.mid(printed.indexOf(entry.first()), 2), entry);
        QCOMPARE(printed.last(), QStringLiteral("Total ($): | 195.00"));
        QVERIFY(within(model));
        const double lastLine = model.pages.last().texts.last().rect.bottom();
        QCOMPARE(model.area.height() < lastLine + 30, roll);
    }

    // The lines by section, and a total that is the counter's and that the lines add up to;
    // last, as it takes a line off the visit, which leaves it off the receipt.
    void linesOfAMixedVisit() {
        Receipt r = receipt();
        QCOMPARE(r.customerName, QStringLiteral("MEMBER 000123 陳大文"));
        QStringList lines;
        Money sum;
        for (const ReceiptLine& line : r.lines) {
            lines << describe(line);
            sum += line.paid();
        }
        QCOMPARE(lines,
                 (QStringList{
                     "Rentals|000005|ERASERHEAD|2|16/03/2004|30.00|0.00||paid",
                     "Rentals|000006|FARGO|1|13/03/2004|0.00|0.00|Free|paid",
                     "Returns|000001|ALIEN|0||0.00|30.00||paid",
                     "Renewals|000002|BRAZIL|1|13/03/2004|15.00|30.00||paid",
                     "Renewals|000003|CASABLANCA|1|13/03/2004|0.00|0.00|Arrears, owed 45.00|owed",
                     "Sales|S00001|POPCORN|7||60.00|0.00||paid",
                     "Settled|000004|DUNE|0||0.00|30.00||paid"}));
        QCOMPARE(r.total, visit->UpdateTotals().total());
        QCOMPARE(r.total.format(), QStringLiteral("195.00"));
        QCOMPARE(sum, r.total);
        QVERIFY(runCommand(*visit, "D", "000005"));
        r = receipt();
        QCOMPARE(r.lines.first().itemID, QStringLiteral("000006"));
        QCOMPARE(r.total.format(), QStringLiteral("165.00"));
    }
};

QTEST_MAIN(Test_receipt)
#include "tst_receipt.moc"
