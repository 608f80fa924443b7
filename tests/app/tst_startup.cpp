#include "FormHarness.h"
#include "SingleInstance.h"
#include "shopinfo.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

// Start-up: one running copy per user, the codes every screen reads, and the splash.
class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The user's runtime folder, or else the temporary folder under a name of the user's own.
    void lockPathIsTheUsersOwn_data() {
        QTest::addColumn<QString>("runtime");
        QTest::newRow("runtime folder") << "here";
        QTest::newRow("no runtime folder") << "";
        QTest::newRow("runtime folder missing") << "gone";
    }
    void lockPathIsTheUsersOwn() {
        QFETCH(QString, runtime);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("here")));
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.isEmpty() ? "" : dir.filePath(runtime).toLocal8Bit());
        const QString path = SingleInstance::defaultLockPath();
        qputenv("XDG_RUNTIME_DIR", saved);
        const QString own = QStringLiteral("vormel-%1.lock").arg(::getuid());
        QCOMPARE(path, runtime == QLatin1String("here") ? dir.filePath("here/vormel.lock")
                                                        : QDir(QDir::tempPath()).filePath(own));
    }

    // Another copy with the same lock is refused; another user's lock is not in the way, nor
    // is the lock of a copy that died.
    void oneCopyPerLock() {
        QTemporaryDir dir;
        const QString path = dir.filePath("vormel.lock");
        {
            SingleInstance first(path);
            QVERIFY(first.tryLock() && !SingleInstance(path).tryLock());
            QVERIFY(SingleInstance(dir.filePath("vormel-other.lock")).tryLock());
        }
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QFile left(path);
        QVERIFY(left.open(QIODevice::WriteOnly) &&
                left.write(QByteArray::number(pid) + "\nvormel\n\n") > 0);
        left.close();
        QVERIFY(SingleInstance(path).tryLock());
    }

    // A missing code table or list is reported and the start goes on, with the default codes
    // where the shop has none of its own.
    void loadsCodes_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("box");
        const auto row = [](const char* table, const char* box) {
            QTest::newRow(table) << QString(table) << QString(box);
        };
        row("", "");
        row("OpCode", "");
        row("Category", "debug: error in getting category codes");
        row("ItemStatus", "debug: error in getting ItemStatus codes");
    }
    void loadsCodes() {
        QFETCH(QString, table);
        QFETCH(QString, box);
        TestContext c;
        QVERIFY(c.t.exec("UPDATE OpCode SET AddItem = 'AA'"));
        QVERIFY(SetShopName(c.t.db(), "KOWLOON VIDEO"));
        QVERIFY(table.isEmpty() || c.t.exec(QStringLiteral("DELETE FROM ") + table));
        c.t.db().CloseDatabase();

        QVERIFY(InitCodes(c.ctx));
        QCOMPARE(c.t.messages.texts(), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(c.ctx.OpCodes.AddItem, QString(table == "OpCode" ? "A" : "AA"));
        QCOMPARE(c.ctx.CategoryList.isEmpty(), table == "Category");
        QCOMPARE(c.ctx.ItemStatusList.isEmpty(), table == "ItemStatus");
        QCOMPARE(c.ctx.ShopName, QStringLiteral("KOWLOON VIDEO"));
    }

    // Past the database's own report nothing more is said.
    void missingDatabaseStopsTheStart() {
        TestContext c;
        c.t.db().CloseDatabase();
        QVERIFY(QFile::remove(c.t.db().filePath(Connection::LiveFile)));
        QVERIFY(!InitCodes(c.ctx));
        QCOMPARE(c.t.messages.boxes.size(), 1);
    }

    void splashStaysOneSecondOfElapsedTime_data() {
        QTest::addColumn<qint64>("start");
        QTest::newRow("from zero") << qint64(0);
        QTest::newRow("from when shown") << qint64(86399500);
    }
    void splashStaysOneSecondOfElapsedTime() {
        QFETCH(qint64, start);
        TestClock clock;
        clock.advanceMs(start);
        QWidget splash;
        bool shownWhileWaiting = true;
        // Each pass of the event loop moves the test clock on, as real time would.
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] {
            shownWhileWaiting = shownWhileWaiting && splash.isVisible();
            clock.advanceMs(100);
        });
        tick.start();
        ShowSplash(splash, clock);
        QCOMPARE(clock.elapsedMs(), start + 1000);
        QVERIFY(shownWhileWaiting);
        QVERIFY(!splash.isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
