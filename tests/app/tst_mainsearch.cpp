#include "MainWindowFixture.h"

#include <QPushButton>

using Keys = QList<Qt::Key>;

// The main window's searches, driven at the keyboard: what each box finds, which screen it
// opens with which key, the selection list for several hits and every not-found message.
class TestMainSearch : public QObject {
    Q_OBJECT

private:
    using Program = MainWindowFixture;

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
        row("member", 1, "7", true, "000007", "OpenCustomer 000007");
        row("copy", 2, "b7", true, "B00007", "OpenProduct B00007");
        row("adjustment", 3, "12", true, "000012", "OpenAdjustment 000012");
        row("other identifier", 2, "ab12", true, "AB12", "OpenProduct AB12");
        row("empty visit box", 0, "", false, "", "", "Transaction ID () not found!");
        row("empty member box", 1, "", false, "", "");
        row("refused member", 1, "5", false, "000005", "OpenCustomer 000005");
        row("refused copy", 2, "5", false, "000005", "OpenProduct 000005");
        row("refused adjustment", 3, "5", false, "000005", "OpenAdjustment 000005");
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

    void refusedNewMemberIsNotFound() {
        Program p;
        p.screens.answers = {false};
        p.enter("txtSearchID_0", "9");
        QVERIFY(!p.ctx.ReopenTransaction);
        verifyNotFound(p, "txtSearchID_0", "Transaction ID (000009) not found!");
        p.window->screenClosed();
        QCOMPARE(p.screens.calls, QStringList{"OpenCustomer 000009"});
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
};

QTEST_MAIN(TestMainSearch)
#include "tst_mainsearch.moc"
