#include <QTest>

class Test_serials : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_serials)
#include "tst_serials.moc"
