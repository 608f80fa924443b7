#include <QTest>

class Test_orders : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_orders)
#include "tst_orders.moc"
