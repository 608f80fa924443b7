#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// One running copy per user: another copy of the same user is refused; another user's copy
// and a crashed copy's lock are not in the way.
class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lockPathIsTheUsersOwn_data() {
        QTest::addColumn<QString>("runtime");
        QTest::newRow("runtime folder") << "here";
        QTest::newRow("no runtime folder") << "";
        QTest::newRow("runtime folder missing") << "gone";
    }
    void lockPathIsTheUsersOwn() {
        QFETCH(QString, runtime);
        QTemporaryDir dir;
        const QString folder = dir.filePath(runtime);
        QVERIFY(QDir().mkpath(dir.filePath("here")));
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
        const QFileInfo path(SingleInstance::defaultLockPath());
        qputenv("XDG_RUNTIME_DIR", saved);
        if (runtime == QLatin1String("here")) {
            QCOMPARE(path.absoluteFilePath(), QDir(folder).filePath("vormel.lock"));
        } else {
            QCOMPARE(path.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
            QVERIFY(path.fileName().contains(QString::number(::getuid())));
        }
    }

    void secondCopyOfTheSameLockRefused() {
        QTemporaryDir dir;
        const QString path = dir.filePath("vormel.lock");
        {
            SingleInstance first(path);
            QVERIFY(first.tryLock());
            QVERIFY(!SingleInstance(path).tryLock());
            // Another user's copy, with a lock of its own.
            QVERIFY(SingleInstance(dir.filePath("vormel-other.lock")).tryLock());
        }
        QVERIFY(SingleInstance(path).tryLock());
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
