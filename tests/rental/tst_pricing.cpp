#include "catalogue.h"
#include "charges.h"
#include "pricing.h"
#include "utility.h"

#include <QTest>

namespace {

Money m(const char* text) {
    return *Money::parse(QString::fromLatin1(text));
}

ItemRateRec rates(const char* unitPrice, qint64 bundle, const char* bundlePrice) {
    ItemRateRec r;
    r.ItemID = QStringLiteral("000001");
    r.RentUnitDays = 3;
    r.RentUnitRate = m("15");
    r.OverDueRate = m("2.5");
    r.UnitPrice = m(unitPrice);
    r.PromoteQty = bundle;
    r.PromotePrice = m(bundlePrice);
    return r;
}

const QDateTime Evening(QDate(2004, 3, 10), QTime(18, 40));

} // namespace

class TestPricing : public QObject {
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
        QCOMPARE(SalePrice(rates("10", bundle, "25"), pieces).format(), price);
    }

    void rentalLine_data() {
        QTest::addColumn<bool>("free");
        QTest::addColumn<QString>("payType");
        QTest::addColumn<double>("discount");
        QTest::addColumn<QString>("charge");
        QTest::newRow("paid") << false << "0" << 0.0 << "30.00";
        QTest::newRow("free") << true << "3" << 1.0 << "0.00";
    }
    void rentalLine() {
        QFETCH(bool, free);
        QFETCH(QString, payType);
        QFETCH(double, discount);
        QFETCH(QString, charge);
        ItemRateRec r = rates("0", 0, "0");
        r.Quantity = 2;
        const OrderLine line = NewRentalLine(r, QString(), free, Evening);
        QCOMPARE(line.EndDate, QDate(2004, 3, 16));
        QCOMPARE(line.ReturnDate, NoDate);
        QVERIFY(line.IsNewRent && line.IsPaidNow && !line.IsSale);
        QCOMPARE(line.payments.size(), 1);
        const PaymentRec& pay = line.payments.first();
        QCOMPARE(pay.PayType, payType);
        QCOMPARE(pay.Discount, discount);
        QCOMPARE(pay.Quantity, qint64(2));
        QCOMPARE(pay.UnitRate, m("15"));
        QCOMPARE(pay.ChargeAmt.format(), charge);
        QCOMPARE(line.OSAmt, pay.ChargeAmt);
        QCOMPARE(pay.SettleDate, QDate(2004, 3, 10));
        QCOMPARE(pay.PayDate, QDate(2004, 3, 10));
        QCOMPARE(pay.PayStatus, QStringLiteral("Y"));
        QCOMPARE(pay.EndDate, QDate(2004, 3, 16));
    }

    void lateRowQuantity_data() {
        QTest::addColumn<QString>("late");
        QTest::addColumn<qint64>("days");
        QTest::newRow("three days at 2.5") << "7.5" << qint64(3);
        QTest::newRow("rounded to nearest day") << "6.5" << qint64(3);
        QTest::newRow("under half a day") << "1" << qint64(0);
    }
    void lateRowQuantity() {
        QFETCH(QString, late);
        QFETCH(qint64, days);
        OrderLine line;
        line.item = rates("0", 0, "0");
        line.LateAmt = *Money::parse(late);
        line.IsPaidNow = true;
        AddLateChargeRow(line, Evening);
        QCOMPARE(line.payments.size(), 1);
        QCOMPARE(line.payments[0].Quantity, days);
        QCOMPARE(line.payments[0].ChargeAmt, line.LateAmt);
        QCOMPARE(line.payments[0].PayType, QStringLiteral("1"));
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
};

QTEST_GUILESS_MAIN(TestPricing)
#include "tst_pricing.moc"
