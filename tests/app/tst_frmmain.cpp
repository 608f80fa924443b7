#include "MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

class TestFrmMain : public QObject {
    Q_OBJECT

private:
    using Program = MainWindowFixture;

private Q_SLOTS:
    void functionKeysSelectPages_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("page");
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 0;
        QTest::newRow("F2") << int(Qt::Key_F2) << 0 << 1;
        QTest::newRow("F3") << int(Qt::Key_F3) << 0 << 2;
        QTest::newRow("F4") << int(Qt::Key_F4) << 0 << 3;
        QTest::newRow("F5 opens reports") << int(Qt::Key_F5) << 0 << 1;
        QTest::newRow("F6 does nothing") << int(Qt::Key_F6) << 0 << 1;
        QTest::newRow("Esc does nothing") << int(Qt::Key_Escape) << 0 << 1;
        QTest::newRow("Shift+F3") << int(Qt::Key_F3) << int(Qt::ShiftModifier) << 1;
        QTest::newRow("Ctrl+F3") << int(Qt::Key_F3) << int(Qt::ControlModifier) << 1;
    }
    void functionKeysSelectPages() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, page);
        Program p;
        p.window->setCurrentTab(1);
        p.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(p.window->CurrentTab(), page);
        QCOMPARE(QApplication::focusWidget(),
                 p.find<QLineEdit>(QStringLiteral("txtSearchID_%1").arg(page)));
        QVERIFY(p.t.messages.boxes.isEmpty());
    }

    // Only F5 and the report entries open the report inquiry, each on its own tab; the rate
    // table has its menu entry; F6 and the system button are kept free.
    void reportsAndRateTable_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("call");
        const std::pair<const char*, const char*> rows[] = {{"kReport", "OpenReport 0"},
                                                            {"mTxDailyRpt", "OpenReport 0"},
                                                            {"mCustomerRpt", "OpenReport 1"},
                                                            {"mProductRpt", "OpenReport 2"},
                                                            {"mRentOSRpt", "OpenReport 3"},
                                                            {"mCategory", "OpenCategory"},
                                                            {"kSystem", ""},
                                                            {"F6", ""}};
        QTest::newRow("F5") << QString() << "OpenReport 0";
        for (const auto& [action, call] : rows)
            QTest::newRow(action) << QString::fromLatin1(action) << QString::fromLatin1(call);
    }
    void reportsAndRateTable() {
        QFETCH(QString, action);
        QFETCH(QString, call);
        Program p;
        if (action.isEmpty())
            p.press(Qt::Key_F5);
        else if (action == QLatin1String("F6"))
            p.press(Qt::Key_F6);
        else
            p.find<QAction>(action)->trigger();
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QVERIFY(p.window->isVisible());
    }

    void searchTextIsUpperCaseAndSelectedOnReturn() {
        Program p;
        p.press(Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("chan tai"));
        auto* box = p.find<QLineEdit>(QStringLiteral("txtSearchID_1"));
        QCOMPARE(box->text(), QStringLiteral("CHAN TAI"));
        p.press(Qt::Key_F1);
        p.press(Qt::Key_F2);
        QCOMPARE(box->selectedText(), QStringLiteral("CHAN TAI"));
    }

    void tabClickMovesFocus() {
        Program p;
        p.find<QTabWidget>(QStringLiteral("SSTabMain"))->setCurrentIndex(3);
        QCOMPARE(p.window->CurrentTab(), 3);
        QCOMPARE(QApplication::focusWidget(), p.find<QLineEdit>(QStringLiteral("txtSearchID_3")));
    }

    void menuAndToolbarSelectPages_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("page");
        QTest::newRow("mMainOrder") << "mMainOrder" << 0;
        QTest::newRow("mMainCustomer") << "mMainCustomer" << 1;
        QTest::newRow("mMainProduct") << "mMainProduct" << 2;
        QTest::newRow("mAcctAdjust") << "mAcctAdjust" << 3;
        QTest::newRow("kTransaction") << "kTransaction" << 0;
        QTest::newRow("kCustomer") << "kCustomer" << 1;
        QTest::newRow("kProduct") << "kProduct" << 2;
        QTest::newRow("kAcctAdjust") << "kAcctAdjust" << 3;
        QTest::newRow("kSystem does nothing") << "kSystem" << 2;
    }
    void menuAndToolbarSelectPages() {
        QFETCH(QString, action);
        QFETCH(int, page);
        Program p;
        p.window->setCurrentTab(2);
        p.find<QAction>(action)->trigger();
        QCOMPARE(p.window->CurrentTab(), page);
    }

    void categoryBoxShowsDescription() {
        Program p;
        auto* combo = p.find<QComboBox>(QStringLiteral("cboCategoryID"));
        auto* description = p.find<QLineEdit>(QStringLiteral("txtCategoryDesc"));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("D"));
        QCOMPARE(combo->currentText(), QString());
        QCOMPARE(description->text(), QString());
        QVERIFY(description->isReadOnly());

        p.press(Qt::Key_F3);
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("v"));
        QCOMPARE(description->text(), QString());
        p.find<QLineEdit>(QStringLiteral("txtSearchID_2"))->setFocus();
        QCOMPARE(combo->currentText(), QStringLiteral("V"));
        QCOMPARE(description->text(), QStringLiteral("VIDEO"));

        combo->setFocus();
        combo->setCurrentIndex(1);
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(description->text(), QStringLiteral("DVD"));
    }

    void reloadedCategoriesKeepTheTypedCode() {
        Program p;
        auto* combo = p.find<QComboBox>(QStringLiteral("cboCategoryID"));
        combo->setEditText(QStringLiteral("N"));
        CategoryRec added;
        added.CategoryID = QStringLiteral("N");
        added.Description = QStringLiteral("NEW RELEASE");
        p.ctx.CategoryList.append(added);
        p.window->reloadCategories();
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(2), QStringLiteral("N"));
        QCOMPARE(combo->currentText(), QStringLiteral("N"));
        QCOMPARE(p.find<QLineEdit>(QStringLiteral("txtCategoryDesc"))->text(),
                 QStringLiteral("NEW RELEASE"));
    }

    void compactDbKeepsBackup() {
        Program p;
        QVERIFY(!QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        p.find<QAction>(QStringLiteral("mCompactDB"))->trigger();
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QVERIFY(!QFile::exists(p.t.db().filePath(Connection::CompactFile)));
        QVERIFY(p.t.db().isOpen());
        QCOMPARE(p.find<QLabel>(QStringLiteral("sbPanel1"))->text(),
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
            p.find<QAction>(QStringLiteral("mExit"))->trigger();
        else
            p.window->close();
        QVERIFY(!p.window->isVisible());
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QVERIFY(p.t.messages.boxes.isEmpty());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
