#include "FormHarness.h"
#include "Screens.h"
#include "frmMain.h"
#include "frmSelectRecord.h"
#include "shopinfo.h"
#include "startup.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using Keys = QList<Qt::Key>;

// Notes every screen the main window asks for ("OpenTransaction 000123") and answers the
// keyed ones from a script: true when the script has run dry.
class FakeScreens : public Screens {
public:
    bool OpenTransaction(const QString& key) override { return keyed("OpenTransaction", key); }
    bool OpenCustomer(const QString& key) override { return keyed("OpenCustomer", key); }
    bool OpenProduct(const QString& key) override { return keyed("OpenProduct", key); }
    bool OpenAdjustment(const QString& key) override { return keyed("OpenAdjustment", key); }
    void OpenReport(int kind) override { calls << QStringLiteral("OpenReport %1").arg(kind); }
    void OpenCategory() override { calls << QStringLiteral("OpenCategory"); }

    QStringList calls;
    QList<bool> answers;

private:
    bool keyed(const char* screen, const QString& key) {
        calls << QString::fromLatin1(screen) + QLatin1Char(' ') + key;
        return answers.isEmpty() || answers.takeFirst();
    }
};

// What the selection list showed when it came up: column 1 of each row, the current row, and
// whether the main window was out of sight meanwhile.
struct ListShown {
    QStringList keys;
    int currentRow = -1;
    bool windowHidden = false;
};

// A started program on a test database: codes loaded, main window shown and active, its
// screens answered by a FakeScreens and its selection list by a script of keys.
struct MainWindowFixture : TestContext {
    explicit MainWindowFixture(const QString& shopName = QStringLiteral("KOWLOON VIDEO")) {
        QVERIFY(t.ok());
        QVERIFY(t.exec("INSERT INTO Category (CategoryID, Description) "
                       "VALUES ('D', 'DVD')"));
        QVERIFY(SetShopName(t.db(), shopName));
        QVERIFY(InitCodes(ctx));
        window = std::make_unique<frmMain>(ctx, screens);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The list is modal: it is answered from inside its own event loop.
        QObject::connect(&listWatch, &QTimer::timeout, [this] { answerList(); });
        listWatch.start(1);
    }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }

    // Delivered the way the window system delivers keys: to the window's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // Types into a search box and presses Enter there.
    void enter(const QString& name, const QString& text) const {
        QLineEdit* target = box(name);
        window->setCurrentTab(name.right(1).toInt());
        target->setFocus();
        target->clear();
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Return);
    }

    void addMember(const QString& id, bool active, const QString& hkid, const QString& localName,
                   const QString& englishName) {
        QVERIFY(t.exec("INSERT INTO Customers (CustomerID, Active, HKID, "
                       "ChineseName, EnglishName, Sex, Remarks1) "
                       "VALUES (?, ?, ?, ?, ?, 'M', 'NOTE')",
                       {id, active ? QStringLiteral("Y") : QStringLiteral("N"), hkid, localName,
                        englishName}));
    }
    void addCopy(const QString& itemID, const QString& productID, const QString& title) {
        QVERIFY(t.exec("INSERT OR IGNORE INTO Products (ProductID, ProductName, "
                       "CategoryID) VALUES (?, ?, 'V')",
                       {productID, title}));
        QVERIFY(t.exec("INSERT INTO Items (ItemID, ProductID, Status) "
                       "VALUES (?, ?, '0')",
                       {itemID, productID}));
    }
    void addAdjustment(const QString& id, const QString& description) {
        QVERIFY(t.exec("INSERT INTO AcctAdjust (AdjustID, Description, AdjustAmt, "
                       "AdjustDate) VALUES (?, ?, 1250000, '2004-03-10')",
                       {id, description}));
    }

    // Keys for each showing of the selection list, in turn. A showing the script has no keys
    // for is noted and cancelled, so a test never hangs on the list.
    QList<QList<Qt::Key>> listKeys;
    QList<ListShown> lists;

    FakeScreens screens;
    std::unique_ptr<frmMain> window;

private:
    void answerList() {
        auto* dialog = qobject_cast<frmSelectRecord*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* grid = dialog->findChild<QTableWidget*>("msgSelectRecord");
        ListShown shown;
        for (int row = 0; row < grid->rowCount(); ++row)
            shown.keys << grid->item(row, 1)->text();
        shown.currentRow = grid->currentRow();
        shown.windowHidden = !window->isVisible();
        lists << shown;
        const QList<Qt::Key> keys = listKeys.isEmpty() ? QList<Qt::Key>{} : listKeys.takeFirst();
        for (Qt::Key key : keys)
            QTest::keyClick(dialog->windowHandle(), key);
        if (dialog->isVisible())
            dialog->reject();
    }

    QTimer listWatch;
};

// The main window driven at the keyboard: its pages, keys and menus, and its searches: what
// each box finds, which screen it opens with which key, the selection list for several hits
// and every not-found message.
class TestMainWindow : public QObject {
    Q_OBJECT

private:
    using Program = MainWindowFixture;

    // One window serves every row of keysAndActions, which comes last so that no other window
    // answers the selection list meanwhile: none of its rows changes what the window holds.
    std::unique_ptr<Program> keyed;

    static void verifyNotFound(const Program& p, const QString& box, const QString& message) {
        QCOMPARE(p.t.messages.texts(), QStringList{message});
        QCOMPARE(p.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QCOMPARE(p.box(box)->selectedText(), p.box(box)->text());
    }

    // Members, copies and adjustments that every search below looks through.
    static void populate(Program& p) {
        p.addMember("000001", false, "A1", "CHAN A", "CHAN");
        p.addMember("000002", true, "B2", "CHAN B", "WONG");
        p.addMember("000003", false, {}, "LEE A", {});
        p.addMember("000004", false, {}, "LEE B", {});
        p.addMember("000123", true, {}, {}, {});
        p.addMember("000124", false, {}, {}, {});
        p.addCopy("000011", "000002", "LOVE ME");
        p.addCopy("000010", "000001", "ALL LOVE");
        p.addCopy("000012", "000002", "LOVE ME");
        p.addCopy("000020", "000003", "ALIEN");
        p.addAdjustment("000007", "SHOP RENT");
        p.addAdjustment("000003", "RENT REFUND");
        p.addAdjustment("000001", "ELECTRICITY");
        p.addAdjustment("000005", "CASH FLOAT");
    }

private Q_SLOTS:
    void cleanupTestCase() { keyed.reset(); }

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

    // Compact DB and every way of closing compact the database, keeping the file as it was;
    // only Compact DB leaves the window up, saying meanwhile what it does.
    void compacts_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"mCompactDB", "mExit", "title bar"})
            QTest::newRow(how) << QString(how);
    }
    void compacts() {
        QFETCH(QString, how);
        Program p;
        QVERIFY(!QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        if (auto* action = p.find<QAction>(how))
            action->trigger();
        else
            p.window->close();
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QVERIFY(!QFile::exists(p.t.db().filePath(Connection::CompactFile)));
        QVERIFY(p.t.db().isOpen());
        QCOMPARE(p.find<QLabel>("sbPanel1")->text(),
                 QStringLiteral("Compressing Database! Please wait..."));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(p.t.messages.boxes.isEmpty());
        QCOMPARE(p.window->isVisible(), how == QLatin1String("mCompactDB"));
    }

    // The visit page speaks for a refused or missing key; the other screens give their own
    // reasons. Either way the text is selected for the next try.
    void idSearches_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, int page, const char* typed, bool answer,
                            const char* shown, const char* call, const char* message = "") {
            QTest::newRow(name) << page << QString(typed) << answer << QString(shown)
                                << QString(call) << QString(message);
        };
        row("active member", 0, "123", true, "000123", "OpenTransaction 000123");
        row("visit refused (inactive member)", 0, "124", false, "000124", "OpenTransaction 000124",
            "Transaction ID (000124) not found!");
        row("copy brought back", 0, "a12", true, "A00012", "OpenTransaction A00012");
        row("new member refused", 0, "9", false, "000009", "OpenCustomer 000009",
            "Transaction ID (000009) not found!");
        row("refused member", 1, "7", false, "000007", "OpenCustomer 000007");
        row("refused copy", 2, "b7", false, "B00007", "OpenProduct B00007");
        row("refused adjustment", 3, "12", false, "000012", "OpenAdjustment 000012");
        row("other identifier", 2, "ab12", true, "AB12", "OpenProduct AB12");
        row("empty visit box", 0, "", false, "", "", "Transaction ID () not found!");
        row("empty member box", 1, "", false, "", "");
    }
    void idSearches() {
        QFETCH(int, page);
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(QString, shown);
        QFETCH(QString, call);
        QFETCH(QString, message);
        Program p;
        populate(p);
        p.screens.answers = {answer};
        const QString name = QStringLiteral("txtSearchID_%1").arg(page);
        p.enter(name, typed);
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(p.box(name)->text(), shown);
        QVERIFY(!p.ctx.ReopenTransaction);
        if (message.isEmpty())
            QVERIFY(p.t.messages.boxes.isEmpty());
        else
            verifyNotFound(p, name, message);
        if (!answer) {
            QCOMPARE(p.box(name)->selectedText(), p.box(name)->text());
            QCOMPARE(QApplication::focusWidget(), p.box(name));
        }
    }

    // No hit is not found; one hit opens at once on the page's screen (a refused one is not
    // found); several come up in the page's list, sorted, and the chosen row opens. The visit
    // page looks at active members first and falls back to all; the customer page looks at all.
    void nameSearches_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        const auto row = [](const QString& name, const QString& box, const QString& typed,
                            const QString& call, const QString& message, bool answer = true,
                            const QStringList& listed = {}, const Keys& keys = {}) {
            QTest::newRow(qPrintable(name))
                << box << typed << answer << keys << listed << call << message;
        };
        const std::pair<const char*, const char*> labels[] = {{"txtSearchHKID", "Identity Number"},
                                                              {"txtSearchChiName", "Local Name"},
                                                              {"txtSearchEngName", "English Name"}};
        for (int page : {0, 1}) {
            for (const auto& [box, label] : labels) {
                const QString name = QStringLiteral("%1_%2").arg(QLatin1String(box)).arg(page);
                row(name + " nothing", name, "zz", "", label + QString(" (ZZ) not found!"));
            }
        }
        row("empty identity box", "txtSearchHKID_0", "", "", "Identity Number () not found!");
        row("title nothing", "txtSearchChiName_2", "zz", "", "Product Name (ZZ) not found!");
        row("adjustment nothing", "txtSearchChiName_3", "zz", "", "Local Name (ZZ) not found!");
        row("adjustment empty", "txtSearchChiName_3", "", "", "Local Name () not found!");
        const auto hit = [&row](const char* name, const char* box, const char* typed,
                                const char* call, const char* message) {
            row(name, box, typed, call, "");
            row(QString(name) + " refused", box, typed, call, message, false);
        };
        hit("identity, visit", "txtSearchHKID_0", "b2", "OpenTransaction 000002",
            "Identity Number (B2) not found!");
        hit("english, member", "txtSearchEngName_1", "wong", "OpenCustomer 000002",
            "English Name (WONG) not found!");
        hit("title", "txtSearchChiName_2", "lien", "OpenProduct 000020",
            "Product Name (LIEN) not found!");
        hit("adjustment", "txtSearchChiName_3", "float", "OpenAdjustment 000005",
            "Local Name (FLOAT) not found!");
        row("visit, an active one", "txtSearchChiName_0", "chan", "OpenTransaction 000002", "");
        row("visit, only inactive ones", "txtSearchChiName_0", "lee", "OpenTransaction 000004", "",
            true, {"000003", "000004"}, {Qt::Key_Down, Qt::Key_Enter});
        row("member, all", "txtSearchChiName_1", "chan", "OpenCustomer 000002", "", true,
            {"000001", "000002"}, {Qt::Key_Down, Qt::Key_Enter});
        row("titles", "txtSearchChiName_2", "love", "OpenProduct 000012", "", true,
            {"000010", "000011", "000012"}, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        row("adjustments", "txtSearchChiName_3", "rent", "OpenAdjustment 000003", "", true,
            {"000003", "000007"}, {Qt::Key_Return});
    }
    void nameSearches() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(Keys, keys);
        QFETCH(QStringList, listed);
        QFETCH(QString, call);
        QFETCH(QString, message);
        Program p;
        populate(p);
        p.screens.answers = {answer};
        p.listKeys = {keys};
        p.enter(box, typed);
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(p.lists.size(), listed.isEmpty() ? 0 : 1);
        if (!listed.isEmpty())
            QCOMPARE(p.lists[0].keys, listed);
        if (message.isEmpty())
            QVERIFY(p.t.messages.boxes.isEmpty());
        else
            verifyNotFound(p, box, message);
    }

    void unknownNumberStartsAMemberThenTheVisit() {
        Program p;
        p.enter("txtSearchID_0", "123");
        QCOMPARE(p.screens.calls, QStringList{"OpenCustomer 000123"});
        QVERIFY(p.ctx.ReopenTransaction);
        p.window->screenClosed();
        QCOMPARE(p.screens.calls, (QStringList{"OpenCustomer 000123", "OpenTransaction 000123"}));
        QVERIFY(!p.ctx.ReopenTransaction);
        p.window->screenClosed();
        QCOMPARE(p.screens.calls.size(), 2);
        QVERIFY(p.t.messages.boxes.isEmpty());
    }

    // The clerk works through the hits: after each opened screen closes the same list comes
    // back with the last chosen row current, until Esc ends it.
    void identityListComesBackUntilCancelled() {
        Program p;
        p.addMember("000001", true, "A123", {}, {});
        p.addMember("000002", true, "A1234", {}, {});
        p.addMember("000003", true, "A12", {}, {});
        const QStringList order = {"000003", "000001", "000002"};
        p.listKeys = {{Qt::Key_Return}, {Qt::Key_Down, Qt::Key_Return}, {Qt::Key_Escape}};

        p.enter("txtSearchHKID_0", "a12");
        QCOMPARE(p.lists.size(), 1);
        QCOMPARE(p.lists[0].keys, order);
        QCOMPARE(p.lists[0].currentRow, 0);
        QVERIFY(p.lists[0].windowHidden);
        QCOMPARE(p.screens.calls, QStringList{"OpenTransaction 000003"});

        p.window->screenClosed();
        QCOMPARE(p.lists.size(), 2);
        QCOMPARE(p.lists[1].keys, order);
        QCOMPARE(p.lists[1].currentRow, 0);
        QCOMPARE(p.screens.calls.last(), QStringLiteral("OpenTransaction 000001"));

        p.window->screenClosed();
        QCOMPARE(p.lists.size(), 3);
        QCOMPARE(p.lists[2].currentRow, 1);
        QCOMPARE(p.screens.calls.size(), 2);
        QVERIFY(p.window->isVisible());

        p.window->screenClosed();
        QCOMPARE(p.lists.size(), 3);
        QCOMPARE(p.screens.calls.size(), 2);
        QVERIFY(p.t.messages.boxes.isEmpty());
    }

    // A pick whose screen refuses it is reported and the list comes straight back.
    void refusedPickIsReportedAndListReturns() {
        Program p;
        p.addMember("000001", true, {}, "LAM A", {});
        p.addMember("000002", true, {}, "LAM B", {});
        p.screens.answers = {false};
        p.listKeys = {{Qt::Key_F12}, {Qt::Key_Escape}};
        p.enter("txtSearchChiName_1", "lam");
        QCOMPARE(p.screens.calls, QStringList{"OpenCustomer 000001"});
        QCOMPARE(p.t.messages.texts(), QStringList{"Local Name (LAM) not found!"});
        QCOMPARE(p.lists.size(), 2);
        QVERIFY(p.window->isVisible());
    }

    void adjustmentButtons() {
        Program p;
        p.window->setCurrentTab(3);
        p.find<QPushButton>("cmdAdd")->click();
        QCOMPARE(p.screens.calls, QStringList{"OpenAdjustment "});

        QLineEdit* id = p.box("txtSearchID_3");
        id->setText("12");
        p.find<QPushButton>("cmdEdit")->click();
        QCOMPARE(id->text(), QStringLiteral("000012"));
        QCOMPARE(p.screens.calls.last(), QStringLiteral("OpenAdjustment 000012"));

        id->clear();
        p.find<QPushButton>("cmdEdit")->click();
        QCOMPARE(p.screens.calls.size(), 2);
        QCOMPARE(QApplication::focusWidget(), id);
        QVERIFY(p.t.messages.boxes.isEmpty());
    }

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
        if (!keyed)
            keyed = std::make_unique<Program>();
        Program& p = *keyed;
        p.screens.calls.clear();
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
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
