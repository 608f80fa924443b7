#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "ScriptedMessages.h"
#include "TestSettings.h"
#include "formutil.h"
#include "utility.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

// The window services every form uses: the key preview, masked boxes, the discard question,
// and remembered grid widths.
class TestWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The form sees each key of its own first, once, and may keep it from the box; letters
    // reach the box in upper case. Keys of other windows are none of its business.
    void previewsKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("swallowed");
        QTest::addColumn<bool>("otherWindow");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("returns");
        QTest::newRow("letter") << int(Qt::Key_A) << false << false << "A" << 0;
        // The box does not take F2, so the key travels on to the window: still one call.
        QTest::newRow("F2") << int(Qt::Key_F2) << false << false << "" << 0;
        QTest::newRow("Enter let pass") << int(Qt::Key_Return) << false << false << "" << 1;
        QTest::newRow("Enter swallowed") << int(Qt::Key_Return) << true << false << "" << 0;
        QTest::newRow("other window") << int(Qt::Key_A) << false << true << "a" << 0;
    }
    void previewsKeys() {
        QFETCH(int, key);
        QFETCH(bool, swallowed);
        QFETCH(bool, otherWindow);
        QFETCH(QString, text);
        QFETCH(int, returns);
        QWidget form;
        auto* ownBox = new QLineEdit(&form);
        QList<int> seen;
        new KeyPreview(form, [&](QKeyEvent& event) {
            seen << event.key();
            return swallowed;
        });
        QLineEdit otherBox;
        QLineEdit* box = otherWindow ? &otherBox : ownBox;
        box->window()->show();
        box->setFocus();
        QSignalSpy pressed(box, &QLineEdit::returnPressed);
        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(box->text(), text);
        QCOMPARE(seen, otherWindow ? QList<int>() : QList<int>{key});
        QCOMPARE(pressed.count(), returns);
    }

    void maskedBoxReadsLiteralsAndPrompts_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QChar>("prompt");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reads");
        QTest::newRow("untouched date") << "99/99/9999" << QChar(' ') << "" << BlankDateMask;
        QTest::newRow("half a date") << "99/99/9999" << QChar(' ') << "0512"
                                     << "05/12/    ";
        QTest::newRow("letters refused") << "99/99/9999" << QChar(' ') << "0a5"
                                         << "05/  /    ";
        QTest::newRow("own prompt") << "99" << QChar('_') << "7"
                                    << "7_";
    }
    void maskedBoxReadsLiteralsAndPrompts() {
        QFETCH(QString, mask);
        QFETCH(QChar, prompt);
        QFETCH(QString, typed);
        QFETCH(QString, reads);
        MaskedLineEdit box(mask, prompt);
        box.show();
        box.setFocus();
        box.setCursorPosition(0);
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), reads);
    }

    void confirmDiscard_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::newRow("nothing changed") << false << int(AnswerYes);
        QTest::newRow("changed, Yes") << true << int(AnswerYes);
        QTest::newRow("changed, No") << true << int(AnswerNo);
        QTest::newRow("changed, Cancel") << true << int(AnswerCancel);
    }
    void confirmDiscard() {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        ScriptedMessages messages;
        messages.answers << answer;
        QWidget form;
        form.show();
        int discardAnswer = 0;
        ConfirmDiscard(messages, form, changed, discardAnswer);
        QCOMPARE(discardAnswer, answer);
        QCOMPARE(form.isVisible(), answer != AnswerYes);
        QCOMPARE(messages.boxes.size(), changed ? 1 : 0);
        for (const ScriptedMessages::Box& box : messages.boxes)
            QVERIFY(box.text == QStringLiteral("Data changed will not be saved!\rConfirm exit?") &&
                    box.icon == MsgIcon::Question && box.buttons == MsgButtons::YesNoCancel);
    }

    // Widths are kept in twips under the grid's name and each column's heading; a column
    // without a heading, or a stored width that is no number, is left alone.
    void columnWidths() {
        TestSettings store;
        QTableWidget saved(1, 3);
        saved.setObjectName("msgRentItems");
        saved.horizontalHeader()->setMinimumSectionSize(1);
        saved.setHorizontalHeaderLabels({"Item ID", "", "Title"});
        for (int column = 0; column < 3; ++column)
            saved.setColumnWidth(column, 80 + column);
        SaveColumnWidths(saved, store.settings);
        QCOMPARE(store.settings.allKeys(),
                 (QStringList{"msgRentItems/Item ID", "msgRentItems/Title"}));
        QCOMPARE(store.settings.value("msgRentItems/Title").toString(), QStringLiteral("1230"));

        store.settings.setValue("msgRentItems/Item ID", "wide");
        for (int column = 0; column < 3; ++column)
            saved.setColumnWidth(column, 20);
        ReadColumnWidths(saved, store.settings);
        QCOMPARE((QList<int>{saved.columnWidth(0), saved.columnWidth(1), saved.columnWidth(2)}),
                 (QList<int>{20, 20, 82}));
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
