#include "MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

class TestFrmMain : public QObject {
    Q_OBJECT

private:
    using Program = MainWindowFixture;

private Q_SLOTS:
    // F1 to F4, the page menu entries and the toolbar select pages; F5 and the report entries
    // open the report inquiry, each on its own tab; the rate table has its menu entry; F6, Esc,
    // keys with Shift or Ctrl and the system button do nothing. Page -1: the page stays.
    void keysAndActions_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("call");
        const auto row = [](const char* how, int page, const char* call = "") {
            QTest::newRow(how) << QString(how) << page << QString(call);
        };
        for (const char* how : {"F1", "mMainOrder", "kTransaction"})
            row(how, 0);
        for (const char* how : {"F2", "mMainCustomer", "kCustomer"})
            row(how, 1);
        for (const char* how : {"F3", "mMainProduct", "kProduct"})
            row(how, 2);
        for (const char* how : {"F4", "mAcctAdjust", "kAcctAdjust"})
            row(how, 3);
        for (const char* how : {"F6", "Esc", "Shift+F3", "Ctrl+F3", "kSystem"})
            row(how, -1);
        for (const char* how : {"F5", "kReport", "mTxDailyRpt"})
            row(how, -1, "OpenReport 0");
        row("mCustomerRpt", -1, "OpenReport 1");
        row("mProductRpt", -1, "OpenReport 2");
        row("mRentOSRpt", -1, "OpenReport 3");
        row("mCategory", -1, "OpenCategory");
    }
    void keysAndActions() {
        QFETCH(QString, how);
        QFETCH(int, page);
        QFETCH(QString, call);
        Program p;
        const int from = page == 1 ? 2 : 1;
        p.window->setCurrentTab(from);
        if (auto* action = p.find<QAction>(how)) {
            action->trigger();
        } else {
            const QKeyCombination key = QKeySequence(how)[0];
            p.press(key.key(), key.keyboardModifiers());
        }
        const int now = page < 0 ? from : page;
        QCOMPARE(p.window->CurrentTab(), now);
        QCOMPARE(QApplication::focusWidget(),
                 p.find<QLineEdit>(QStringLiteral("txtSearchID_%1").arg(now)));
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QVERIFY(p.t.messages.boxes.isEmpty());
        QVERIFY(p.window->isVisible());
    }

    void searchTextIsUpperCaseAndSelectedOnReturn() {
        Program p;
        p.press(Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "chan tai");
        auto* box = p.find<QLineEdit>("txtSearchID_1");
        QCOMPARE(box->text(), QStringLiteral("CHAN TAI"));
        p.press(Qt::Key_F1);
        p.press(Qt::Key_F2);
        QCOMPARE(box->selectedText(), QStringLiteral("CHAN TAI"));
    }

    void tabClickMovesFocus() {
        Program p;
        p.find<QTabWidget>("SSTabMain")->setCurrentIndex(3);
        QCOMPARE(p.window->CurrentTab(), 3);
        QCOMPARE(QApplication::focusWidget(), p.find<QLineEdit>("txtSearchID_3"));
    }

    void categoryBoxShowsDescription() {
        Program p;
        auto* combo = p.find<QComboBox>("cboCategoryID");
        auto* description = p.find<QLineEdit>("txtCategoryDesc");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("D"));

        p.press(Qt::Key_F3);
        combo->setFocus();
        QTest::keyClicks(combo, "v");
        QCOMPARE(description->text(), QString());
        p.find<QLineEdit>("txtSearchID_2")->setFocus();
        QCOMPARE(combo->currentText(), QStringLiteral("V"));
        QCOMPARE(description->text(), QStringLiteral("VIDEO"));

        combo->setFocus();
        combo->setCurrentIndex(1);
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(description->text(), QStringLiteral("DVD"));
    }

    void reloadedCategoriesKeepTheTypedCode() {
        Program p;
        auto* combo = p.find<QComboBox>("cboCategoryID");
        combo->setEditText("N");
        CategoryRec added;
        added.CategoryID = QStringLiteral("N");
        added.Description = QStringLiteral("NEW RELEASE");
        p.ctx.CategoryList.append(added);
        p.window->reloadCategories();
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(2), QStringLiteral("N"));
        QCOMPARE(combo->currentText(), QStringLiteral("N"));
        QCOMPARE(p.find<QLineEdit>("txtCategoryDesc")->text(), QStringLiteral("NEW RELEASE"));
    }

    void compactDbKeepsBackup() {
        Program p;
        QVERIFY(!QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        p.find<QAction>("mCompactDB")->trigger();
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QVERIFY(!QFile::exists(p.t.db().filePath(Connection::CompactFile)));
        QVERIFY(p.t.db().isOpen());
        QCOMPARE(p.find<QLabel>("sbPanel1")->text(),
                 QStringLiteral("Compressing Database! Please wait..."));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(p.t.messages.boxes.isEmpty());
        QVERIFY(p.window->isVisible());
    }

    void closingCompacts_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("title bar") << false;
        QTest::newRow("Exit(&X)") << true;
    }
    void closingCompacts() {
        QFETCH(bool, byMenu);
        Program p;
        if (byMenu)
            p.find<QAction>("mExit")->trigger();
        else
            p.window->close();
        QVERIFY(!p.window->isVisible());
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QVERIFY(p.t.messages.boxes.isEmpty());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
