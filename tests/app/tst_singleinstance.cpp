#include "SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondCopyRefusedWhileFirstRuns() {
        QTemporaryDir dir;
        const QString path = dir.filePath("vormel.lock");
        {
            SingleInstance first(path);
            QVERIFY(first.tryLock());
            SingleInstance second(path);
            QVERIFY(!second.tryLock());
        }
        SingleInstance afterFirstEnded(path);
        QVERIFY(afterFirstEnded.tryLock());
    }

    void lockOfCopyThatDiedIsTakenOver() {
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());

        QTemporaryDir dir;
        const QString path = dir.filePath("vormel.lock");
        QFile left(path);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write(QByteArray::number(pid) + "\nvormel\n\n");
        left.close();

        SingleInstance next(path);
        QVERIFY(next.tryLock());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
