#include <QTest>

class Test_summaries : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_summaries)
#include "tst_summaries.moc"
