#include "AppScreens.h"
#include "Cases.h"
#include "FormHarness.h"
#include "frmMain.h"
#include "frmSelectRecord.h"
#include "selectlayouts.h"
#include "shoprows.h"
#include "startup.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

// A search typed into a box ("cmdEdit": the adjustment number, then Edit): the answer of the
// screen asked, the screen asked for with its key (for a pick from the list, the key is the
// row `steps` pick), and the message shown.
struct Search {
    QString box, typed = {};
    bool answer = true;
    QString call = {}, message = {};
    QStringList steps = {};
};
Q_DECLARE_METATYPE(Search)

// Stands in for a keyed screen: refuses the key "REFUSED", and deletes itself once closed.
class KeyedForm : public QWidget {
public:
    explicit KeyedForm(AppContext&) {
        setAttribute(Qt::WA_DeleteOnClose);
        last = this;
    }
    bool Start(const QString& key) const { return key != QLatin1String("REFUSED"); }

    static inline QPointer<KeyedForm> last; // while it lives
};

// The program's own opener, with a KeyedForm for the copy screen.
class KeyedScreens : public AppScreens {
public:
    using AppScreens::AppScreens;
    bool OpenProduct(const QString& key) override { return openKeyed<KeyedForm>(key); }
};

// A started program on a test database holding members, copies and adjustments to search,
// its main window shown and active. The screens it asks for are noted ("OpenTransaction
// 000123") and the keyed ones answered from a script, true once it has run dry; each showing
// of the selection list takes the next steps of a script (none: cancelled, so nothing hangs).
struct Program : TestContext, Screens {
    Program() {
        QVERIFY(t.ok() && shoprows::inOne(t, [this] { return arrange(); }) && InitCodes(ctx));
        window = std::make_unique<frmMain>(ctx, *this);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The list is modal: it is answered from inside its own event loop.
        QObject::connect(&listWatch, &QTimer::timeout, [this] { answerList(); });
        listWatch.start(1);
    }
    // Hidden first, the window is not closed on its way out, so it does not compact.
    ~Program() override { window->hide(); }

    bool OpenTransaction(const QString& key) override { return keyed("OpenTransaction", key); }
    bool OpenCustomer(const QString& key) override { return keyed("OpenCustomer", key); }
    bool OpenProduct(const QString& key) override { return keyed("OpenProduct", key); }
    bool OpenAdjustment(const QString& key) override { return keyed("OpenAdjustment", key); }
    void OpenReport(int kind) override { calls << QStringLiteral("OpenReport %1").arg(kind); }
    void OpenCategory() override { calls << QStringLiteral("OpenCategory"); }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    // Delivered the way the window system delivers keys: to the window's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // Runs a search (see Search) and returns the box typed into.
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

    QStringList calls;
    QList<bool> answers;
    QList<QStringList> listSteps;
    QList<QStringList> lists; // column 1 of each showing of the list
    QList<int> currentRows;
    bool untidyList = false; // shown with the window or misnumbered or mishighlighted
    std::unique_ptr<frmMain> window;

private:
    bool keyed(const char* screen, const QString& key) {
        calls << QString::fromLatin1(screen) + QLatin1Char(' ') + key;
        return answers.isEmpty() || answers.takeFirst();
    }
    bool arrange() {
        return t.exec("INSERT INTO Customers (CustomerID, Active, HKID, ChineseName, EnglishName) "
                      "VALUES ('000001', 'N', 'A1', 'CHAN A', 'CHAN'), "
                      "('000002', 'Y', 'B2', 'CHAN B', 'WONG'), ('000003', 'N', '', '', 'CHAN')") &&
               t.exec("INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES "
                      "('000001', 'ALL LOVE', 'V'), ('000002', 'LOVE ME', 'V'), "
                      "('000003', 'ALIEN', 'V')") &&
               t.exec("INSERT INTO Items (ItemID, ProductID, Status) VALUES "
                      "('000010', '000001', '0'), ('000011', '000002', '0'), "
                      "('000020', '000003', '0')") &&
               t.exec("INSERT INTO AcctAdjust (AdjustID, Description) VALUES ('000007', "
                      "'SHOP RENT'), ('000003', 'RENT REFUND'), ('000005', 'CASH FLOAT')");
    }
    // Does on the list what the clerk does: a key ("Down", "F12"), a button or a double click on
    // the current row.
    static void act(frmSelectRecord& dialog, QTableWidget* grid, const QString& how) {
        const QPoint at = grid->visualItemRect(grid->currentItem()).center();
        if (auto* button = dialog.findChild<QPushButton*>(how)) {
            button->click();
        } else if (how == QLatin1String("double click")) {
            // A double click follows a press on the same row.
            QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::keyClick(dialog.windowHandle(), QKeySequence(how)[0].key());
        }
    }
    void answerList() {
        auto* dialog = qobject_cast<frmSelectRecord*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* grid = dialog->findChild<QTableWidget*>("msgSelectRecord");
        // Rows are numbered in a column of their own; only the current row is highlighted,
        // never in that column.
        QStringList keys;
        bool tidy = !window->isVisible();
        for (int row = 0; row < grid->rowCount(); ++row) {
            keys << grid->item(row, 1)->text();
            tidy = tidy && grid->item(row, 0)->text() == QString::number(row + 1);
        }
        const QList<QTableWidgetItem*> selected = grid->selectedItems();
        tidy = tidy && selected.size() == grid->columnCount() - 1;
        for (const QTableWidgetItem* item : selected)
            tidy = tidy && item->row() == grid->currentRow() && item->column() >= 1;
        lists << keys;
        currentRows << grid->currentRow();
        untidyList = untidyList || !tidy;
        for (const QString& how : listSteps.isEmpty() ? QStringList{} : listSteps.takeFirst())
            act(*dialog, grid, how);
        if (dialog->isVisible())
            dialog->reject();
    }

    QTimer listWatch;
};

// The main window driven at the keyboard: which key, menu entry or box opens which screen
// with which key, what each search says when nothing opened, and compacting on the way out.
// The selection list is seen through the searches: its rows, its ways of choosing and
// cancelling, and what it remembers between showings.
class TestMainWindow : public QObject {
    Q_OBJECT

private:
    // One window serves every row of keysAndActions, which comes last so that no other window
    // answers the selection list meanwhile: none of its rows changes what the window holds.
    std::unique_ptr<Program> keyed;

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
        QStringList shown{description->text()};
        p.box("txtSearchID_2")->setFocus();
        shown << description->text();
        combo->setEditText("N");
        p.ctx.CategoryList.append(p.ctx.CategoryList.first());
        p.ctx.CategoryList.last().CategoryID = QStringLiteral("N");
        p.ctx.CategoryList.last().Description = QStringLiteral("NEW RELEASE");
        p.window->reloadCategories();
        shown << QString::number(combo->count()) + combo->currentText() << description->text();
        combo->setFocus();
        combo->setCurrentIndex(1);
        QTest::keyClick(combo, Qt::Key_Up);
        shown << description->text();
        QCOMPARE(shown.join(QLatin1Char('|')), QStringLiteral("|VIDEO|2N|NEW RELEASE|VIDEO"));
    }

    // Compact DB and every way of closing compact the database under the hourglass, saying
    // meanwhile what they do; only Compact DB leaves the window up.
    void compacts_data() {
        const Cases<QString> add;
        for (const char* how : {"mCompactDB", "mExit", "title bar"})
            add(how, how);
    }
    void compacts() {
        const auto [how] = Cases<QString>::fetch();
        Program p;
        if (auto* action = p.find<QAction>(how))
            action->trigger();
        else
            p.window->close();
        QVERIFY(QFile::exists(p.t.db().filePath(Connection::BackupFile)));
        QCOMPARE(p.find<QLabel>("sbPanel1")->text(),
                 QStringLiteral("Compressing Database! Please wait..."));
        QVERIFY(!QApplication::overrideCursor() && p.t.messages.boxes.isEmpty());
        QCOMPARE(p.window->isVisible(), how == QLatin1String("mCompactDB"));
    }

    // A number opens its page's screen with the key made whole; the visit page speaks for a
    // refused or missing key and starts a new member for a number nobody has, the other
    // screens giving their own reasons. The other boxes: no hit is not found; one hit opens at
    // once (a refused one is not found); several come up in the page's list and the chosen
    // row opens, a refused pick being reported and the list shown again. The visit page looks
    // at active members first.
    void searches_data() {
        const Cases<Search> row;
        const QString visit = "txtSearchID_0";
        const QString members = "txtSearchChiName_1";
        row("member's visit refused",
            {visit, "1", false, "OpenTransaction 000001", "Transaction ID (000001) not found!"});
        row("copy brought back", {visit, "a12", true, "OpenTransaction A00012"});
        row("new member", {visit, "9", true, "OpenCustomer 000009"});
        row("new member refused",
            {visit, "9", false, "OpenCustomer 000009", "Transaction ID (000009) not found!"});
        row("empty visit box", {visit, "", true, "", "Transaction ID () not found!"});
        row("member refused", {"txtSearchID_1", "7", false, "OpenCustomer 000007"});
        row("copy refused", {"txtSearchID_2", "b7", false, "OpenProduct B00007"});
        row("Edit", {"cmdEdit", "12", true, "OpenAdjustment 000012"});
        row("Edit, empty box", {"cmdEdit", ""});
        row("empty identity", {"txtSearchHKID_0", "", true, "", "Identity Number () not found!"});
        row("english", {"txtSearchEngName_0", "zz", true, "", "English Name (ZZ) not found!"});
        row("empty adjustment", {"txtSearchChiName_3", "", true, "", "Local Name () not found!"});
        row("one identity", {"txtSearchHKID_0", "b2", true, "OpenTransaction 000002"});
        row("one adjustment", {"txtSearchChiName_3", "float", true, "OpenAdjustment 000005"});
        row("one refused", {"txtSearchChiName_2", "lien", false, "OpenProduct 000020",
                            "Product Name (LIEN) not found!"});
        row("visit, the active one",
            {"txtSearchChiName_0", "chan", true, "OpenTransaction 000002"});
        row("visit, inactive ones",
            {"txtSearchEngName_0", "chan", true, "OpenTransaction", "", {"Down", "Enter"}});
        row("titles", {"txtSearchChiName_2", "love", true, "OpenProduct", "", {"Down", "F12"}});
        row("adjustments", {"txtSearchChiName_3", "rent", true, "OpenAdjustment", "", {"Enter"}});
        row("OK", {members, "chan", true, "OpenCustomer", "", {"Down", "cmdSave"}});
        row("double click", {members, "chan", true, "OpenCustomer", "", {"Down", "double click"}});
        row("Cancel", {members, "chan", true, "", "", {"Down", "cmdCancel"}});
        row("Esc", {members, "chan", true, "", "", {"Down", "Esc"}});
        row("pick refused",
            {members, "chan", false, "OpenCustomer", "Local Name (CHAN) not found!", {"F12"}});
    }
    void searches() {
        auto [s] = Cases<Search>::fetch();
        Program p;
        p.answers = {s.answer};
        p.listSteps = {s.steps};
        QLineEdit* box = p.enter(s.box, s.typed);
        // A refused pick brings the list back, which the script then cancels.
        const bool listed = !s.steps.isEmpty();
        const bool opened = s.answer && !s.call.isEmpty();
        QCOMPARE(p.lists.size(), listed ? (s.answer ? 1 : 2) : 0);
        QVERIFY(!listed || p.lists[0].size() == 2);
        if (listed && !s.call.isEmpty())
            s.call += QLatin1Char(' ') + p.lists[0][s.steps.count("Down")];
        QVERIFY(!p.untidyList);
        QCOMPARE(p.calls, s.call.isEmpty() ? QStringList() : QStringList{s.call});
        if (box->objectName().startsWith(QLatin1String("txtSearchID")))
            QCOMPARE(box->text(), s.call.section(QLatin1Char(' '), 1));
        QCOMPARE(p.ctx.ReopenTransaction, s.answer && s.box == QLatin1String("txtSearchID_0") &&
                                              s.call.startsWith(QLatin1String("OpenCustomer")));
        QCOMPARE(p.t.messages.texts(),
                 s.message.isEmpty() ? QStringList() : QStringList{s.message});
        if (!s.message.isEmpty())
            QCOMPARE(p.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        // Nothing opened: the text is selected in the focused box for the next try.
        QCOMPARE(p.window->isVisible(), !listed || !opened);
        if (!opened)
            QVERIFY(box->window()->focusWidget() == box && box->selectedText() == box->text());
    }

    // After the screen of a pick has closed the list comes back, until it is cancelled: with
    // its rows even if the hits changed meanwhile, the row chosen last current. After a cancel
    // the next list is filled afresh.
    void listComesBackUntilCancelled() {
        Program p;
        p.listSteps = {{"Down", "Return"}, {"Esc"}};
        p.enter("txtSearchChiName_1", "chan");
        p.ctx.CustomerMatches.removeLast();
        p.window->screenClosed();
        p.window->screenClosed();
        p.enter("txtSearchEngName_1", "chan");
        QCOMPARE(p.calls, QStringList{"OpenCustomer " + p.lists[0].last()});
        QCOMPARE(p.currentRows, (QList<int>{0, 1, 0}));
        QCOMPARE(p.lists[1], p.lists[0]);
        QCOMPARE(p.lists[2], (QStringList{"000001", "000003"}));
        QVERIFY(p.window->isVisible() && !p.untidyList);
    }

    // A keyed screen takes the main window's place until it has gone; then a new member's
    // visit is due. A refused key leaves no screen behind and the window up.
    void screenTakesTheWindowsPlace() {
        for (const bool accepted : {true, false}) {
            Program p;
            KeyedScreens opener(p.ctx);
            opener.attach(*p.window);
            p.box("txtSearchID_0")->setText("000123");
            p.ctx.ReopenTransaction = true;
            QCOMPARE(opener.OpenProduct(accepted ? "000010" : "REFUSED"), accepted);
            QCOMPARE(KeyedForm::last && KeyedForm::last->isVisible(), accepted);
            QCOMPARE(p.window->isVisible(), !accepted);
            if (accepted)
                KeyedForm::last->close();
            QTRY_VERIFY(!KeyedForm::last);
            QCoreApplication::processEvents();
            QVERIFY(p.window->isVisible());
            QCOMPARE(p.calls, accepted ? QStringList{"OpenTransaction 000123"} : QStringList());
            QCOMPARE(p.ctx.ReopenTransaction, !accepted);
        }
    }

    // The date and the amount as the clerk reads them.
    void adjustmentRowsShowDateAndAmount() {
        AcctAdjustRec a;
        a.AdjustDate = QDate(2004, 3, 10);
        a.AdjustAmt = Money::fromWhole(-1250);
        const SelectTable table = AdjustmentSelectTable({a});
        QCOMPARE(table.rows[0].mid(2), (QStringList{"10/03/2004", "", "-1,250.00"}));
    }

    // F1 to F4, the page menu entries, the toolbar and the tabs select pages, focusing the
    // page's number with its text selected; F5 and the report entries open the report inquiry,
    // each on its own tab; the rate table and a new adjustment have their entry and button; F6,
    // Esc, keys with Shift or Ctrl and the system button do nothing. Page -1: the page stays.
    void keysAndActions_data() {
        const Cases<QString, int, QString> add;
        const auto row = [&add](const QString& how, int page, const char* call = "") {
            add(qPrintable(how), how, page, call);
        };
        const QStringList pages[] = {{"F1", "mMainOrder", "kTransaction"},
                                     {"F2", "mMainCustomer", "kCustomer"},
                                     {"F3", "mMainProduct", "kProduct"},
                                     {"F4", "mAcctAdjust", "kAcctAdjust", "tab"}};
        for (int page = 0; page < 4; ++page)
            for (const QString& how : pages[page])
                row(how, page);
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
        const auto [how, page, call] = Cases<QString, int, QString>::fetch();
        if (!keyed)
            keyed = std::make_unique<Program>();
        Program& p = *keyed;
        p.calls.clear();
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
        QCOMPARE(p.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QVERIFY(p.t.messages.boxes.isEmpty() && p.window->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
