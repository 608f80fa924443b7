#include <QTest>

class Test_adjustments : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_adjustments)
#include "tst_adjustments.moc"
