#include "productcheck.h"

#include <QTest>

Q_DECLARE_METATYPE(ItemBoxes)
Q_DECLARE_METATYPE(ProductBoxes)

// The product form's checks on what the clerk typed: first rule broken wins.
class TestProductRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void itemBoxes_data() {
        QTest::addColumn<ItemBoxes>("boxes");
        QTest::addColumn<QString>("message");
        const QString notValid = NotValidItemIDText;
        QTest::newRow("passes") << ItemBoxes{"A12", "29/02/2004", "1,234.50", ".5", "Damaged"}
                                << "";
        QTest::newRow("all digits") << ItemBoxes{" 123 ", "x", "x", "x", ""} << "123" + notValid;
        QTest::newRow("no such day")
            << ItemBoxes{"A1", "31/02/2004", "x", "x", ""} << "Purchase Date error!";
        QTest::newRow("date untouched")
            << ItemBoxes{"A1", "  /  /    ", "0", "0", "Available"} << "Purchase Date error!";
        QTest::newRow("cost in words")
            << ItemBoxes{"A1", "01/03/2004", "ABC", "x", ""} << "Purchase Price error!";
        QTest::newRow("cost below zero")
            << ItemBoxes{"A1", "01/03/2004", "-50", "0", "Available"} << "Purchase Price error!";
        QTest::newRow("price empty")
            << ItemBoxes{"A1", "01/03/2004", "0", "", "Available"} << "Retail Price error!";
        QTest::newRow("status unknown")
            << ItemBoxes{"A1", "01/03/2004", "0", "0", "LOST"} << "Item Status error!";
        QTest::newRow("no status")
            << ItemBoxes{"A1", "01/03/2004", "0", "0", ""} << "Item Status error!";
    }
    void itemBoxes() {
        QFETCH(ItemBoxes, boxes);
        QFETCH(QString, message);
        const QStringList names = StatusNames({{"2", "Damaged"}, {"0", "Available"}});
        QCOMPARE(names, QStringList({"Available", "", "Damaged"}));
        QCOMPARE(CheckItemBoxes(boxes, names), message);
    }

    void newItemID_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("ok");
        QTest::newRow("letter and digits") << "A00012" << true;
        QTest::newRow("two letters") << "DV0012" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("quote") << "A'12" << false;
    }
    void newItemID() {
        QFETCH(QString, id);
        QFETCH(bool, ok);
        QCOMPARE(IsWellFormedItemID(id), ok);
    }

    void productBoxes_data() {
        QTest::addColumn<ProductBoxes>("boxes");
        QTest::addColumn<QString>("message");
        QTest::newRow("passes") << ProductBoxes{"T", " V ", "", "0", "12.00", "N", ""} << "";
        QTest::newRow("unknown rate code")
            << ProductBoxes{"T", "X", "", "x", "x", "", ""} << "Rate Code error!";
        QTest::newRow("cost in words")
            << ProductBoxes{"T", "V", "", "ABC", "x", "", ""} << "Purchase Price error!";
        QTest::newRow("price in words")
            << ProductBoxes{"T", "V", "", "0", "ABC", "", ""} << "Retail Price error!";
    }
    void productBoxes() {
        QFETCH(ProductBoxes, boxes);
        QFETCH(QString, message);
        CategoryRec video;
        video.CategoryID = "V";
        QCOMPARE(CheckProductBoxes(boxes, {video}), message);
    }
};

QTEST_GUILESS_MAIN(TestProductRules)
#include "tst_productrules.moc"
