#include "Cases.h"
#include "FormHarness.h"
#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "SingleInstance.h"
#include "TestSettings.h"
#include "formutil.h"
#include "shopinfo.h"
#include "startup.h"
#include "utility.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

// Start-up (one running copy per user, the codes every screen reads, the splash) and the
// window services every form uses: the key preview, masked boxes and remembered grid widths.
// Widths kept and read back are seen through the rental screen's grids, the discard question
// through the adjustment and rate table screens.
class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The user's runtime folder, or else the temporary folder under a name of the user's own.
    void lockPathIsTheUsersOwn_data() {
        const Cases<QString> add;
        add("runtime folder", "here");
        add("no runtime folder", "");
        add("runtime folder missing", "gone");
    }
    void lockPathIsTheUsersOwn() {
        const auto [runtime] = Cases<QString>::fetch();
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

    // Another copy with the same lock is refused; the lock of a copy that died is not in the
    // way.
    void oneCopyPerLock() {
        QTemporaryDir dir;
        const QString path = dir.filePath("vormel.lock");
        {
            SingleInstance first(path);
            QVERIFY(first.tryLock() && !SingleInstance(path).tryLock());
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
        const Cases<QString, QString> add;
        add("OpCode", "OpCode", "");
        add("Category", "Category", "debug: error in getting category codes");
        add("ItemStatus", "ItemStatus", "debug: error in getting ItemStatus codes");
    }
    void loadsCodes() {
        const auto [table, box] = Cases<QString, QString>::fetch();
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
        QVERIFY(QFile::remove(c.t.db().filePath(Connection::LiveFile)) && !InitCodes(c.ctx));
        QCOMPARE(c.t.messages.boxes.size(), 1);
    }

    // Shown half a second before midnight: the second counts from then, across the day's end.
    void splashStaysOneSecondOfElapsedTime() {
        const qint64 start = 86399500;
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
        QVERIFY(shownWhileWaiting && !splash.isVisible());
    }

    // The form sees each key of its own first, once, and may keep it from the box; letters
    // reach the box in upper case. Keys of other windows are none of its business.
    // The row's name says whether the form swallows the key or the box is another window's.
    void previewsKeys_data() {
        const Cases<int, QString> add;
        add("letter", Qt::Key_A, "A");
        // The box does not take F2, so the key travels on to the window: still one call.
        add("F2", Qt::Key_F2, "");
        add("Enter let pass", Qt::Key_Return, "");
        add("Enter swallowed", Qt::Key_Return, "");
        add("other window", Qt::Key_A, "a");
    }
    void previewsKeys() {
        const auto [key, text] = Cases<int, QString>::fetch();
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        const bool swallowed = row.endsWith(u"swallowed"), otherWindow = row == u"other window";
        QWidget form;
        auto* ownBox = new QLineEdit(&form);
        QList<int> seen;
        new KeyPreview(form, [&](QKeyEvent& event) {
            seen << event.key();
            return swallowed;
        });
        QLineEdit otherBox;
        QLineEdit* box = otherWindow ? &otherBox : ownBox;
        box->window()->show();
        box->setFocus();
        QSignalSpy pressed(box, &QLineEdit::returnPressed);
        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(box->text(), text);
        QCOMPARE(seen, otherWindow ? QList<int>() : QList<int>{key});
        QCOMPARE(pressed.count(), key == Qt::Key_Return && !swallowed ? 1 : 0);
    }

    void maskedBoxReadsLiteralsAndPrompts_data() {
        const Cases<QString, QChar, QString, QString> add;
        add("untouched date", "99/99/9999", ' ', "", BlankDateMask);
        add("letters refused", "99/99/9999", ' ', "0a5", "05/  /    ");
        add("own prompt", "99", '_', "7", "7_");
    }
    void maskedBoxReadsLiteralsAndPrompts() {
        const auto [mask, prompt, typed, reads] = Cases<QString, QChar, QString, QString>::fetch();
        MaskedLineEdit box(mask, prompt);
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), reads);
    }

    // Columns without a heading are neither kept nor read, nor is a width that is no number.
    void columnWidthsNeedAHeadingAndANumber() {
        TestSettings store;
        QTableWidget grid(1, 2);
        grid.setObjectName("msgRentItems");
        grid.setHorizontalHeaderLabels({"", "Title"});
        SaveColumnWidths(grid, store.settings);
        QCOMPARE(store.settings.allKeys(), QStringList{"msgRentItems/Title"});
        store.settings.setValue("msgRentItems/Title", "wide");
        grid.setColumnWidth(1, 40);
        ReadColumnWidths(grid, store.settings);
        QCOMPARE(grid.columnWidth(1), 40);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
