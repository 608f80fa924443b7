#include "Money.h"
#include "PageReader.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "reportformat.h"
#include "reportquery.h"

#include <QBuffer>
#include <QMap>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>

using namespace pagereader;

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO 影帶"),
                     QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

// A grouped report of made-up charges: a code per group, then day, quantity, amount, note.
Report charges() {
    Report r;
    ReportDefinition& def = r.definition;
    def.name = QStringLiteral("test");
    def.title = QStringLiteral("Test Report:");
    def.criteria = QStringLiteral("Txn Date: \n01/02/2004 To 29/02/2004");
    def.columns = {keyColumn("Code", "Code", 10), column("Day", "Day", 12, FieldFormat::Date),
                   column("Qty", "Qty", 8, FieldFormat::Count),
                   column("Amount($)", "Amt", 12, FieldFormat::Amount), column("Note", "Note", 20)};
    const QList<FooterFigure> sums = {sumOf("Qty"), sumOf("Amt")};
    def.group = ReportGroup{{QStringLiteral("Code")},
                            {FooterLine{QStringLiteral("Sub total:"), sums},
                             FooterLine{QStringLiteral("Lines:"), {rowCount()}}}};
    def.footer = {FooterLine{QStringLiteral("Total:"), sums},
                  FooterLine{QStringLiteral("Category Count = "), {groupCount()}}};
    r.data.fields = {QStringLiteral("Code"), QStringLiteral("Day"), QStringLiteral("Qty"),
                     QStringLiteral("Amt"), QStringLiteral("Note")};
    return r;
}

void addRow(Report& r, const QString& code, qint64 qty, const char* amount,
            const QString& note = {}) {
    r.data.rows.append({code, QDate(2004, 2, 1), qty,
                        QVariant::fromValue(*Money::parse(QString::fromLatin1(amount))), note});
}

// Three groups long enough to run over several pages.
Report longCharges(const QString& note = {}) {
    Report r = charges();
    for (const char* code : {"A", "B", "C"}) {
        for (int i = 0; i < 70; ++i)
            addRow(r, QString::fromLatin1(code), 1, "0.10", note);
    }
    return r;
}

PageModel layout(const Report& r) {
    return layoutReport(r, Info, defaultPageLayout(r.definition));
}

// Each line's band, top to bottom.
QList<Band> bandsOf(const ReportPage& page) {
    QMap<qint64, Band> byTop;
    for (const PageText& text : page.texts) {
        if (text.band != Band::PageFooter)
            byTop.insert(qRound64(text.rect.top() * 100), text.band);
    }
    return byTop.values();
}

} // namespace

class Test_reportlayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void groupsSumAndCount() {
        Report r = charges();
        addRow(r, "A", 1, "0.10");
        addRow(r, "A", 2, "0.20");
        addRow(r, "B", 5, "1,000.00");
        const PageModel m = layout(r);
        QCOMPARE(m.pages.size(), 1);
        QCOMPARE(lines(m, Band::GroupHeader), QStringList({"A", "B"}));
        QCOMPARE(lines(m, Band::Detail).size(), 3);
        QCOMPARE(lines(m, Band::GroupFooter),
                 QStringList({"Sub total: | 3 | 0.30", "Lines: 2", "Sub total: | 5 | 1,000.00",
                              "Lines: 1"}));
        QCOMPARE(lines(m, Band::ReportFooter),
                 QStringList({"Total: | 8 | 1,000.30", "Category Count = 2"}));
    }

    void emptyReportKeepsHeadingsAndFooter() {
        const PageModel m = layout(charges());
        QCOMPARE(m.pages.size(), 1);
        QCOMPARE(lines(m, Band::PageHeader), QStringList({"Code", "Day | Qty | Amount($) | Note"}));
        QCOMPARE(lines(m, Band::ReportFooter),
                 QStringList({"Total: | 0 | 0.00", "Category Count = 0"}));
        QCOMPARE(lines(m, Band::PageFooter), QStringList({"FLICKA VIDEO 影帶 | Page 1 of 1"}));
    }

    // Every page has its headings and number, and nothing runs into its footer; a group cut by
    // a break names itself again at the top of the next page.
    void pagination_data() {
        QTest::addColumn<QString>("note");
        QTest::newRow("rows of one line") << QString();
        QTest::newRow("rows of three lines") << QStringLiteral(
            "A NOTE LONG ENOUGH TO RUN OVER THREE LINES OF ITS COLUMN, WHICH IS NOT VERY WIDE");
    }
    void pagination() {
        QFETCH(QString, note);
        const PageModel m = layout(longCharges(note));
        const int count = m.pages.size();
        QVERIFY(count >= 3);
        for (int i = 0; i < count; ++i) {
            const ReportPage& page = m.pages.at(i);
            QCOMPARE(
                lines(page, Band::PageFooter),
                QStringList(
                    {QStringLiteral("FLICKA VIDEO 影帶 | Page %1 of %2").arg(i + 1).arg(count)}));
            const PageText& number = page.texts.last();
            QVERIFY(number.align.testFlag(Qt::AlignRight));
            QCOMPARE(number.rect.right(), m.area.width());
            QCOMPARE(lines(page, Band::PageHeader),
                     QStringList({"Code", "Day | Qty | Amount($) | Note"}));
            QVERIFY2(overlap(page).isEmpty(), qPrintable(overlap(page)));
            if (i > 0)
                QCOMPARE(bandsOf(page).mid(0, 3),
                         QList<Band>({Band::PageHeader, Band::PageHeader, Band::GroupHeader}));
            // A row never runs from one page onto the next.
            QVERIFY(lines(page, Band::Detail).first().startsWith(QStringLiteral("01/02/2004")));
            const double footerTop = page.lines.last().y1();
            for (const PageText& text : page.texts) {
                QVERIFY(text.rect.left() >= 0 && text.rect.right() <= m.area.width() + 0.01);
                if (text.band != Band::PageFooter)
                    QVERIFY2(text.rect.bottom() <= footerTop, qPrintable(text.text));
            }
        }
        QCOMPARE(lines(m.pages.at(1), Band::GroupHeader).first(),
                 lines(m.pages.first(), Band::GroupHeader).last());
        QCOMPARE(
            lines(m, Band::Detail).filter(QRegularExpression(QStringLiteral("^01/02/2004"))).size(),
            210);
        QCOMPARE(lines(m, Band::ReportFooter),
                 QStringList({"Total: | 210 | 21.00", "Category Count = 3"}));
    }

    // A text too wide for its column goes on over further lines of its row, broken between
    // words, or inside a word only when the word alone is wider than the column; the figures
    // stay on the row's first line and the next row starts below the last line.
    void longTextWrapsWithinItsRow_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("joiner");
        QTest::newRow("words") << "FLAT 12B, 33RD FLOOR, BLOCK C, WONDERFUL GARDEN MANSION, 123 "
                                  "WATERLOO ROAD, KOWLOON TONG"
                               << " ";
        QTest::newRow("one long word") << QString(120, QLatin1Char('W')) << "";
        QTest::newRow("Chinese") << QString::fromUtf8("陳大文").repeated(30) << "";
    }
    void longTextWrapsWithinItsRow() {
        QFETCH(QString, note);
        QFETCH(QString, joiner);
        Report r = charges();
        addRow(r, "A", 1, "1", note);
        addRow(r, "A", 2, "2", QStringLiteral("NEXT"));
        const PageModel m = layout(r);
        const QStringList details = lines(m, Band::Detail);
        QVERIFY2(details.size() > 3, qPrintable(details.join('\n')));
        QVERIFY(details.first().startsWith(QStringLiteral("01/02/2004 | 1 | 1.00 | ")));
        QCOMPARE(details.last(), QStringLiteral("01/02/2004 | 2 | 2.00 | NEXT"));
        const QStringList noteLines =
            QStringList{details.first().section(QStringLiteral(" | "), 3)} +
            details.mid(1, details.size() - 2);
        QCOMPARE(noteLines.join(joiner), note);
        QVERIFY(overlap(m.pages.first()).isEmpty());
        for (const PageText& text : m.pages.first().texts)
            QVERIFY2(text.width <= text.rect.width() + 0.01 && !text.text.contains(QChar(0x2026)),
                     qPrintable(text.text));
    }

    void largeFigureGivesUpItsGapRatherThanDigits() {
        // Widths in points: the two columns fill the 527 points of an A4 page's printable width.
        const QString amount = QStringLiteral("1,234.50");
        const double room = TextMeasure().width(amount, TextStyle::Normal) + 9;
        Report r;
        r.definition.columns = {column("Note", "Note", 527 - room),
                                column("Amount($)", "Amt", room, FieldFormat::Amount)};
        r.data.fields = {QStringLiteral("Note"), QStringLiteral("Amt")};
        r.data.rows = {{QStringLiteral("x"), QVariant::fromValue(*Money::parse(amount))}};
        const PageModel m = layout(r);
        QCOMPARE(lines(m, Band::Detail), QStringList({"x | 1,234.50"}));
        QVERIFY(overlap(m.pages.first()).isEmpty());
    }

    void paintsEveryPageOnAPagedDevice() {
        const PageModel m = layout(longCharges());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPageLayout(m.pageLayout);
            QVERIFY(paintReport(m, writer));
        }
        const QByteArray pdf = buffer.data();
        QVERIFY(pdf.startsWith("%PDF"));
        const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b"));
        QCOMPARE(QString::fromLatin1(pdf).count(page), m.pages.size());
    }
};

QTEST_MAIN(Test_reportlayout)
#include "tst_reportlayout.moc"
