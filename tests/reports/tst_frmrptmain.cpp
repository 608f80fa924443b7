#include "FormHarness.h"
#include "MaskedLineEdit.h"
#include "ReportPreview.h"
#include "ReportShop.h"
#include "frmRptMain.h"
#include "receipt.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

// The report inquiry screen at the keyboard, on the small February shop, and the preview
// window it opens for reports (and the counter for receipts).
class Test_frmRptMain : public QObject {
    Q_OBJECT

    std::unique_ptr<TestContext> s;
    QPointer<frmRptMain> form;
    QTemporaryDir m_out;

    bool start(int kind) {
        form = new frmRptMain(s->ctx);
        form->Start(kind);
        return QTest::qWaitForWindowActive(form);
    }
    template <typename T = MaskedLineEdit> T* find(const QString& name) const {
        return form->findChild<T*>(name);
    }
    // On the caption's first letters: an option answers clicks on its circle and caption.
    void click(const QString& name) {
        auto* button = find<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, button->height() / 2));
    }
    ReportPreview* preview() const { return form->findChild<ReportPreview*>(); }

private Q_SLOTS:
    void initTestCase() {
        s = std::make_unique<TestContext>();
        s->ctx.ShopName = QStringLiteral("FLICKA VIDEO");
        QVERIFY(s->t.ok() && reportshop::arrange(s->t));
    }
    void init() { s->t.messages.clear(); }
    void cleanup() { delete form; }

    // F1 to F4 switch tabs, only with no Shift, Ctrl or Alt held; Esc closes.
    void keys_data() {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("focus");
        const auto row = [](const char* key, int tab, const char* focus) {
            QTest::newRow(key) << QKeySequence(QString::fromLatin1(key)) << tab
                               << QString::fromLatin1(focus);
        };
        row("F1", 0, "txtRptDate");
        row("F2", 1, "txtTimesFrom_1");
        row("F3", 2, "txtTimesFrom_2");
        row("F4", 3, "txtOSItemEndDate");
        row("Shift+F2", 3, "txtOSItemEndDate");
        row("Esc", -1, "");
    }
    void keys() {
        QFETCH(QKeySequence, key);
        QFETCH(int, tab);
        QFETCH(QString, focus);
        QVERIFY(start(3));
        QTest::keySequence(form->windowHandle(), key);
        if (tab < 0)
            QTRY_VERIFY(form.isNull());
        else
            QCOMPARE(find<QTabWidget>(QStringLiteral("SSTabRpt"))->currentIndex(), tab);
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "",
                 focus);
    }

    // Which boxes take typing is decided without the window; here each box follows its switch.
    void periodOptionsSwitchTheBoxes() {
        QVERIFY(start(0));
        QString enabled;
        for (const char* option : {"optRptMonthly", "optRptDaily"}) {
            click(QString::fromLatin1(option));
            for (const char* box : {"txtRptDate", "txtRptEndDate", "txtRptMonthDate"})
                enabled += find(QString::fromLatin1(box))->isEnabled() ? '1' : '0';
        }
        QCOMPARE(enabled, QStringLiteral("001100"));
    }

    // The rental-times box selects its text on entry, so the first digit typed replaces it.
    void timesBoxReplacedByTyping() {
        QVERIFY(start(1));
        QTest::keyClick(form->windowHandle(), Qt::Key_5);
        QCOMPARE(find(QStringLiteral("txtTimesFrom_1"))->text(), QStringLiteral("5   "));
    }

    // A wrong date runs nothing and leaves the inquiry open; Cancel closes it.
    void wrongDateRunsNothing() {
        QVERIFY(start(0));
        MaskedLineEdit* date = find(QStringLiteral("txtRptDate"));
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("31022004"));
        QTest::keyClick(form->windowHandle(), Qt::Key_F12);
        QCOMPARE(s->t.messages.texts(), QStringList{QStringLiteral("Date of Inquiry error!")});
        QCOMPARE(s->t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QVERIFY(!preview());
        click(QStringLiteral("cmdCancel"));
        QTRY_VERIFY(form.isNull());
    }

    // The inquiry stays open for the next report.
    void previewOpensTheReport_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("option");
        QTest::newRow("Transaction Summary Report:") << 0 << "optTypeTx";
        QTest::newRow("Customer Report:") << 1 << "";
    }
    void previewOpensTheReport() {
        QFETCH(int, tab);
        QFETCH(QString, option);
        QVERIFY(start(tab));
        if (!option.isEmpty())
            click(option);
        click(QStringLiteral("cmdSave"));
        QVERIFY(s->t.messages.boxes.isEmpty());
        QVERIFY(preview() && preview()->isVisible());
        QCOMPARE(preview()->windowTitle(), QTest::currentDataTag());
        QVERIFY(preview()->findChild<QPrintPreviewWidget*>()->pageCount() >= 1);
        QVERIFY(form->isVisible());
    }

    // A report of three-digit page count, at the window's own size: every action is in sight
    // and answers to a key of its own.
    void previewActionsInSightWithTheirKeys() {
        PreviewContent content = ReportContent(Report{}, {});
        content.layout = [](const QPageLayout& page) {
            PageModel model;
            model.pageLayout = page;
            model.pages.resize(140);
            return model;
        };
        ReportPreview preview(content, s->t.messages);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QStringList hidden, keyless, keys;
        for (QToolBar* toolbar : preview.findChildren<QToolBar*>()) {
            for (QAction* action : toolbar->actions()) {
                const QWidget* control = toolbar->widgetForAction(action);
                if (action->isSeparator())
                    continue;
                if (!control || !control->isVisible() ||
                    !toolbar->rect().contains(control->geometry()))
                    hidden << action->text();
                if (qobject_cast<QWidgetAction*>(action))
                    continue;
                if (action->shortcut().isEmpty())
                    keyless << action->text();
                keys << action->shortcut().toString();
            }
        }
        QCOMPARE(hidden, QStringList());
        QCOMPARE(keyless, QStringList());
        QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
        auto* pages = preview.findChild<QPrintPreviewWidget*>();
        const double zoom = pages->zoomFactor();
        QTest::keyClick(preview.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(pages->zoomFactor() > zoom);
    }

    // A report prints in the orientation it asks for, and saves its pages and its rows.
    void previewOfAReport() {
        Report wide;
        wide.definition.orientation = QPageLayout::Landscape;
        ReportPreview preview(ReportContent(wide, {}), s->t.messages);
        QCOMPARE(preview.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(preview.savePdf(m_out.filePath(QStringLiteral("report.pdf"))));
        QVERIFY(preview.saveCsv(m_out.filePath(QStringLiteral("report.csv"))));
        QVERIFY(!preview.saveCsv(m_out.filePath(QStringLiteral("missing/report.csv"))));
    }

    // A receipt has no rows to export. On a roll printer its page becomes as long as the
    // receipt, and the preview follows it.
    void previewOfAReceipt() {
        Receipt r;
        r.customerID = QStringLiteral("000123");
        ReportPreview preview(ReceiptContent(r), s->t.messages);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Receipt 000123"));
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("actExportCsv")));
        QVERIFY(!preview.saveCsv(m_out.filePath(QStringLiteral("receipt.csv"))));
        preview.printer()->setPageLayout(QPageLayout(
            QPageSize(QSizeF(80, 200), QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.findChild<QPrintPreviewWidget*>()->pageCount(), 1);
        const QRectF page = preview.printer()->pageLayout().fullRect(QPageLayout::Millimeter);
        QCOMPARE(qRound(page.width()), 80);
        QVERIFY(page.height() < 120);
    }
};

QTEST_MAIN(Test_frmRptMain)
#include "tst_frmrptmain.moc"
