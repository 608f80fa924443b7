#include "ReportPainter.h"
#include "labelparts.h"
#include "labelprint.h"
#include "reportformat.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Pages = QList<QStringList>;

// Labels and cards as laid out pages: the spots on a sheet, texts kept to their room, refused
// item IDs, and every page printed at 300 dpi read back by a barcode scanner (zbarimg).
class TestLabels : public QObject {
    Q_OBJECT

    static QList<CopyLabel> copies(const QStringList& ids, const QString& title = "HEAT") {
        QList<CopyLabel> all;
        for (const QString& id : ids)
            all.append({id, title, "V3"});
        return all;
    }
    static PageModel laidOut(const QStringList& ids, LabelStock stock, int offset,
                             const QString& title = "HEAT") {
        return layoutLabels(encodeLabels(copies(ids, title)).labels, stock, offset);
    }
    static PageModel card(const QString& name) {
        return layoutCard({"Flicka Video", "000123", name, name, "01/02/2003"},
                          *encodeCode128("000123"));
    }
    // What zbarimg reads on the page, one line per barcode found.
    static QStringList scan(const PageModel& model, int page, const QString& png) {
        constexpr double Dpi = 300;
        const QSizeF size = model.pageLayout.fullRect(QPageLayout::Point).size() * Dpi / 72;
        QImage image(size.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(Dpi / 0.0254));
        image.setDotsPerMeterY(qRound(Dpi / 0.0254));
        QPainter painter(&image);
        paintPage(painter, model.pages.at(page), Dpi / 72);
        painter.end();
        image.save(png);
        QProcess zbar;
        zbar.start("zbarimg", {"--raw", "-q", png});
        zbar.waitForFinished();
        QStringList found =
            QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        found.sort();
        return found;
    }

private Q_SLOTS:
    void scansRoundTrip_data() {
        QTest::addColumn<PageModel>("model");
        QTest::addColumn<Pages>("codes");
        QTest::newRow("sheet, 22 used")
            << laidOut({"A00001", "A00002", "B00010"}, LabelStock::Sheet, 22)
            << Pages{{"A00001", "A00002"}, {"B00010"}};
        QTest::newRow("roll") << laidOut({"C00001", "C00002"}, LabelStock::Roll, 3)
                              << Pages{{"C00001"}, {"C00002"}};
        QTest::newRow("card") << card("CHAN TAI MAN") << Pages{{"000123"}};
    }
    void scansRoundTrip() {
        if (QStandardPaths::findExecutable("zbarimg").isEmpty())
            QSKIP("zbarimg (zbar-tools) is not installed");
        QFETCH(PageModel, model);
        QFETCH(Pages, codes);
        QTemporaryDir dir;
        QCOMPARE(model.pages.size(), codes.size());
        for (int page = 0; page < codes.size(); ++page)
            QCOMPARE(scan(model, page, dir.filePath(QString("page%1.png").arg(page))),
                     codes.at(page));
    }

    // On a sheet, row by row from the offset, and a new sheet after 24.
    void sheetSpots_data() {
        QTest::addColumn<QList<int>>("offsetIndexPageColumnRow");
        QTest::newRow("after used ones") << QList<int>{5, 0, 0, 2, 1};
        QTest::newRow("last of a sheet") << QList<int>{0, 23, 0, 2, 7};
        QTest::newRow("next sheet") << QList<int>{0, 24, 1, 0, 0};
        QTest::newRow("offset, next sheet") << QList<int>{22, 3, 1, 1, 0};
    }
    void sheetSpots() {
        QFETCH(QList<int>, offsetIndexPageColumnRow);
        const QList<int>& n = offsetIndexPageColumnRow;
        const LabelSpot spot = labelSpot(LabelStock::Sheet, n[0], n[1]);
        QCOMPARE(spot.page, n[2]);
        QCOMPARE(spot.rect, rectMm(n[3] * 70, 0.5 + n[4] * 37, 70, 37));
    }

    // Titles and names are cut to their room: inside the label, clear of the quiet zones.
    void textsStayInTheirRoom_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("long") << QString("THE EXTRAORDINARILY LONG AND WINDING TITLE OF A FILM "
                                         "THAT NEVER ENDS, PART TWO");
        QTest::newRow("chinese") << QString("臥虎藏龍之青冥寶劍與江湖兒女的傳奇故事全集");
        QTest::newRow("apostrophes") << QString("O'BRIEN'S 'DAY' OUT, D'ARTAGNAN'S RETURN AGAIN");
    }
    void textsStayInTheirRoom() {
        QFETCH(QString, text);
        const TextMeasure measure;
        const QList<std::pair<PageModel, QRectF>> layouts = {
            {laidOut({"A1"}, LabelStock::Sheet, 0, text), labelSpot(LabelStock::Sheet, 0, 0).rect},
            {card(text), rectMm(0, 0, 85.6, 54)}};
        for (const auto& [model, room] : layouts) {
            const ReportPage& page = model.pages.first();
            QVERIFY(room.contains(page.barcodes.first().rect));
            bool shown = false;
            for (const PageText& placed : page.texts) {
                QVERIFY(room.contains(placed.rect));
                QVERIFY(measure.width(placed.text, placed.style) <= placed.rect.width());
                QVERIFY(!placed.rect.intersects(page.barcodes.first().rect));
                shown = shown || placed.text.startsWith(text.left(3));
            }
            QVERIFY(shown);
        }
    }

    // An item ID Code 128 cannot hold loses its label, and one message names every such ID.
    void refusedItemIDs_data() {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<int>("printed");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << QStringList{"A00001", "B中01", "A00002"} << 2
                             << "No barcode can be made of item ID B中01: its label is left out.";
        QTest::newRow("all") << QStringList{"€1", "中"} << 0
                             << "No barcode can be made of item IDs €1, 中: their labels are "
                                "left out.";
    }
    void refusedItemIDs() {
        QFETCH(QStringList, ids);
        QFETCH(int, printed);
        QFETCH(QString, message);
        const LabelPrint print = printCopyLabels(copies(ids), LabelStock::Sheet, 0);
        QCOMPARE(print.message, message);
        QCOMPARE(print.content ? print.content->layout({}).pages[0].barcodes.size() : 0, printed);
    }
};

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
