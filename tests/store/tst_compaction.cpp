#include <QTest>

class Test_compaction : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Test_compaction)
#include "tst_compaction.moc"
