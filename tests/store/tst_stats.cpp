#include <QTest>

class Test_stats : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_stats)
#include "tst_stats.moc"
