#include "CounterScreen.h"
#include "ReportPreview.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The receipt of a visit from the counter screen: on demand with F8 or the button, and offered
// after a save when the shop has switched that on.
class TestFrmOpRentReceipt : public QObject {
    Q_OBJECT

    // Member 000123 with nothing out yet, renting ALIEN for 15.00 on 10 March.
    struct Counter : CounterScreen {
        Counter() {
            shop.addCounterShop();
            ctx.ShopName = QStringLiteral("FLICKA VIDEO");
            ok = shop.ok() && open("000123");
            if (ok)
                command("000001", QString());
        }
        QList<ReportPreview*> previews() const { return form->findChildren<ReportPreview*>(); }
        qint64 orders() { return shop.count("SELECT COUNT(*) FROM Orders"); }
    };

    std::unique_ptr<Counter> c;

private Q_SLOTS:
    void init() {
        c = std::make_unique<Counter>();
        QVERIFY(c->ok);
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
    }
    void cleanup() { c.reset(); }

    void previewOnDemand_data() {
        QTest::addColumn<bool>("button");
        QTest::newRow("F8") << false;
        QTest::newRow("Print button") << true;
    }
    void previewOnDemand() {
        QFETCH(bool, button);
        if (button)
            QTest::mouseClick(c->find<QPushButton>("cmdPrintRecipt"), Qt::LeftButton);
        else
            c->press(Qt::Key_F8);
        QCOMPARE(c->previews().size(), 1);
        ReportPreview* preview = c->previews().first();
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Receipt 000123"));
        QCOMPARE(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 1);
        // Nothing is saved, and the visit goes on.
        QCOMPARE(c->orders(), 0);
        QVERIFY(c->form->isVisible());
    }

    void notOfferedByDefault() {
        c->press(Qt::Key_F12);
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->orders(), 1);
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
    }

    void offeredAfterSave_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("previewed");
        QTest::newRow("yes") << int(AnswerYes) << true;
        QTest::newRow("no") << int(AnswerNo) << false;
    }
    void offeredAfterSave() {
        QFETCH(int, answer);
        QFETCH(bool, previewed);
        c->store.settings.setValue("Receipt/PrintAfterSave", true);
        c->shop.t.messages.answers = {answer};
        QString shown;
        // The preview waits for the clerk; look at it, then close it as the clerk would.
        QTimer::singleShot(0, this, [&shown] {
            if (auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget())) {
                shown = preview->windowTitle();
                preview->reject();
            }
        });
        c->press(Qt::Key_F12);
        QCOMPARE(c->shop.t.messages.texts(),
                 QStringList{QStringLiteral("Print a receipt of this visit?")});
        QCOMPARE(c->shop.t.messages.boxes.first().buttons, MsgButtons::YesNo);
        QCOMPARE(shown, previewed ? QStringLiteral("Receipt 000123") : QString());
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->orders(), 1);
    }
};

QTEST_MAIN(TestFrmOpRentReceipt)
#include "tst_frmoprent_receipt.moc"
