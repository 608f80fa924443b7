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

    static QList<EncodedLabel> labels(const QStringList& ids, const QString& title = "HEAT") {
        QList<CopyLabel> copies;
        for (const QString& id : ids)
            copies.append({id, title, "V3"});
        return encodeLabels(copies).labels;
    }
    static PageModel card(const QString& name, const QString& number = "000123") {
        return layoutCard({"Flicka Video", number, name, name, "01/02/2003"},
                          *encodeCode128(number));
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
        if (!image.save(png))
            return {"not saved"};
        QProcess zbar;
        zbar.start("zbarimg", {"--raw", "-q", png});
        zbar.waitForFinished();
        QStringList found = QString::fromUtf8(zbar.readAllStandardOutput()).split('\n');
        found.removeAll(QString());
        found.sort();
        return found;
    }

private Q_SLOTS:
    void scansRoundTrip_data() {
        QTest::addColumn<PageModel>("model");
        QTest::addColumn<Pages>("codes");
        QTest::newRow("sheet, 22 used")
            << layoutLabels(labels({"A00001", "A00002", "B00010"}), LabelStock::Sheet, 22)
            << Pages{{"A00001", "A00002"}, {"B00010"}};
        QTest::newRow("roll") << layoutLabels(labels({"C00001", "C00002"}), LabelStock::Roll, 3)
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

    // Row by row from the offset, a new sheet after 24; on a roll every label is a page.
    void labelSpots_data() {
        QTest::addColumn<LabelStock>("stock");
        QTest::addColumn<QList<int>>("offsetIndexPageColumnRow");
        const LabelStock sheet = LabelStock::Sheet;
        QTest::newRow("first") << sheet << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("after used ones") << sheet << QList<int>{5, 0, 0, 2, 1};
        QTest::newRow("last of a sheet") << sheet << QList<int>{0, 23, 0, 2, 7};
        QTest::newRow("next sheet") << sheet << QList<int>{0, 24, 1, 0, 0};
        QTest::newRow("offset, next sheet") << sheet << QList<int>{22, 3, 1, 1, 0};
        QTest::newRow("roll") << LabelStock::Roll << QList<int>{5, 3, 3, 0, 0};
    }
    void labelSpots() {
        QFETCH(LabelStock, stock);
        QFETCH(QList<int>, offsetIndexPageColumnRow);
        const QList<int>& n = offsetIndexPageColumnRow;
        const LabelSpot spot = labelSpot(stock, n[0], n[1]);
        QCOMPARE(spot.page, n[2]);
        const QRectF expected = stock == LabelStock::Sheet
                                    ? rectMm(n[3] * 70, 0.5 + n[4] * 37, 70, 37)
                                    : rectMm(0, 0, 62, 29);
        QCOMPARE(spot.rect, expected);
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
            {layoutLabels(labels({"A1"}, text), LabelStock::Sheet, 0),
             labelSpot(LabelStock::Sheet, 0, 0).rect},
            {layoutLabels(labels({"A1"}, text), LabelStock::Roll, 0),
             labelSpot(LabelStock::Roll, 0, 0).rect},
            {card(text), rectMm(0, 0, 85.6, 54)}};
        for (const auto& [model, room] : layouts) {
            const ReportPage& page = model.pages.first();
            QCOMPARE(page.barcodes.size(), 1);
            QVERIFY(room.contains(page.barcodes.first().rect));
            bool shown = false;
            for (const PageText& placed : page.texts) {
                QVERIFY2(room.contains(placed.rect), qPrintable(placed.text));
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
        QList<CopyLabel> copies;
        for (const QString& id : ids)
            copies.append({id, "HEAT", "V3"});
        const LabelPrint print = printCopyLabels(copies, LabelStock::Sheet, 0);
        QCOMPARE(print.message, message);
        QCOMPARE(print.content.has_value(), printed > 0);
        if (print.content)
            QCOMPARE(print.content->layout({}).pages.first().barcodes.size(), printed);
    }
};

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
