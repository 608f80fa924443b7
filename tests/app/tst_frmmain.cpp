#include "MainWindowFixture.h"
#include "frmAbout.h"
#include "utility.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class TestFrmMain : public QObject {
    Q_OBJECT

private:
    using Program = MainWindowFixture;

private Q_SLOTS:
    void captionCarriesShopName_data() {
        QTest::addColumn<QString>("shop");
        QTest::addColumn<QString>("caption");
        QTest::newRow("named shop") << "KOWLOON VIDEO"
                                    << "Vormel (KOWLOON VIDEO)";
        QTest::newRow("no name stored") << ""
                                        << "Vormel ()";
    }
    void captionCarriesShopName() {
        QFETCH(QString, shop);
        QFETCH(QString, caption);
        Program p(shop);
        QCOMPARE(p.window->windowTitle(), caption);
    }

    void fourPages() {
        Program p;
        auto* tabs = p.find<QTabWidget>(QStringLiteral("SSTabMain"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 4);
        const QStringList captions = {"Transaction", "Customer", "Product", "Acct Adjust"};
        for (int page = 0; page < 4; ++page)
            QCOMPARE(tabs->tabText(page), captions[page]);
        const QStringList boxes = {"txtSearchID_0",      "txtSearchHKID_0",    "txtSearchChiName_0",
                                   "txtSearchEngName_0", "txtSearchID_1",      "txtSearchHKID_1",
                                   "txtSearchChiName_1", "txtSearchEngName_1", "txtSearchID_2",
                                   "txtSearchChiName_2", "txtCategoryDesc",    "txtSearchID_3",
                                   "txtSearchChiName_3"};
        for (const QString& name : boxes)
            QVERIFY2(p.find<QLineEdit>(name), qPrintable(name));
        QCOMPARE(p.window->CurrentTab(), 0);
        QCOMPARE(QApplication::focusWidget(), p.find<QLineEdit>(QStringLiteral("txtSearchID_0")));
    }

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
        QTest::newRow("F5") << QString() << "OpenReport 0";
        QTest::newRow("kReport") << "kReport"
                                 << "OpenReport 0";
        QTest::newRow("mTxDailyRpt") << "mTxDailyRpt"
                                     << "OpenReport 0";
        QTest::newRow("mCustomerRpt") << "mCustomerRpt"
                                      << "OpenReport 1";
        QTest::newRow("mProductRpt") << "mProductRpt"
                                     << "OpenReport 2";
        QTest::newRow("mRentOSRpt") << "mRentOSRpt"
                                    << "OpenReport 3";
        QTest::newRow("mCategory") << "mCategory"
                                   << "OpenCategory";
        QTest::newRow("kSystem") << "kSystem" << QString();
        QTest::newRow("F6") << "F6" << QString();
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

    void enteringASearchBoxSelectsItsText() {
        Program p;
        QLineEdit* name = p.box(QStringLiteral("txtSearchEngName_0"));
        name->setText(QStringLiteral("CHAN"));
        name->setFocus();
        QCOMPARE(name->selectedText(), QStringLiteral("CHAN"));
    }

    void adjustmentButtonsOnlyOnTheirPage() {
        Program p;
        auto* add = p.find<QPushButton>(QStringLiteral("cmdAdd"));
        auto* edit = p.find<QPushButton>(QStringLiteral("cmdEdit"));
        QCOMPARE(add->text(), QStringLiteral("Add (&A)"));
        QCOMPARE(edit->text(), QStringLiteral("Edit (&E)"));
        for (int page : {0, 1, 2, 3, 2}) {
            p.window->setProperty("CurrentTab", page);
            QCOMPARE(add->isVisible(), page == 3);
            QCOMPARE(edit->isVisible(), page == 3);
        }
    }

    void tabClickMovesFocus() {
        Program p;
        p.find<QTabWidget>(QStringLiteral("SSTabMain"))->setCurrentIndex(3);
        QCOMPARE(p.window->CurrentTab(), 3);
        QCOMPARE(QApplication::focusWidget(), p.find<QLineEdit>(QStringLiteral("txtSearchID_3")));
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const std::pair<const char*, const char*> entries[] = {{"mControl", "System(&C)"},
                                                               {"mCategory", "Rate Entry"},
                                                               {"mCompactDB", "Compact DB"},
                                                               {"mExit", "Exit(&X)"},
                                                               {"mMain", "Data Entry(&D)"},
                                                               {"mMainOrder", "Transaction(&T)"},
                                                               {"mMainCustomer", "Customer(&M)"},
                                                               {"mMainProduct", "Product(&P)"},
                                                               {"mAcctAdjust", "Acct Adjust(&A)"},
                                                               {"mReport", "Report(&R)"},
                                                               {"mTxDailyRpt", "Accounting(&D)"},
                                                               {"mCustomerRpt", "Customer(&M)"},
                                                               {"mProductRpt", "Product(&P)"},
                                                               {"mRentOSRpt", "Overdue Tran.(&R)"},
                                                               {"mHelp", "Help(&H)"},
                                                               {"mAbout", "About(&A)..."}};
        for (const auto& [name, caption] : entries)
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
    }
    void menuEntries() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Program p;
        if (auto* menu = p.find<QMenu>(name))
            QCOMPARE(menu->title(), caption);
        else if (auto* entry = p.find<QAction>(name))
            QCOMPARE(entry->text(), caption);
        else
            QFAIL("no such menu entry");
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

    void toolbarButtons_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::newRow("kTransaction") << "kTransaction"
                                      << "Transaction (F1)"
                                      << "Transaction";
        QTest::newRow("kCustomer") << "kCustomer"
                                   << "Customer (F2)"
                                   << "Customer";
        QTest::newRow("kProduct") << "kProduct"
                                  << "Product (F3)"
                                  << "Product";
        QTest::newRow("kAcctAdjust") << "kAcctAdjust"
                                     << "Acct Adjust (F4)"
                                     << "Accounting Adjustment";
        QTest::newRow("kReport") << "kReport"
                                 << "Report (F5)"
                                 << "Report Inquiry";
        QTest::newRow("kSystem") << "kSystem"
                                 << "系統(F6)"
                                 << "系統維護";
    }
    void toolbarButtons() {
        QFETCH(QString, key);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        Program p;
        auto* action = p.find<QAction>(key);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->toolTip(), tip);
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

    void statusBarClock() {
        Program p;
        QCOMPARE(p.find<QLabel>(QStringLiteral("sbPanel2"))->text(), ClockText(p.clock.now()));
        auto* timer = p.find<QTimer>(QStringLiteral("Timer1"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 30000);
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

    void aboutBoxIsModalWithShopName() {
        Program p;
        QString shop;
        bool modal = false;
        QTimer::singleShot(0, this, [&] {
            auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            QVERIFY(about);
            modal = about->isModal();
            shop = about->findChild<QLabel*>(QStringLiteral("lblShopName"))->text();
            about->accept();
        });
        p.find<QAction>(QStringLiteral("mAbout"))->trigger();
        QVERIFY(modal);
        QCOMPARE(shop, QStringLiteral("KOWLOON VIDEO"));
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
