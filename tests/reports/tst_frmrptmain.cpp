#include "FormHarness.h"
#include "MaskedLineEdit.h"
#include "ReportPreview.h"
#include "ReportShop.h"
#include "frmRptMain.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

// The report inquiry screen at the keyboard: its tabs, period options, validation and
// previews, on the small February shop.
class Test_frmRptMain : public QObject {
    Q_OBJECT

    struct Screen : TestContext {
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
    }
    void functionKeysSwitchTabs() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, tab);
        QFETCH(QString, focus);
        QVERIFY(s->start(3));
        s->press(key, modifiers);
        QCOMPARE(s->find<QTabWidget>(QStringLiteral("SSTabRpt"))->currentIndex(), tab);
        QCOMPARE(s->focused(), focus);
    }

    void periodOptions() {
        QVERIFY(s->start(0));
        s->click(QStringLiteral("optRptMonthly"));
        QVERIFY(!s->find(QStringLiteral("txtRptDate"))->isEnabled());
        QVERIFY(!s->find(QStringLiteral("txtRptEndDate"))->isEnabled());
        QVERIFY(s->find(QStringLiteral("txtRptMonthDate"))->isEnabled());

        s->click(QStringLiteral("optRptMulti"));
        QVERIFY(s->find(QStringLiteral("txtRptDate"))->isEnabled());
        QVERIFY(s->find(QStringLiteral("txtRptEndDate"))->isEnabled());
        QVERIFY(!s->find(QStringLiteral("txtRptMonthDate"))->isEnabled());
        s->click(QStringLiteral("optRptDaily"));
        QVERIFY(!s->find(QStringLiteral("txtRptEndDate"))->isEnabled());
    }

    // The rental-times box selects its text on entry, so the first digit typed replaces it.
    void timesBoxReplacedByTyping() {
        QVERIFY(s->start(1));
        QTest::keyClick(s->form->windowHandle(), Qt::Key_5);
        QCOMPARE(s->find(QStringLiteral("txtTimesFrom_1"))->text(), QStringLiteral("5   "));
    }

    // The rules themselves are tested without a window.
    void wrongDateRunsNothing() {
        QVERIFY(s->start(0));
        s->click(QStringLiteral("optRptDaily"));
        s->type(QStringLiteral("txtRptDate"), QStringLiteral("31022004"));
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
        QTest::newRow("customers") << 1 << ""
                                   << "Customer Report:";
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
