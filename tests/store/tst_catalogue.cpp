#include <QTest>

class Test_catalogue : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_catalogue)
#include "tst_catalogue.moc"
