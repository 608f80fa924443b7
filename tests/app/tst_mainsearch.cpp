#include "MainWindowFixture.h"

#include <QPushButton>

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

private Q_SLOTS:
    void activeMemberNumberOpensTheVisit() {
        Program p;
        p.addMember(QStringLiteral("000123"), true, {}, {}, {});
        p.enter(QStringLiteral("txtSearchID_0"), QStringLiteral("123"));
        QCOMPARE(p.box(QStringLiteral("txtSearchID_0"))->text(), QStringLiteral("000123"));
        QCOMPARE(p.screens.calls, QStringList{"OpenTransaction 000123"});
        QVERIFY(p.t.messages.boxes.isEmpty());
        QVERIFY(!p.ctx.ReopenTransaction);
    }

    // The visit screen decides about inactive members; when it refuses, the box says so.
    void refusedVisitIsNotFound() {
        Program p;
        p.addMember(QStringLiteral("000123"), false, {}, {}, {});
        p.screens.answers = {false};
        p.enter(QStringLiteral("txtSearchID_0"), QStringLiteral("123"));
        QCOMPARE(p.screens.calls, QStringList{"OpenTransaction 000123"});
        verifyNotFound(p, QStringLiteral("txtSearchID_0"),
                       QStringLiteral("Transaction ID (000123) not found!"));
    }

    void unknownNumberStartsAMemberThenTheVisit() {
        Program p;
        p.enter(QStringLiteral("txtSearchID_0"), QStringLiteral("123"));
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
        p.enter(QStringLiteral("txtSearchID_0"), QStringLiteral("9"));
        QVERIFY(!p.ctx.ReopenTransaction);
        verifyNotFound(p, QStringLiteral("txtSearchID_0"),
                       QStringLiteral("Transaction ID (000009) not found!"));
        p.window->screenClosed();
        QCOMPARE(p.screens.calls, QStringList{"OpenCustomer 000009"});
    }

    void idBoxOpensItsPagesScreen_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("call");
        const auto row = [](const char* name, const char* box, const char* typed,
                            const char* call) {
            QTest::newRow(name) << QString::fromLatin1(box) << QString::fromLatin1(typed)
                                << QString::fromLatin1(call);
        };
        row("copy brought back", "txtSearchID_0", "a12", "OpenTransaction A00012");
        row("member", "txtSearchID_1", "7", "OpenCustomer 000007");
        row("copy", "txtSearchID_2", "b7", "OpenProduct B00007");
        row("adjustment", "txtSearchID_3", "12", "OpenAdjustment 000012");
        row("other identifier", "txtSearchID_2", "ab12", "OpenProduct AB12");
    }
    void idBoxOpensItsPagesScreen() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, call);
        Program p;
        p.enter(box, typed);
        QCOMPARE(p.screens.calls, QStringList{call});
        QCOMPARE(p.box(box)->text(), call.section(QLatin1Char(' '), 1));
        QVERIFY(p.t.messages.boxes.isEmpty());
    }

    // Only the visit page speaks for a refused or missing key; the other screens give their
    // own reasons. Either way the text is selected for the next try.
    void idBoxFailures_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty visit box") << 0 << "" << QStringList{"Transaction ID () not found!"};
        for (int page : {1, 2, 3}) {
            QTest::addRow("empty box page %d", page) << page << "" << QStringList();
            QTest::addRow("refused key page %d", page) << page << "5" << QStringList();
        }
    }
    void idBoxFailures() {
        QFETCH(int, page);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        Program p;
        p.screens.answers = {false};
        const QString name = QStringLiteral("txtSearchID_%1").arg(page);
        p.enter(name, typed);
        QCOMPARE(p.screens.calls.size(), typed.isEmpty() ? 0 : 1);
        QCOMPARE(p.t.messages.texts(), messages);
        QCOMPARE(p.box(name)->selectedText(), p.box(name)->text());
        QCOMPARE(QApplication::focusWidget(), p.box(name));
    }

    void notFoundMessages_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const std::pair<const char*, const char*> labels[] = {{"txtSearchHKID", "Identity Number"},
                                                              {"txtSearchChiName", "Local Name"},
                                                              {"txtSearchEngName", "English Name"}};
        for (int page : {0, 1}) {
            for (const auto& [box, label] : labels) {
                const QString name = QStringLiteral("%1_%2").arg(QLatin1String(box)).arg(page);
                QTest::newRow(qPrintable(name + " nothing"))
                    << name << "zz" << QStringLiteral("%1 (ZZ) not found!").arg(label);
                QTest::newRow(qPrintable(name + " empty"))
                    << name << "" << QStringLiteral("%1 () not found!").arg(label);
            }
        }
        QTest::newRow("title") << QStringLiteral("txtSearchChiName_2") << QStringLiteral("zz")
                               << "Product Name (ZZ) not found!";
        QTest::newRow("adjustment") << QStringLiteral("txtSearchChiName_3") << QStringLiteral("zz")
                                    << "Local Name (ZZ) not found!";
        QTest::newRow("adjustment empty")
            << QStringLiteral("txtSearchChiName_3") << QString() << "Local Name () not found!";
    }
    void notFoundMessages() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Program p;
        p.addMember(QStringLiteral("000001"), true, QStringLiteral("A1"), QStringLiteral("LAM"),
                    QStringLiteral("CHAN"));
        p.addCopy(QStringLiteral("000001"), QStringLiteral("000001"), QStringLiteral("ALIEN"));
        p.addAdjustment(QStringLiteral("000001"), QStringLiteral("RENT"));
        p.enter(box, typed);
        QVERIFY(p.screens.calls.isEmpty());
        verifyNotFound(p, box, message);
    }

    // One hit opens at once on the page's screen; a refused one is not found.
    void singleHitOpens_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* box, const char* typed, const char* call,
                            const char* message) {
            QTest::newRow(name) << QString::fromLatin1(box) << QString::fromLatin1(typed)
                                << QString::fromLatin1(call) << QString::fromLatin1(message);
        };
        row("identity, visit", "txtSearchHKID_0", "b2", "OpenTransaction 000002",
            "Identity Number (B2) not found!");
        row("english, member", "txtSearchEngName_1", "wong", "OpenCustomer 000002",
            "English Name (WONG) not found!");
        row("title", "txtSearchChiName_2", "lien", "OpenProduct 000010",
            "Product Name (LIEN) not found!");
        row("adjustment", "txtSearchChiName_3", "float", "OpenAdjustment 000005",
            "Local Name (FLOAT) not found!");
    }
    void singleHitOpens() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, call);
        QFETCH(QString, message);
        for (bool refused : {false, true}) {
            Program p;
            p.addMember(QStringLiteral("000001"), true, QStringLiteral("A1"), {},
                        QStringLiteral("CHAN"));
            p.addMember(QStringLiteral("000002"), true, QStringLiteral("B2"), {},
                        QStringLiteral("WONG"));
            p.addCopy(QStringLiteral("000010"), QStringLiteral("000001"), QStringLiteral("ALIEN"));
            p.addAdjustment(QStringLiteral("000005"), QStringLiteral("CASH FLOAT"));
            p.screens.answers = {!refused};
            p.enter(box, typed);
            QCOMPARE(p.screens.calls, QStringList{call});
            QVERIFY(p.lists.isEmpty());
            if (refused)
                verifyNotFound(p, box, message);
            else
                QVERIFY(p.t.messages.boxes.isEmpty());
        }
    }

    // The clerk works through the hits: after each opened screen closes the same list comes
    // back with the last chosen row current, until Esc ends it.
    void identityListComesBackUntilCancelled() {
        Program p;
        p.addMember(QStringLiteral("000001"), true, QStringLiteral("A123"), {}, {});
        p.addMember(QStringLiteral("000002"), true, QStringLiteral("A1234"), {}, {});
        p.addMember(QStringLiteral("000003"), true, QStringLiteral("A12"), {}, {});
        const QStringList order = {"000003", "000001", "000002"};
        p.listKeys = {{Qt::Key_Return}, {Qt::Key_Down, Qt::Key_Return}, {Qt::Key_Escape}};

        p.enter(QStringLiteral("txtSearchHKID_0"), QStringLiteral("a12"));
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
        p.addMember(QStringLiteral("000001"), true, {}, QStringLiteral("LAM A"), {});
        p.addMember(QStringLiteral("000002"), true, {}, QStringLiteral("LAM B"), {});
        p.screens.answers = {false};
        p.listKeys = {{Qt::Key_F12}, {Qt::Key_Escape}};
        p.enter(QStringLiteral("txtSearchChiName_1"), QStringLiteral("lam"));
        QCOMPARE(p.screens.calls, QStringList{"OpenCustomer 000001"});
        QCOMPARE(p.t.messages.texts(), QStringList{"Local Name (LAM) not found!"});
        QCOMPARE(p.lists.size(), 2);
        QVERIFY(p.window->isVisible());
    }

    // The visit page looks at active members first and falls back to all; the customer page
    // always looks at all.
    void activeMembersFirstOnTheVisitPage_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("listed");
        QTest::newRow("visit, an active one")
            << "txtSearchChiName_0"
            << "chan" << QStringList{"OpenTransaction 000002"} << 0;
        QTest::newRow("visit, only inactive ones")
            << "txtSearchChiName_0"
            << "lee" << QStringList{"OpenTransaction 000004"} << 2;
        QTest::newRow("member, all") << "txtSearchChiName_1"
                                     << "chan" << QStringList{"OpenCustomer 000002"} << 2;
    }
    void activeMembersFirstOnTheVisitPage() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, calls);
        QFETCH(int, listed);
        Program p;
        p.addMember(QStringLiteral("000001"), false, {}, QStringLiteral("CHAN A"), {});
        p.addMember(QStringLiteral("000002"), true, {}, QStringLiteral("CHAN B"), {});
        p.addMember(QStringLiteral("000003"), false, {}, QStringLiteral("LEE A"), {});
        p.addMember(QStringLiteral("000004"), false, {}, QStringLiteral("LEE B"), {});
        p.listKeys = {{Qt::Key_Down, Qt::Key_Enter}};
        p.enter(box, typed);
        QCOMPARE(p.lists.size(), listed ? 1 : 0);
        if (listed)
            QCOMPARE(p.lists[0].keys.size(), listed);
        QCOMPARE(p.screens.calls, calls);
    }

    // Several hits come up in the page's list, sorted by key; the chosen row opens.
    void searchListsHits_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<Qt::Key>>("keys");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("call");
        QTest::newRow("title") << QStringLiteral("txtSearchChiName_2") << QStringLiteral("love")
                               << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
                               << QStringList{"#", "ItemID", "Rate Code", "Title", "Status"}
                               << QStringList{"000010", "000011", "000012"} << "OpenProduct 000012";
        QTest::newRow("adjustment") << QStringLiteral("txtSearchChiName_3")
                                    << QStringLiteral("rent") << QList<Qt::Key>{Qt::Key_Return}
                                    << QStringList{"#", "Adj. ID", "Date", "Description", "Amount"}
                                    << QStringList{"000003", "000007"} << "OpenAdjustment 000003";
    }
    void searchListsHits() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QList<Qt::Key>, keys);
        QFETCH(QStringList, headings);
        QFETCH(QStringList, listed);
        QFETCH(QString, call);
        Program p;
        p.addCopy(QStringLiteral("000011"), QStringLiteral("000002"), QStringLiteral("LOVE ME"));
        p.addCopy(QStringLiteral("000010"), QStringLiteral("000001"), QStringLiteral("ALL LOVE"));
        p.addCopy(QStringLiteral("000012"), QStringLiteral("000002"), QStringLiteral("LOVE ME"));
        p.addAdjustment(QStringLiteral("000007"), QStringLiteral("SHOP RENT"));
        p.addAdjustment(QStringLiteral("000003"), QStringLiteral("RENT REFUND"));
        p.addAdjustment(QStringLiteral("000001"), QStringLiteral("ELECTRICITY"));
        p.listKeys = {keys};
        p.enter(box, typed);
        QCOMPARE(p.lists.size(), 1);
        QCOMPARE(p.lists[0].headings, headings);
        QCOMPARE(p.lists[0].keys, listed);
        QCOMPARE(p.screens.calls, QStringList{call});
    }

    void adjustmentButtons() {
        Program p;
        p.window->setCurrentTab(3);
        p.find<QPushButton>(QStringLiteral("cmdAdd"))->click();
        QCOMPARE(p.screens.calls, QStringList{"OpenAdjustment "});

        QLineEdit* id = p.box(QStringLiteral("txtSearchID_3"));
        id->setText(QStringLiteral("12"));
        p.find<QPushButton>(QStringLiteral("cmdEdit"))->click();
        QCOMPARE(id->text(), QStringLiteral("000012"));
        QCOMPARE(p.screens.calls.last(), QStringLiteral("OpenAdjustment 000012"));

        id->clear();
        p.find<QPushButton>(QStringLiteral("cmdEdit"))->click();
        QCOMPARE(p.screens.calls.size(), 2);
        QCOMPARE(QApplication::focusWidget(), id);
        QVERIFY(p.t.messages.boxes.isEmpty());
    }
};

QTEST_MAIN(TestMainSearch)
#include "tst_mainsearch.moc"
