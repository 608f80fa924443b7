#include "FormHarness.h"
#include "shopinfo.h"
#include "startup.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsCodesAndValues() {
        TestContext c;
        TestDb& t = c.t;
        AppContext& ctx = c.ctx;
        QVERIFY(t.ok());
        QVERIFY(t.exec("UPDATE OpCode SET AddItem = 'AA', SalesItem = 'SS'"));
        QVERIFY(t.exec(QStringLiteral("INSERT INTO Category (CategoryID, Description) "
                                      "VALUES ('D', 'DVD')")));
        QVERIFY(SetShopName(t.db(), "KOWLOON VIDEO"));
        ctx.ReopenTransaction = true;
        t.db().CloseDatabase();

        QVERIFY(InitCodes(ctx));
        QVERIFY(t.db().isOpen());
        QVERIFY(t.messages.boxes.isEmpty());
        QCOMPARE(ctx.OpCodes.AddItem, QStringLiteral("AA"));
        QCOMPARE(ctx.OpCodes.SalesItem, QStringLiteral("SS"));
        QCOMPARE(ctx.OpCodes.ReturnItem, QStringLiteral("R"));
        QCOMPARE(ctx.CategoryList.size(), 2);
        QCOMPARE(ctx.CategoryList[0].Description, QStringLiteral("DVD"));
        QCOMPARE(ctx.CategoryList[1].Description, QStringLiteral("VIDEO"));
        QCOMPARE(ctx.ItemStatusList.size(), 5);
        QCOMPARE(ctx.ItemStatusList[4].Name, QStringLiteral("Rate Code"));
        QCOMPARE(ctx.CurrentEmployeeID, QStringLiteral("13"));
        QCOMPARE(ctx.ShopName, QStringLiteral("KOWLOON VIDEO"));
        QVERIFY(!ctx.ReopenTransaction);
    }

    void emptyTableReportedAndStartGoesOn_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("no OpCode row") << "OpCode" << QStringList{};
        QTest::newRow("no categories")
            << "Category" << QStringList{"debug: error in getting category codes"};
        QTest::newRow("no item statuses")
            << "ItemStatus" << QStringList{"debug: error in getting ItemStatus codes"};
    }
    void emptyTableReportedAndStartGoesOn() {
        QFETCH(QString, table);
        QFETCH(QStringList, boxes);
        TestContext c;
        TestDb& t = c.t;
        AppContext& ctx = c.ctx;
        QVERIFY(t.ok());
        QVERIFY(t.exec(QStringLiteral("DELETE FROM ") + table));

        QVERIFY(InitCodes(ctx));
        QCOMPARE(t.messages.texts(), boxes);
        for (const ScriptedMessages::Box& box : t.messages.boxes) {
            QCOMPARE(box.icon, MsgIcon::None);
            QCOMPARE(box.buttons, MsgButtons::Ok);
            QVERIFY(box.title.isEmpty());
        }
        const OpCodeRec codes = OpCodeRec::defaults();
        const QStringList expected = {codes.AddItem,          codes.FreeItem,   codes.DeleteItem,
                                      codes.EditItem,         codes.ReturnItem, codes.RenewItemCash,
                                      codes.RenewItemArrears, codes.BadItem,    codes.SalesItem};
        const OpCodeRec& got = ctx.OpCodes;
        QCOMPARE(
            (QStringList{got.AddItem, got.FreeItem, got.DeleteItem, got.EditItem, got.ReturnItem,
                         got.RenewItemCash, got.RenewItemArrears, got.BadItem, got.SalesItem}),
            expected);
        QCOMPARE(ctx.CategoryList.isEmpty(), table == QLatin1String("Category"));
        QCOMPARE(ctx.ItemStatusList.isEmpty(), table == QLatin1String("ItemStatus"));
        QCOMPARE(ctx.CurrentEmployeeID, QStringLiteral("13"));
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
