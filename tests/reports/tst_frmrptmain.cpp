#include "AppContext.h"
#include "MaskedLineEdit.h"
#include "ReportPreview.h"
#include "ReportShop.h"
#include "TestClock.h"
#include "TestSettings.h"
#include "frmRptMain.h"

#include <QApplication>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

// The report inquiry screen at the keyboard: its tabs, period options, validation and
// previews, on the small February shop.
class Test_frmRptMain : public QObject {
    Q_OBJECT

    struct Screen {
        Screen() {
            ok = t.ok() && reportshop::arrange(t);
            ctx.ShopName = QStringLiteral("FLICKA VIDEO");
        }
        ~Screen() { delete form; }

        bool start(int kind) {
            form = new frmRptMain(ctx);
            form->Start(kind);
            return QTest::qWaitForWindowActive(form);
        }
        template <typename T = MaskedLineEdit> T* find(const QString& name) const {
            return form->findChild<T*>(name);
        }
        QString text(const QString& name) const { return find(name)->text(); }
        int tab() const { return find<QTabWidget>(QStringLiteral("SSTabRpt"))->currentIndex(); }
        QString focused() const {
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QString();
        }
        void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(form->windowHandle(), key, modifiers);
        }
        // On the caption's first letters: an option answers clicks on its circle and caption.
        void click(const QString& name) {
            auto* button = find<QAbstractButton>(name);
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, button->height() / 2));
        }
        // Typed over the whole box, as the clerk does after the box selected its text.
        void type(const QString& name, const QString& keys) {
            MaskedLineEdit* box = find(name);
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, keys);
        }
        QList<ReportPreview*> previews() const { return form->findChildren<ReportPreview*>(); }

        TestDb t;
        TestClock clock;
        TestSettings store;
        AppContext ctx{t.db(), t.messages, clock, store.settings};
        QPointer<frmRptMain> form;
        bool ok = false;
    };

    std::unique_ptr<Screen> s;

private Q_SLOTS:
    void init() {
        s = std::make_unique<Screen>();
        QVERIFY(s->ok);
    }
    void cleanup() { s.reset(); }

    void opensReady() {
        QVERIFY(s->start(0));
        QCOMPARE(s->form->windowTitle(), QStringLiteral("Report Inquiry"));
        auto* tabs = s->find<QTabWidget>(QStringLiteral("SSTabRpt"));
        QCOMPARE(
            (QStringList{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)}),
            (QStringList{"Accounting", "Customer", "Product", "Overdue Tran."}));
        for (const char* box : {"txtTimesFrom_1", "txtTimesTo_1", "txtTimesFrom_2", "txtTimesTo_2"})
            QCOMPARE(s->text(QString::fromLatin1(box)), QStringLiteral("1   "));
        QCOMPARE(s->text(QStringLiteral("txtRptDate")), QStringLiteral("10/03/2004"));
        QCOMPARE(s->text(QStringLiteral("txtRptEndDate")), QStringLiteral("10/03/2004"));
        QCOMPARE(s->text(QStringLiteral("txtRptMonthDate")), QStringLiteral("03/2004"));
        QCOMPARE(s->text(QStringLiteral("txtOSItemEndDate")), QStringLiteral("10/03/2004"));
        QVERIFY(s->find<QRadioButton>(QStringLiteral("optTypeTx"))->isChecked());
        QVERIFY(s->find<QRadioButton>(QStringLiteral("optRptDaily"))->isChecked());
        QCOMPARE(s->find<QPushButton>(QStringLiteral("cmdSave"))->text(),
                 QStringLiteral("Preview (F12)"));
        QCOMPARE(s->find<QPushButton>(QStringLiteral("cmdCancel"))->text(),
                 QStringLiteral("Cancel (Esc)"));
    }

    void startsOnItsTab_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("focus");
        QTest::newRow("transactions") << 0 << "txtRptDate";
        QTest::newRow("customers") << 1 << "txtTimesFrom_1";
        QTest::newRow("products") << 2 << "txtTimesFrom_2";
        QTest::newRow("overdue") << 3 << "txtOSItemEndDate";
    }
    void startsOnItsTab() {
        QFETCH(int, kind);
        QFETCH(QString, focus);
        QVERIFY(s->start(kind));
        QVERIFY(s->form->isVisible());
        QCOMPARE(s->tab(), kind);
        QCOMPARE(s->focused(), focus);
    }

    void functionKeysSwitchTabs_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("focus");
        QTest::newRow("F1") << Qt::Key_F1 << Qt::KeyboardModifiers() << 0 << "txtRptDate";
        QTest::newRow("F2") << Qt::Key_F2 << Qt::KeyboardModifiers() << 1 << "txtTimesFrom_1";
        QTest::newRow("F3") << Qt::Key_F3 << Qt::KeyboardModifiers() << 2 << "txtTimesFrom_2";
        QTest::newRow("F4") << Qt::Key_F4 << Qt::KeyboardModifiers() << 3 << "txtOSItemEndDate";
        QTest::newRow("Shift+F2") << Qt::Key_F2 << Qt::KeyboardModifiers(Qt::ShiftModifier) << 3
                                  << "txtOSItemEndDate";
        QTest::newRow("Ctrl+F1") << Qt::Key_F1 << Qt::KeyboardModifiers(Qt::ControlModifier) << 3
                                 << "txtOSItemEndDate";
    }
    void functionKeysSwitchTabs() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, tab);
        QFETCH(QString, focus);
        QVERIFY(s->start(3));
        s->press(key, modifiers);
        QCOMPARE(s->tab(), tab);
        QCOMPARE(s->focused(), focus);
    }

    void periodOptions() {
        QVERIFY(s->start(0));
        s->click(QStringLiteral("optRptMonthly"));
        QVERIFY(!s->find(QStringLiteral("txtRptDate"))->isEnabled());
        QVERIFY(!s->find(QStringLiteral("txtRptEndDate"))->isEnabled());
        QVERIFY(s->find(QStringLiteral("txtRptMonthDate"))->isEnabled());
        QCOMPARE(s->text(QStringLiteral("txtRptDate")), QStringLiteral("01/03/2004"));
        QCOMPARE(s->text(QStringLiteral("txtRptEndDate")), QStringLiteral("31/03/2004"));

        s->click(QStringLiteral("optRptMulti"));
        QVERIFY(s->find(QStringLiteral("txtRptDate"))->isEnabled());
        QVERIFY(s->find(QStringLiteral("txtRptEndDate"))->isEnabled());
        QVERIFY(!s->find(QStringLiteral("txtRptMonthDate"))->isEnabled());
        QCOMPARE(s->text(QStringLiteral("txtRptEndDate")), QStringLiteral("31/03/2004"));

        s->type(QStringLiteral("txtRptDate"), QStringLiteral("05022004"));
        s->click(QStringLiteral("optRptDaily"));
        QCOMPARE(s->text(QStringLiteral("txtRptDate")), QStringLiteral("10/03/2004"));
        QVERIFY(!s->find(QStringLiteral("txtRptEndDate"))->isEnabled());
    }

    // The rental-times box selects its text on entry, so the first digit typed replaces it.
    void timesBoxReplacedByTyping() {
        QVERIFY(s->start(1));
        QTest::keyClick(s->form->windowHandle(), Qt::Key_5);
        QCOMPARE(s->text(QStringLiteral("txtTimesFrom_1")), QStringLiteral("5   "));
    }

    void wrongDatesRunNothing_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::newRow("daily") << 0 << "optRptDaily"
                               << "txtRptDate"
                               << "31022004";
        QTest::newRow("range") << 0 << "optRptMulti"
                               << "txtRptEndDate"
                               << "0103";
        QTest::newRow("monthly") << 0 << "optRptMonthly"
                                 << "txtRptMonthDate"
                                 << "132004";
        QTest::newRow("overdue") << 3 << ""
                                 << "txtOSItemEndDate"
                                 << "";
    }
    void wrongDatesRunNothing() {
        QFETCH(int, tab);
        QFETCH(QString, option);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QVERIFY(s->start(tab));
        if (!option.isEmpty())
            s->click(option);
        s->type(box, typed);
        if (typed.isEmpty())
            QTest::keyClick(s->find(box), Qt::Key_Delete);
        s->press(Qt::Key_F12);
        QCOMPARE(s->t.messages.texts(), QStringList{QStringLiteral("Date of Inquiry error!")});
        QCOMPARE(s->t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QVERIFY(s->previews().isEmpty());
    }

    void previewOpensTheReport_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("title");
        QTest::newRow("summary") << 0 << "optTypeTx"
                                 << "Transaction Summary Report:";
        QTest::newRow("adjustments") << 0 << "optTypeAccAdjust"
                                     << "Accounting Adjustment Report:";
        QTest::newRow("sales") << 0 << "optTypeSales"
                               << "Sales Details Report:";
        QTest::newRow("by item") << 0 << "optTypeRental"
                                 << "Rental Details Report (By Item):";
        QTest::newRow("by txn") << 0 << "optTypeRentByTxn"
                                << "Rental Details Report (By Txn):";
        QTest::newRow("customers") << 1 << ""
                                   << "Customer Report:";
        QTest::newRow("products") << 2 << ""
                                  << "Product Report:";
        QTest::newRow("overdue") << 3 << ""
                                 << "Overdue Transaction Report:";
    }
    void previewOpensTheReport() {
        QFETCH(int, tab);
        QFETCH(QString, option);
        QFETCH(QString, title);
        QVERIFY(s->start(tab));
        if (!option.isEmpty())
            s->click(option);
        s->click(QStringLiteral("cmdSave"));
        QVERIFY(s->t.messages.boxes.isEmpty());
        QCOMPARE(s->previews().size(), 1);
        ReportPreview* preview = s->previews().first();
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), title);
        QVERIFY(preview->findChild<QPrintPreviewWidget*>()->pageCount() >= 1);
        // The inquiry stays open for the next report.
        QVERIFY(s->form->isVisible());
    }

    // A monthly summary shows the month's days in the boxes and stores them with the month.
    void monthlySummary() {
        QVERIFY(s->start(0));
        s->click(QStringLiteral("optRptMonthly"));
        s->type(QStringLiteral("txtRptMonthDate"), QStringLiteral("022004"));
        s->press(Qt::Key_F12);
        QVERIFY(s->t.messages.boxes.isEmpty());
        QCOMPARE(s->text(QStringLiteral("txtRptDate")), QStringLiteral("01/02/2004"));
        QCOMPARE(s->text(QStringLiteral("txtRptEndDate")), QStringLiteral("29/02/2004"));
        QCOMPARE(s->t.scalar(QStringLiteral("SELECT RptDate || ' ' || RptEndDate || ' ' || "
                                            "RptMonthDate FROM RptDailyTx"))
                     .toString(),
                 QStringLiteral("2004-02-01 2004-02-29 02/2004"));
        QCOMPARE(s->previews().size(), 1);
    }

    // The customer list ranks by a freshly counted work table.
    void customerListRebuildsItsCounts() {
        QVERIFY(s->t.exec(QStringLiteral("DELETE FROM Cust_Temp")));
        QVERIFY(s->start(1));
        s->press(Qt::Key_F12);
        QCOMPARE(s->t.scalar(QStringLiteral("SELECT COUNT(*) FROM Cust_Temp")).toInt(), 3);
    }

    void escapeAndCancelClose_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("Cancel") << false;
    }
    void escapeAndCancelClose() {
        QFETCH(bool, escape);
        QVERIFY(s->start(2));
        if (escape)
            s->press(Qt::Key_Escape);
        else
            s->click(QStringLiteral("cmdCancel"));
        QTRY_VERIFY(s->form.isNull());
        QVERIFY(s->t.messages.boxes.isEmpty());
    }
};

QTEST_MAIN(Test_frmRptMain)
#include "tst_frmrptmain.moc"
