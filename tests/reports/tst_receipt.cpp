#include "PageReader.h"
#include "ShopFixture.h"
#include "receipt.h"
#include "receiptlayout.h"

#include <QPageSize>
#include <QTest>

using namespace pagereader;

namespace {

const QDateTime Printed(QDate(2004, 3, 10), QTime(18, 45));

QPageLayout pageOf(const QPageSize& size,
                   QPageLayout::Orientation orientation = QPageLayout::Portrait) {
    return QPageLayout(size, orientation, QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter);
}

QPageLayout roll(double widthMm) {
    return pageOf(
        QPageSize(QSizeF(widthMm, 200), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
}

QString describe(const ReceiptLine& l) {
    return QStringList{SectionTitle(l.section),
                       l.itemID,
                       l.title,
                       QString::number(l.quantity),
                       l.due.toString(QStringLiteral("dd/MM/yyyy")),
                       l.charge.format(),
                       l.late.format(),
                       l.note,
                       l.paidNow ? QStringLiteral("paid") : QStringLiteral("owed")}
        .join(QLatin1Char('|'));
}

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

    // Member 000123 took out four films on 1 March (due on the 4th, six days late on the 10th)
    // and comes back on the 10th: returns one, renews one for cash and one on arrears, settles
    // the fourth, rents two more (one free) and buys seven bags of popcorn (three for 25.00).
    struct MixedVisit {
        MixedVisit() {
            shop.addCategory(QStringLiteral("V"), QStringLiteral("15"), 3, QStringLiteral("5"));
            shop.addCategory(QStringLiteral("S"), QStringLiteral("0"), 0, QStringLiteral("0"),
                             QStringLiteral("10"), 3, QStringLiteral("25"));
            const QStringList titles = {"ALIEN", "BRAZIL",     "CASABLANCA",
                                        "DUNE",  "ERASERHEAD", "FARGO"};
            for (int i = 0; i < titles.size(); ++i)
                shop.addItem(QStringLiteral("00000%1").arg(i + 1), titles[i], QStringLiteral("V"));
            shop.addItem(QStringLiteral("S00001"), QStringLiteral("POPCORN"), QStringLiteral("S"),
                         QStringLiteral("4"));
            shop.addMember(QStringLiteral("000123"));
            ok = shop.ok() && shop.t.exec(QStringLiteral("UPDATE Customers SET ChineseName = ?"),
                                          {QStringLiteral("陳大文")});
            shop.clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
            ok = ok &&
                 shop.visit(QStringLiteral("000123"),
                            {{"A", "000001"}, {"A", "000002"}, {"A", "000003"}, {"A", "000004"}});
            shop.clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40)));
            visit = shop.open(QStringLiteral("000123"));
            const QList<QStringList> commands = {{"R", "000001", "01"},   {"RR", "000002", "01"},
                                                 {"RR*", "000003", "01"}, {"R", "S88", "01"},
                                                 {"A", "000005", "02"},   {"F", "000006", "01"},
                                                 {"S", "S00001", "07"}};
            for (const QStringList& c : commands)
                ok = ok && visit->ExecuteCommand(c[0], c[1], c[2]).ok;
        }

        ShopFixture shop;
        std::unique_ptr<Visit> visit;
        bool ok = false;
    };

    std::unique_ptr<MixedVisit> m;

    Receipt receipt() const {
        return MakeReceipt(*m->visit, QStringLiteral("FLICKA 影帶"), Printed);
    }

private Q_SLOTS:
    void init() {
        m = std::make_unique<MixedVisit>();
        QVERIFY(m->ok);
    }

    void linesOfAMixedVisit() {
        const Receipt r = receipt();
        QCOMPARE(r.shopName, QStringLiteral("FLICKA 影帶"));
        QCOMPARE(r.printed, Printed);
        QCOMPARE(r.customerID, QStringLiteral("000123"));
        QCOMPARE(r.customerName, QStringLiteral("MEMBER 000123 陳大文"));
        QStringList lines;
        for (const ReceiptLine& line : r.lines)
            lines << describe(line);
        QCOMPARE(lines,
                 (QStringList{
                     "Rentals|000005|ERASERHEAD|2|16/03/2004|30.00|0.00||paid",
                     "Rentals|000006|FARGO|1|13/03/2004|0.00|0.00|Free|paid",
                     "Returns|000001|ALIEN|0||0.00|30.00||paid",
                     "Renewals|000002|BRAZIL|1|13/03/2004|15.00|30.00||paid",
                     "Renewals|000003|CASABLANCA|1|13/03/2004|0.00|0.00|Arrears, owed 45.00|owed",
                     "Sales|S00001|POPCORN|7||60.00|0.00||paid",
                     "Settled|000004|DUNE|0||0.00|30.00||paid"}));
    }

    // The receipt's total is the counter's, and its lines add up to it.
    void totalIsTheCounters() {
        const Receipt r = receipt();
        QCOMPARE(r.total, m->visit->UpdateTotals().total());
        QCOMPARE(r.total.format(), QStringLiteral("195.00"));
        Money sum;
        for (const ReceiptLine& line : r.lines)
            sum += line.paid();
        QCOMPARE(sum, r.total);
    }

    void deletedLinesAreLeftOut() {
        QVERIFY(m->visit->ExecuteCommand(QStringLiteral("D"), QStringLiteral("000005"), {}).ok);
        const Receipt r = receipt();
        QVERIFY(std::none_of(r.lines.begin(), r.lines.end(), [](const ReceiptLine& l) {
            return l.itemID == QLatin1String("000005");
        }));
        QCOMPARE(r.total.format(), QStringLiteral("165.00"));
    }

    void onRollPaper() {
        const PageModel model = layoutReceipt(receipt(), roll(58));
        QCOMPARE(model.pages.size(), 1);
        QCOMPARE(qRound(model.pageLayout.fullRect(QPageLayout::Millimeter).width()), 80);
        const QStringList lines = pagereader::lines(model, Band::Detail);
        QCOMPARE(lines.value(0), QStringLiteral("FLICKA 影帶"));
        QVERIFY(lines.contains(QStringLiteral("Member: 000123")));
        // A title on its own line, its figures below it.
        const qsizetype title = lines.indexOf(QStringLiteral("000005  ERASERHEAD"));
        QVERIFY(title > 0);
        QCOMPARE(lines.value(title + 1), QStringLiteral("Qty 2 | Due 16/03/2004 | 30.00"));
        QVERIFY(lines.contains(QStringLiteral("Arrears, owed 45.00")));
        QCOMPARE(lines.last(), QStringLiteral("Total ($): | 195.00"));
        QVERIFY(within(model));
        // The roll is cut just below the total.
        const double lastLine = model.pages.first().texts.last().rect.bottom();
        QVERIFY(model.area.height() >= lastLine);
        QVERIFY(model.area.height() < lastLine + 30);
    }

    void onA4() {
        const PageModel model = layoutReceipt(receipt(), pageOf(QPageSize(QPageSize::Letter)));
        QCOMPARE(model.pages.size(), 1);
        QCOMPARE(model.pageLayout.pageSize().id(), QPageSize::A4);
        const QStringList lines = pagereader::lines(model, Band::Detail);
        QVERIFY(lines.contains(QStringLiteral("000005 | ERASERHEAD | 2 | 16/03/2004 | 30.00")));
        QVERIFY(lines.contains(QStringLiteral("000002 | BRAZIL | 1 | 13/03/2004 | 15.00")));
        QCOMPARE(lines.value(
                     lines.indexOf(QStringLiteral("000002 | BRAZIL | 1 | 13/03/2004 | 15.00")) + 1),
                 QStringLiteral("Late charge | 30.00"));
        QCOMPARE(lines.last(), QStringLiteral("Total ($): | 195.00"));
        QVERIFY(within(model));
    }

    // A visit longer than a page goes on over A4 pages, and on one long strip of roll paper.
    void longVisit() {
        Receipt r = receipt();
        const ReceiptLine line = r.lines.first();
        for (int i = 0; i < 120; ++i)
            r.lines.prepend(line);
        const PageModel a4 = layoutReceipt(r, pageOf(QPageSize(QPageSize::A4)));
        QVERIFY(a4.pages.size() > 1);
        QVERIFY(within(a4));
        const PageModel strip = layoutReceipt(r, roll(80));
        QCOMPARE(strip.pages.size(), 1);
        QVERIFY(strip.pageLayout.fullRect(QPageLayout::Millimeter).height() > 600);
        QVERIFY(within(strip));
    }
};

QTEST_MAIN(Test_receipt)
#include "tst_receipt.moc"
