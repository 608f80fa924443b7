#include "Money.h"
#include "PageReader.h"
#include "ReportCsv.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "reportformat.h"
#include "reportquery.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace pagereader;

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO 影帶"),
                     QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

// A grouped report of made-up charges on 1 February: a code per group, then quantity, amount
// and a note; each row given as "code quantity amount".
Report charges(const QStringList& rows, const QString& note = {}) {
    Report r;
    ReportDefinition& def = r.definition;
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
    r.data.fields = QStringList{"Code", "Day", "Qty", "Amt", "Note"};
    for (const QString& row : rows) {
        const QStringList v = row.split(QLatin1Char(' '));
        r.data.rows.append({v[0], QDate(2004, 2, 1), v[1].toLongLong(),
                            QVariant::fromValue(*Money::parse(v[2])), note});
    }
    return r;
}

// Three groups long enough to run over several pages.
Report longCharges(const QString& note) {
    QStringList rows;
    for (const char* code : {"A", "B", "C"})
        rows += QStringList(70, QString::fromLatin1(code) + QStringLiteral(" 1 0.10"));
    return charges(rows, note);
}

PageModel layout(const Report& r) {
    return layoutReport(r, Info, defaultPageLayout(r.definition));
}

} // namespace

// The report engine on made-up reports: grouping and sums, pages, long texts, the painted
// PDF and the CSV export.
class Test_reportengine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void groupsSumAndCount_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("table");
        const auto row = [](const char* name, const QStringList& rows, const QStringList& table) {
            QTest::newRow(name) << rows << table;
        };
        row("two groups", {"A 1 0.10", "A 2 0.20", "B 5 1,000.00"},
            {"A", "01/02/2004 | 1 | 0.10", "01/02/2004 | 2 | 0.20", "Sub total: | 3 | 0.30",
             "Lines: 2", "B", "01/02/2004 | 5 | 1,000.00", "Sub total: | 5 | 1,000.00", "Lines: 1",
             "Total: | 8 | 1,000.30", "Category Count = 2"});
        row("no rows", {}, {"Total: | 0 | 0.00", "Category Count = 0"});
    }
    void groupsSumAndCount() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, table);
        QCOMPARE(body(layout(charges(rows))), table);
    }

    // Every page has its headings and its number, a row never runs from one page onto the
    // next nor into the page footer, and a group cut by a break names itself again at the top.
    // A note too wide for its column goes on over further lines of its row, broken between
    // words, or inside a word only when the word alone is wider than the column.
    void pages_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("joiner");
        QTest::newRow("rows of one line") << QString() << QString();
        QTest::newRow("words") << "FLAT 12B, 33RD FLOOR, BLOCK C, WONDERFUL GARDEN MANSION, 123 "
                                  "WATERLOO ROAD, KOWLOON TONG"
                               << " ";
        QTest::newRow("one long word") << QString(120, QLatin1Char('W')) << "";
        QTest::newRow("Chinese") << QString::fromUtf8("陳大文").repeated(30) << "";
    }
    void pages() {
        QFETCH(QString, note);
        QFETCH(QString, joiner);
        const PageModel m = layout(longCharges(note));
        const int count = m.pages.size();
        QVERIFY(count >= 3);
        for (int i = 0; i < count; ++i) {
            const ReportPage& page = m.pages.at(i);
            QCOMPARE(
                lines({page}, {Band::PageFooter}),
                QStringList{
                    QStringLiteral("FLICKA VIDEO 影帶 | Page %1 of %2").arg(i + 1).arg(count)});
            QCOMPARE(page.texts.last().rect.right(), m.area.width());
            QCOMPARE(lines({page}, {Band::PageHeader}),
                     QStringList({"Code", "Day | Qty | Amount($) | Note"}));
            QVERIFY2(overlap(page).isEmpty(), qPrintable(overlap(page)));
            QVERIFY(lines({page}, {Band::Detail}).first().startsWith(QStringLiteral("01/02/2004")));
            // The table goes on under a group header.
            QCOMPARE(lines({page}, {Band::GroupHeader, Band::Detail}).first(),
                     lines({page}, {Band::GroupHeader}).first());
            const double footerTop = page.lines.last().y1();
            for (const PageText& text : page.texts) {
                QVERIFY(text.rect.left() >= 0 && text.rect.right() <= m.area.width() + 0.01);
                QVERIFY(text.width <= text.rect.width() + 0.01 &&
                        !text.text.contains(QChar(0x2026)));
                if (text.band != Band::PageFooter)
                    QVERIFY2(text.rect.bottom() <= footerTop, qPrintable(text.text));
            }
        }
        QCOMPARE(lines({m.pages.at(1)}, {Band::GroupHeader}).first(),
                 lines({m.pages.first()}, {Band::GroupHeader}).last());
        QCOMPARE(lines(m.pages, {Band::ReportFooter}),
                 QStringList({"Total: | 210 | 21.00", "Category Count = 3"}));
        // The first row: its figures on its first line, its note over the lines up to the next.
        const QStringList details = lines(m.pages, {Band::Detail});
        QVERIFY(details.first().startsWith(QStringLiteral("01/02/2004 | 1 | 0.10")));
        QStringList noteLines{details.first().section(QStringLiteral(" | "), 3)};
        for (int i = 1; !details.at(i).startsWith(QStringLiteral("01/02/2004")); ++i)
            noteLines.append(details.at(i));
        QCOMPARE(noteLines.join(joiner), note);
    }

    void largeFigureGivesUpItsGapRatherThanDigits() {
        // Widths in points: the two columns fill the 527 points of an A4 page's printable width.
        const QString amount = QStringLiteral("1,234.50");
        const double room = TextMeasure().width(amount, TextStyle::Normal) + 9;
        Report r;
        r.definition.columns = {column("Note", "Note", 527 - room),
                                column("Amount($)", "Amt", room, FieldFormat::Amount)};
        r.data.fields = QStringList{"Note", "Amt"};
        r.data.rows = {{QStringLiteral("x"), QVariant::fromValue(*Money::parse(amount))}};
        const PageModel m = layout(r);
        QCOMPARE(lines(m.pages, {Band::Detail}), QStringList({"x | 1,234.50"}));
        QVERIFY(overlap(m.pages.first()).isEmpty());
    }

    // Every page is painted, with its texts in any script.
    void pdfHoldsEveryPage() {
        const PageModel m = layout(longCharges(QStringLiteral("陳大文")));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("test.pdf"));
        QVERIFY(writePdf(m, path, QStringLiteral("Test Report:")));
        QProcess tool;
        tool.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished() && tool.exitCode() == 0);
        // The PDF's text layer names a few Chinese glyphs by the Kangxi radical that shares the
        // glyph (the page itself shows the right character); NFKC folds them back.
        const QString text = QString::fromUtf8(tool.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC);
        for (const QString& part : {QStringLiteral("Test Report:"), QStringLiteral("陳大文"),
                                    QStringLiteral("FLICKA VIDEO 影帶"),
                                    QStringLiteral("Page %1 of %1").arg(m.pages.size())})
            QVERIFY2(text.contains(part), qPrintable(part));
        QCOMPARE(text.count(QLatin1Char('\f')), m.pages.size());
    }

    // One CSV row per detail line with its group keys, one column per field of a column that
    // shows several; amounts without thousands separators; quotes where a value needs them.
    void csvKeepsEveryValueWhole() {
        Report r = charges({"A 1 1,234.5", "A 2 0", "B 3 0"});
        r.definition.columns.last().fields.append(QStringLiteral("Code"));
        const QStringList notes = {"ONE, TWO", "SAY \"HI\"", "TWO\nLINES 陳"};
        for (int i = 0; i < notes.size(); ++i)
            r.data.rows[i][4] = notes[i];
        QCOMPARE(reportCsv(r),
                 "\xEF\xBB\xBF" + QStringLiteral("Code,Day,Qty,Amount($),Note,Code\r\n"
                                                 "A,01/02/2004,1,1234.50,\"ONE, TWO\",A\r\n"
                                                 "A,01/02/2004,2,0.00,\"SAY \"\"HI\"\"\",A\r\n"
                                                 "B,01/02/2004,3,0.00,\"TWO\nLINES 陳\",B\r\n")
                                      .toUtf8());
    }
};

QTEST_MAIN(Test_reportengine)
#include "tst_reportengine.moc"
