#include "FormHarness.h"
#include "SingleInstance.h"
#include "shopinfo.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    // Another copy with the same lock is refused; another user's lock is not in the way, nor
    // is the lock of a copy that died.
    void oneCopyPerLock() {
        QTemporaryDir dir;
        const QString path = dir.filePath("vormel.lock");
        {
            SingleInstance first(path);
            QVERIFY(first.tryLock());
            QVERIFY(!SingleInstance(path).tryLock());
            QVERIFY(SingleInstance(dir.filePath("vormel-other.lock")).tryLock());
        }
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QFile left(path);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write(QByteArray::number(pid) + "\nvormel\n\n");
        left.close();
        QVERIFY(SingleInstance(path).tryLock());
    }

    // A missing code table or list is reported and the start goes on, with the default codes
    // where the shop has none of its own.
    void loadsCodes_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("box");
        QTest::newRow("all there") << ""
                                   << "";
        QTest::newRow("no OpCode row") << "OpCode"
                                       << "";
        QTest::newRow("no categories") << "Category"
                                       << "debug: error in getting category codes";
        QTest::newRow("no item statuses") << "ItemStatus"
                                          << "debug: error in getting ItemStatus codes";
    }
    void loadsCodes() {
        QFETCH(QString, table);
        QFETCH(QString, box);
        TestContext c;
        QVERIFY(c.t.ok());
        QVERIFY(c.t.exec("UPDATE OpCode SET AddItem = 'AA'"));
        QVERIFY(c.t.exec("INSERT INTO Category (CategoryID, Description) VALUES ('D', 'DVD')"));
        QVERIFY(SetShopName(c.t.db(), "KOWLOON VIDEO"));
        if (!table.isEmpty())
            QVERIFY(c.t.exec(QStringLiteral("DELETE FROM ") + table));
        c.ctx.ReopenTransaction = true;
        c.t.db().CloseDatabase();

        QVERIFY(InitCodes(c.ctx));
        QVERIFY(c.t.db().isOpen());
        QCOMPARE(c.t.messages.texts(), box.isEmpty() ? QStringList() : QStringList{box});
        for (const ScriptedMessages::Box& shown : c.t.messages.boxes) {
            QCOMPARE(shown.icon, MsgIcon::None);
            QCOMPARE(shown.buttons, MsgButtons::Ok);
            QVERIFY(shown.title.isEmpty());
        }
        QCOMPARE(c.ctx.OpCodes.AddItem, QString(table == "OpCode" ? "A" : "AA"));
        QCOMPARE(c.ctx.OpCodes.ReturnItem, QStringLiteral("R"));
        QCOMPARE(c.ctx.CategoryList.size(), table == "Category" ? 0 : 2);
        QCOMPARE(c.ctx.CategoryList.value(0).Description, table == "Category" ? "" : "DVD");
        QCOMPARE(c.ctx.ItemStatusList.size(), table == "ItemStatus" ? 0 : 5);
        QCOMPARE(c.ctx.CurrentEmployeeID, QStringLiteral("13"));
        QCOMPARE(c.ctx.ShopName, QStringLiteral("KOWLOON VIDEO"));
        QVERIFY(!c.ctx.ReopenTransaction);
    }

    void missingDatabaseStopsStartWithOneReport() {
        QTemporaryDir empty;
        ScriptedMessages messages;
        Connection db(messages, empty.path());
        TestClock clock;
        TestSettings store;
        AppContext ctx(db, messages, clock, store.settings);
        QVERIFY(!InitCodes(ctx));
        QCOMPARE(messages.boxes.size(), 1);
        QCOMPARE(messages.boxes[0].title, QStringLiteral("Error"));
        QVERIFY(messages.boxes[0].text.startsWith(QStringLiteral("Error # ")));
        QVERIFY(!QFile::exists(db.filePath(Connection::LiveFile)));
    }

    void splashStaysOneSecondOfElapsedTime_data() {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("step");
        QTest::addColumn<qint64>("end");
        QTest::newRow("from zero") << qint64(0) << qint64(100) << qint64(1000);
        QTest::newRow("measured from when it is shown")
            << qint64(86399500) << qint64(100) << qint64(86400500);
        QTest::newRow("first tick past the second") << qint64(0) << qint64(300) << qint64(1200);
    }
    void splashStaysOneSecondOfElapsedTime() {
        QFETCH(qint64, start);
        QFETCH(qint64, step);
        QFETCH(qint64, end);
        TestClock clock;
        clock.advanceMs(start);
        QWidget splash;
        bool shownWhileWaiting = true;
        int ticks = 0;
        // Each pass of the event loop moves the test clock on, as real time would.
        QTimer tick;
        tick.setInterval(0);
        connect(&tick, &QTimer::timeout, this, [&] {
            shownWhileWaiting = shownWhileWaiting && splash.isVisible();
            ++ticks;
            clock.advanceMs(step);
        });
        tick.start();
        ShowSplash(splash, clock);
        tick.stop();
        QCOMPARE(clock.elapsedMs(), end);
        QVERIFY(ticks > 0);
        QVERIFY(shownWhileWaiting);
        QVERIFY(!splash.isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
