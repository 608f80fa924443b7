#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "ScriptedMessages.h"
#include "TestSettings.h"
#include "formutil.h"
#include "lookup.h"
#include "utility.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

// The window services every form uses: the key preview, masked boxes, the discard question,
// remembered grid widths and the category lookup.
class TestWidgets : public QObject {
    Q_OBJECT

private:
    // A form with one focused box, watched by a preview that records the keys it is handed
    // and swallows those in `swallow`.
    struct Form {
        explicit Form(QList<int> swallowKeys = {}) : swallow(std::move(swallowKeys)) {
            box = new QLineEdit(&window);
            new KeyPreview(window, [this](QKeyEvent& key) {
                seen << key.key();
                return swallow.contains(key.key());
            });
            window.show();
            box->setFocus();
        }
        QWidget window;
        QLineEdit* box = nullptr;
        QList<int> seen;
        QList<int> swallow;
    };

    static QTableWidget* grid(const QStringList& headings, QWidget* parent) {
        auto* table = new QTableWidget(1, int(headings.size()), parent);
        table->setObjectName("msgRentItems");
        table->horizontalHeader()->setMinimumSectionSize(1);
        for (int column = 0; column < headings.size(); ++column)
            table->setHorizontalHeaderItem(column, new QTableWidgetItem(headings[column]));
        return table;
    }

private Q_SLOTS:
    void typedTextReachesBoxInUpperCase() {
        Form form;
        QTest::keyClicks(form.box, "abc 12x-y");
        QCOMPARE(form.box->text(), QStringLiteral("ABC 12X-Y"));
    }

    // The form sees each key first, once, and may keep it from the box.
    void formSeesKeysFirst_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("swallowed");
        QTest::addColumn<int>("returns");
        // The box does not take F2, so the key travels on to the window: still one call.
        QTest::newRow("F2") << int(Qt::Key_F2) << false << 0;
        QTest::newRow("Enter let pass") << int(Qt::Key_Return) << false << 1;
        QTest::newRow("Enter swallowed") << int(Qt::Key_Return) << true << 0;
    }
    void formSeesKeysFirst() {
        QFETCH(int, key);
        QFETCH(bool, swallowed);
        QFETCH(int, returns);
        Form form(swallowed ? QList<int>{key} : QList<int>{});
        QSignalSpy pressed(form.box, &QLineEdit::returnPressed);
        QTest::keyClick(form.box, Qt::Key(key));
        QCOMPARE(form.seen, QList<int>{key});
        QCOMPARE(pressed.count(), returns);
    }

    void keysOfOtherWindowsAreLeftAlone() {
        Form form;
        QLineEdit other;
        other.show();
        other.setFocus();
        QTest::keyClicks(&other, "ab");
        QTest::keyClick(&other, Qt::Key_F3);
        QCOMPARE(other.text(), QStringLiteral("ab"));
        QVERIFY(form.seen.isEmpty());
    }

    void maskedBoxReadsLiteralsAndPrompts_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QChar>("prompt");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reads");
        const auto row = [](const char* name, const char* mask, char prompt, const char* typed,
                            const QString& reads) {
            QTest::newRow(name) << QString(mask) << QChar(prompt) << QString(typed) << reads;
        };
        row("untouched date", "99/99/9999", ' ', "", BlankDateMask);
        row("typed date", "99/99/9999", ' ', "05122004", "05/12/2004");
        row("half a date", "99/99/9999", ' ', "0512", "05/12/    ");
        row("letters refused", "99/99/9999", ' ', "0a5", "05/  /    ");
        row("typed month", "99/9999", ' ', "022004", "02/2004");
        row("untouched quantity", "99", '_', "", "__");
        row("one digit quantity", "99", '_', "7", "7_");
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

    void maskedBoxTakesTextSet_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("reads");
        QTest::newRow("date") << QString("05/12/2004") << QString("05/12/2004");
        QTest::newRow("blank mask") << BlankDateMask << BlankDateMask;
        QTest::newRow("empty") << "" << BlankDateMask;
    }
    void maskedBoxTakesTextSet() {
        QFETCH(QString, set);
        QFETCH(QString, reads);
        MaskedLineEdit box("99/99/9999");
        box.setText("01/01/1999");
        box.setText(set);
        QCOMPARE(box.text(), reads);
    }
    void confirmDiscard_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("nothing changed") << false << 0 << int(AnswerYes) << true;
        QTest::newRow("changed, Yes") << true << int(AnswerYes) << int(AnswerYes) << true;
        QTest::newRow("changed, No") << true << int(AnswerNo) << int(AnswerNo) << false;
        QTest::newRow("changed, Cancel") << true << int(AnswerCancel) << int(AnswerCancel) << false;
    }
    void confirmDiscard() {
        QFETCH(bool, changed);
        QFETCH(int, pressed);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        ScriptedMessages messages;
        messages.answers << pressed;
        QWidget form;
        form.show();
        int discardAnswer = 0;
        ConfirmDiscard(messages, form, changed, discardAnswer);
        QCOMPARE(discardAnswer, answer);
        QCOMPARE(form.isVisible(), !closed);
        QCOMPARE(messages.boxes.size(), changed ? 1 : 0);
        if (changed) {
            QCOMPARE(messages.boxes[0].text,
                     QStringLiteral("Data changed will not be saved!\rConfirm exit?"));
            QCOMPARE(messages.boxes[0].icon, MsgIcon::Question);
            QCOMPARE(messages.boxes[0].buttons, MsgButtons::YesNoCancel);
        }
    }

    void columnWidthsRoundTrip_data() {
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("every column headed")
            << QStringList{"Item ID", "Title", "Due"} << QList<int>{80, 201, 7}
            << QStringList{"Due=105", "Item ID=1200", "Title=3015"};
        QTest::newRow("column without heading skipped")
            << QStringList{"Item ID", "", "Title", ""} << QList<int>{80, 33, 150, 44}
            << QStringList{"Item ID=1200", "Title=2250"};
    }
    void columnWidthsRoundTrip() {
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, widths);
        QFETCH(QStringList, stored);
        TestSettings store;
        QSettings& settings = store.settings;
        QWidget form;
        QTableWidget* saved = grid(headings, &form);
        for (int column = 0; column < widths.size(); ++column)
            saved->setColumnWidth(column, widths[column]);
        SaveColumnWidths(*saved, settings);

        settings.beginGroup("msgRentItems");
        QStringList written;
        for (const QString& key : settings.childKeys())
            written << key + QLatin1Char('=') + settings.value(key).toString();
        settings.endGroup();
        written.sort();
        QCOMPARE(written, stored);

        QTableWidget* read = grid(headings, &form);
        for (int column = 0; column < widths.size(); ++column)
            read->setColumnWidth(column, 20);
        ReadColumnWidths(*read, settings);
        for (int column = 0; column < widths.size(); ++column)
            QCOMPARE(read->columnWidth(column), headings[column].isEmpty() ? 20 : widths[column]);
    }

    void unreadableWidthLeavesColumnAlone() {
        TestSettings store;
        store.settings.setValue("msgRentItems/Title", "wide");
        QWidget form;
        QTableWidget* table = grid({QStringLiteral("Title")}, &form);
        table->setColumnWidth(0, 20);
        ReadColumnWidths(*table, store.settings);
        QCOMPARE(table->columnWidth(0), 20);
    }

    void categoryDescription_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("description");
        QTest::newRow("last") << QStringLiteral("D") << QStringLiteral("DVD");
        QTest::newRow("first of two with the same ID") << QStringLiteral("B") << "BLU-RAY";
        QTest::newRow("case must match") << QStringLiteral("v") << QString();
        QTest::newRow("empty box") << QString() << QString();
    }
    void categoryDescription() {
        QFETCH(QString, id);
        QFETCH(QString, description);
        QList<CategoryRec> list(4);
        const std::pair<const char*, const char*> rows[] = {
            {"V", "VIDEO"}, {"B", "BLU-RAY"}, {"B", "BETAMAX"}, {"D", "DVD"}};
        for (int i = 0; i < 4; ++i) {
            list[i].CategoryID = QString::fromLatin1(rows[i].first);
            list[i].Description = QString::fromLatin1(rows[i].second);
        }
        QCOMPARE(CategoryDescription(list, id), description);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
