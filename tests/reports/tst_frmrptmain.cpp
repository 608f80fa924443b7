#include "Cases.h"
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
    void type(const QString& name, const QString& text) {
        MaskedLineEdit* box = find(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // See walks().
    QString state() const {
        if (!form)
            return QStringLiteral("closed");
        const QWidget* focus = QApplication::focusWidget();
        const auto* box = qobject_cast<const QLineEdit*>(focus);
        QString on;
        for (const char* name : {"txtRptDate", "txtRptEndDate", "txtRptMonthDate"})
            on += find(QString::fromLatin1(name))->isEnabled() ? '1' : '0';
        auto* preview = form->findChild<ReportPreview*>();
        const bool shown = preview && preview->isVisible() &&
                           preview->findChild<QPrintPreviewWidget*>()->pageCount() >= 1;
        return QStringList{
            QStringLiteral("%1 %2 %3")
                .arg(find<QTabWidget>(QStringLiteral("SSTabRpt"))->currentIndex())
                .arg(focus ? focus->objectName() : QString(), box ? box->displayText() : QString()),
            on, s->t.messages.texts().join(QLatin1Char('/')),
            shown ? preview->windowTitle() : QString()}
            .join(QLatin1Char('|'));
    }

private Q_SLOTS:
    void initTestCase() {
        s = std::make_unique<TestContext>();
        s->ctx.ShopName = QStringLiteral("FLICKA VIDEO");
        QVERIFY(s->t.ok() && reportshop::arrange(s->t));
    }
    void init() { s->t.messages.clear(); }
    void cleanup() { delete form; }

    // The clerk's steps on the inquiry opened on a tab, and what he sees after them: the tab,
    // the focused box and its text; which period boxes take typing; the boxes said; the
    // preview's title. F1 to F4 switch tabs only with no Shift, Ctrl or Alt held; Esc and
    // Cancel close; a wrong date runs nothing; the inquiry stays open for the next report.
    void walks_data() {
        const Cases<int, QString, QString> add;
        const auto row = [&add](const char* steps, int tab, const char* seen) {
            add(steps, tab, steps, seen);
        };
        row("F1", 3, "0 txtRptDate 10/03/2004|100||");
        row("F2", 3, "1 txtTimesFrom_1 1   |100||");
        row("F4", 0, "3 txtOSItemEndDate 10/03/2004|100||");
        row("Shift+F2", 3, "3 txtOSItemEndDate 10/03/2004|100||");
        row("Esc", 3, "closed");
        row("click optRptMonthly", 0, "0 optRptMonthly |001||");
        row("click optRptMonthly;click optRptDaily", 0, "0 optRptDaily |100||");
        row("type txtRptDate 31022004;F12", 0,
            "0 txtRptDate 31/02/2004|100|Date of Inquiry error!|");
        row("type txtRptDate 31022004;F12;click cmdCancel", 0, "closed");
        row("click optTypeTx;click cmdSave", 0, "0 cmdSave |100||Transaction Summary Report:");
        row("click cmdSave", 1, "1 cmdSave |100||Customer Report:");
    }
    void walks() {
        const auto [tab, steps, seen] = Cases<int, QString, QString>::fetch();
        QVERIFY(start(tab));
        for (const QString& step : steps.split(QLatin1Char(';'))) {
            const QStringList word = step.split(QLatin1Char(' '));
            if (word[0] == QLatin1String("click"))
                click(word[1]);
            else if (word[0] == QLatin1String("type"))
                type(word[1], word[2]);
            else
                QTest::keySequence(form->windowHandle(), QKeySequence(step));
        }
        QTRY_COMPARE(state(), seen);
        for (const ScriptedMessages::Box& box : s->t.messages.boxes)
            QCOMPARE(box.icon, MsgIcon::Exclamation);
    }

    // A report of three-digit page count, at the window's own size: every action is in sight
    // and answers to a key of its own. It prints in the orientation it asks for, and saves its
    // pages and its rows.
    void previewOfAReport() {
        Report wide;
        wide.definition.orientation = QPageLayout::Landscape;
        PreviewContent content = ReportContent(wide, {});
        content.layout = [](const QPageLayout& page) {
            PageModel model;
            model.pageLayout = page;
            model.pages.resize(140);
            return model;
        };
        ReportPreview preview(content, s->t.messages);
        QCOMPARE(preview.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(preview.savePdf(m_out.filePath(QStringLiteral("report.pdf"))));
        QVERIFY(preview.saveCsv(m_out.filePath(QStringLiteral("report.csv"))));
        QVERIFY(!preview.saveCsv(m_out.filePath(QStringLiteral("missing/report.csv"))));
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
    }

    // A receipt has no rows to export. On a roll printer its page becomes as long as the
    // receipt, and the preview follows it.
    void previewOfAReceipt() {
        Receipt r;
        r.customerID = QStringLiteral("000123");
        ReportPreview preview(ReceiptContent(r), s->t.messages);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Receipt 000123"));
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("actExportCsv")));
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
