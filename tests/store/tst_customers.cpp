#include <QTest>

class Test_customers : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_customers)
#include "tst_customers.moc"
