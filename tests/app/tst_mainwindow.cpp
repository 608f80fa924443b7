#include "FormHarness.h"
#include "Screens.h"
#include "frmMain.h"
#include "frmSelectRecord.h"
#include "shoprows.h"
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

// A started program on a test database holding members, copies and adjustments to search:
// main window shown and active, its screens answered by a FakeScreens and each showing of its
// selection list by the next keys of a script (none: cancelled, so no test hangs on the list).
struct Program : TestContext {
    Program() {
        QVERIFY(t.ok());
        QVERIFY(shoprows::inOne(t, [this] { return arrange(); }));
        QVERIFY(InitCodes(ctx));
        window = std::make_unique<frmMain>(ctx, screens);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The list is modal: it is answered from inside its own event loop.
        QObject::connect(&listWatch, &QTimer::timeout, [this] { answerList(); });
        listWatch.start(1);
    }
    // Hidden first, the window is not closed on its way out, so it does not compact.
    ~Program() { window->hide(); }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }

    // Delivered the way the window system delivers keys: to the window's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // Types into a search box and presses Enter there; "cmdEdit" types into the adjustment
    // number and clicks Edit. Returns the box typed into.
    QLineEdit* enter(const QString& name, const QString& text) const {
        const bool button = name == QLatin1String("cmdEdit");
        QLineEdit* target = box(button ? QStringLiteral("txtSearchID_3") : name);
        window->setCurrentTab(target->objectName().right(1).toInt());
        target->setFocus();
        target->clear();
        QTest::keyClicks(target, text);
        if (button)
            find<QPushButton>(name)->click();
        else
            QTest::keyClick(target, Qt::Key_Return);
        return target;
    }

    QList<Keys> listKeys;
    QList<QStringList> lists; // column 1 of each showing of the list
    bool windowShownWithList = false;
    FakeScreens screens;
    std::unique_ptr<frmMain> window;

private:
    bool arrange() {
        return t.exec("INSERT INTO Category (CategoryID, Description) VALUES ('D', 'DVD')") &&
               t.exec("INSERT INTO Customers (CustomerID, Active, HKID, ChineseName, EnglishName) "
                      "VALUES ('000001', 'N', 'A1', 'CHAN A', 'CHAN'), "
                      "('000002', 'Y', 'B2', 'CHAN B', 'WONG'), ('000003', 'N', '', 'LEE A', ''), "
                      "('000004', 'N', '', 'LEE B', ''), ('000124', 'N', '', '', '')") &&
               t.exec("INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES "
                      "('000001', 'ALL LOVE', 'V'), ('000002', 'LOVE ME', 'V'), "
                      "('000003', 'ALIEN', 'V')") &&
               t.exec("INSERT INTO Items (ItemID, ProductID, Status) VALUES "
                      "('000010', '000001', '0'), ('000011', '000002', '0'), "
                      "('000020', '000003', '0')") &&
               t.exec("INSERT INTO AcctAdjust (AdjustID, Description) VALUES ('000007', "
                      "'SHOP RENT'), ('000003', 'RENT REFUND'), ('000005', 'CASH FLOAT')");
    }
    void answerList() {
        auto* dialog = qobject_cast<frmSelectRecord*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* grid = dialog->findChild<QTableWidget*>("msgSelectRecord");
        QStringList keys;
        for (int row = 0; row < grid->rowCount(); ++row)
            keys << grid->item(row, 1)->text();
        lists << keys;
        windowShownWithList = windowShownWithList || window->isVisible();
        for (Qt::Key key : listKeys.isEmpty() ? Keys{} : listKeys.takeFirst())
            QTest::keyClick(dialog->windowHandle(), key);
        if (dialog->isVisible())
            dialog->reject();
    }

    QTimer listWatch;
};

// The main window driven at the keyboard: which key, menu entry or box opens which screen
// with which key, what each search says when nothing opened, and compacting on the way out.
class TestMainWindow : public QObject {
    Q_OBJECT

private:
    // One window serves every row of keysAndActions, which comes last so that no other window
    // answers the selection list meanwhile: none of its rows changes what the window holds.
    std::unique_ptr<Program> keyed;

    // The message shown, if any; a search that opened nothing leaves its text selected in the
    // focused box for the next try.
    static void verifyOutcome(const Program& p, QLineEdit* box, const QString& message,
                              bool opened) {
        QCOMPARE(p.t.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(p.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        if (!opened) {
            QCOMPARE(box->selectedText(), box->text());
            QCOMPARE(box->window()->focusWidget(), box);
        }
    }

private Q_SLOTS:
    void cleanupTestCase() { keyed.reset(); }

    // The rate code box shows the description of the code typed or picked, and keeps a typed
    // code when the codes are reloaded.
    void categoryBoxShowsDescription() {
        Program p;
        auto* combo = p.find<QComboBox>("cboCategoryID");
        auto* description = p.find<QLineEdit>("txtCategoryDesc");
        p.press(Qt::Key_F3);
        combo->setFocus();
        QTest::keyClicks(combo, "v");
        QCOMPARE(description->text(), QString());
        p.box("txtSearchID_2")->setFocus();
        QCOMPARE(description->text(), QStringLiteral("VIDEO"));
        combo->setFocus();
        combo->setCurrentIndex(1);
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(description->text(), QStringLiteral("DVD"));

        p.box("txtSearchID_2")->setFocus();
        combo->setEditText("N");
        p.ctx.CategoryList.append(p.ctx.CategoryList.first());
        p.ctx.CategoryList.last().CategoryID = QStringLiteral("N");
        p.ctx.CategoryList.last().Description = QStringLiteral("NEW RELEASE");
        p.window->reloadCategories();
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), QStringLiteral("N"));
        QCOMPARE(description->text(), QStringLiteral("NEW RELEASE"));
    }

    // Compact DB and every way of closing compact the database under the hourglass, saying
    // meanwhile what they do; only Compact DB leaves the window up.
    void compacts_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"mCompactDB", "mExit", "title bar"})
            QTest::newRow(how) << QString(how);
    }
    void compacts() {
        QFETCH(QString, how);
        Program p;
        if (auto* action = p.find<QAction>(how))
            action->trigger();
        else
            p.window->close();
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QCOMPARE(p.find<QLabel>("sbPanel1")->text(),
                 QStringLiteral("Compressing Database! Please wait..."));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(p.t.messages.boxes.isEmpty());
        QCOMPARE(p.window->isVisible(), how == QLatin1String("mCompactDB"));
    }

    // Each page's number opens its own screen with the key made whole. The visit page speaks
    // for a refused or missing key and starts a new member for a number nobody has; the other
    // screens give their own reasons.
    void idSearches_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* box, const char* typed, bool answer,
                            const char* shown, const char* call, const char* message = "") {
            QTest::newRow(name) << QString(box) << QString(typed) << answer << QString(shown)
                                << QString(call) << QString(message);
        };
        row("member's visit refused", "txtSearchID_0", "124", false, "000124",
            "OpenTransaction 000124", "Transaction ID (000124) not found!");
        row("copy brought back", "txtSearchID_0", "a12", true, "A00012", "OpenTransaction A00012");
        row("new member", "txtSearchID_0", "9", true, "000009", "OpenCustomer 000009");
        row("new member refused", "txtSearchID_0", "9", false, "000009", "OpenCustomer 000009",
            "Transaction ID (000009) not found!");
        row("empty visit box", "txtSearchID_0", "", false, "", "", "Transaction ID () not found!");
        row("member refused", "txtSearchID_1", "7", false, "000007", "OpenCustomer 000007");
        row("empty member box", "txtSearchID_1", "", false, "", "");
        row("copy refused", "txtSearchID_2", "b7", false, "B00007", "OpenProduct B00007");
        row("adjustment refused", "txtSearchID_3", "12", false, "000012", "OpenAdjustment 000012");
        row("Edit", "cmdEdit", "12", true, "000012", "OpenAdjustment 000012");
        row("Edit, empty box", "cmdEdit", "", false, "", "");
    }
    void idSearches() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(QString, shown);
        QFETCH(QString, call);
        QFETCH(QString, message);
        Program p;
        p.screens.answers = {answer};
        QLineEdit* target = p.enter(box, typed);
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(target->text(), shown);
        QCOMPARE(p.ctx.ReopenTransaction, answer && call.startsWith("OpenCustomer") &&
                                              box == QLatin1String("txtSearchID_0"));
        verifyOutcome(p, target, message, answer);
    }

    // No hit is not found; one hit opens at once on the page's screen (a refused one is not
    // found); several come up in the page's list and the chosen row opens, a refused pick
    // being reported and the list shown again. The visit page looks at active members first.
    void nameSearches_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* box, const char* typed, const char* call,
                            const char* message = "", bool answer = true, const Keys& keys = {}) {
            QTest::newRow(name) << QString(box) << QString(typed) << answer << keys
                                << int(keys.isEmpty() ? 0 : 2) << QString(call) << QString(message);
        };
        row("identity", "txtSearchHKID_1", "zz", "", "Identity Number (ZZ) not found!");
        row("identity, empty", "txtSearchHKID_0", "", "", "Identity Number () not found!");
        row("english", "txtSearchEngName_0", "zz", "", "English Name (ZZ) not found!");
        row("local", "txtSearchChiName_1", "zz", "", "Local Name (ZZ) not found!");
        row("title", "txtSearchChiName_2", "zz", "", "Product Name (ZZ) not found!");
        row("adjustment", "txtSearchChiName_3", "zz", "", "Local Name (ZZ) not found!");
        row("adjustment, empty", "txtSearchChiName_3", "", "", "Local Name () not found!");
        row("one identity", "txtSearchHKID_0", "b2", "OpenTransaction 000002");
        row("one english", "txtSearchEngName_1", "wong", "OpenCustomer 000002");
        row("one title", "txtSearchChiName_2", "lien", "OpenProduct 000020");
        row("one adjustment", "txtSearchChiName_3", "float", "OpenAdjustment 000005");
        row("one refused", "txtSearchChiName_2", "lien", "OpenProduct 000020",
            "Product Name (LIEN) not found!", false);
        row("visit, the active one", "txtSearchChiName_0", "chan", "OpenTransaction 000002");
        row("visit, inactive ones", "txtSearchChiName_0", "lee", "OpenTransaction", "", true,
            {Qt::Key_Down, Qt::Key_Enter});
        row("members", "txtSearchChiName_1", "chan", "OpenCustomer", "", true,
            {Qt::Key_Down, Qt::Key_Enter});
        row("titles", "txtSearchChiName_2", "love", "OpenProduct", "", true,
            {Qt::Key_Down, Qt::Key_Return});
        row("adjustments", "txtSearchChiName_3", "rent", "OpenAdjustment", "", true,
            {Qt::Key_Return});
        row("pick refused", "txtSearchChiName_1", "chan", "OpenCustomer",
            "Local Name (CHAN) not found!", false, {Qt::Key_F12});
    }
    void nameSearches() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(Keys, keys);
        QFETCH(int, listed);
        QFETCH(QString, call);
        QFETCH(QString, message);
        Program p;
        p.screens.answers = {answer};
        p.listKeys = {keys};
        QLineEdit* target = p.enter(box, typed);
        // A refused pick brings the list back, which the script then cancels.
        QCOMPARE(p.lists.size(), listed == 0 ? 0 : answer ? 1 : 2);
        if (listed) {
            QCOMPARE(p.lists[0].size(), listed);
            call += QLatin1Char(' ') + p.lists[0][keys.count(Qt::Key_Down)];
        }
        QVERIFY(!p.windowShownWithList);
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        verifyOutcome(p, target, message, answer && !call.isEmpty());
    }

    // After the screen of a pick has closed the list comes back, until it is cancelled.
    void listComesBackUntilCancelled() {
        Program p;
        p.listKeys = {{Qt::Key_Return}, {Qt::Key_Escape}};
        p.enter("txtSearchChiName_1", "chan");
        p.window->screenClosed();
        p.window->screenClosed();
        QCOMPARE(p.lists.size(), 2);
        QCOMPARE(p.screens.calls, QStringList{"OpenCustomer " + p.lists[0].first()});
        QVERIFY(p.window->isVisible());
    }

    // F1 to F4, the page menu entries, the toolbar and the tabs select pages, focusing the
    // page's number with its text selected; F5 and the report entries open the report inquiry,
    // each on its own tab; the rate table and a new adjustment have their entry and button; F6,
    // Esc, keys with Shift or Ctrl and the system button do nothing. Page -1: the page stays.
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
        for (const char* how : {"F4", "mAcctAdjust", "kAcctAdjust", "tab"})
            row(how, 3);
        for (const char* how : {"F6", "Esc", "Shift+F3", "Ctrl+F3", "kSystem"})
            row(how, -1);
        for (const char* how : {"F5", "kReport", "mTxDailyRpt"})
            row(how, -1, "OpenReport 0");
        row("mCustomerRpt", -1, "OpenReport 1");
        row("mProductRpt", -1, "OpenReport 2");
        row("mRentOSRpt", -1, "OpenReport 3");
        row("mCategory", -1, "OpenCategory");
        row("cmdAdd", -1, "OpenAdjustment ");
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
        const int now = page < 0 ? from : page;
        QLineEdit* number = p.box(QStringLiteral("txtSearchID_%1").arg(now));
        number->setText(QStringLiteral("1"));
        p.window->setCurrentTab(from);
        if (auto* action = p.find<QAction>(how)) {
            action->trigger();
        } else if (auto* button = p.find<QPushButton>(how)) {
            button->click();
        } else if (how == QLatin1String("tab")) {
            p.find<QTabWidget>("SSTabMain")->setCurrentIndex(page);
        } else {
            const QKeyCombination key = QKeySequence(how)[0];
            p.press(key.key(), key.keyboardModifiers());
        }
        QCOMPARE(p.window->CurrentTab(), now);
        QCOMPARE(QApplication::focusWidget(), number);
        QCOMPARE(number->selectedText(), QStringLiteral("1"));
        QCOMPARE(p.screens.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QVERIFY(p.t.messages.boxes.isEmpty());
        QVERIFY(p.window->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
