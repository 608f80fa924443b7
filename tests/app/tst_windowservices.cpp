#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "utility.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestWindowServices : public QObject {
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

private Q_SLOTS:
    void typedTextReachesBoxInUpperCase() {
        Form form;
        QTest::keyClicks(form.box, "abc 12x-y");
        QCOMPARE(form.box->text(), QStringLiteral("ABC 12X-Y"));
    }

    void formSeesFunctionKeyOnce() {
        Form form;
        QTest::keyClick(form.box, Qt::Key_F2);
        // The box does not take F2, so the key travels on to the window: still one call.
        QCOMPARE(form.seen, QList<int>{Qt::Key_F2});
    }

    void enterReachesBoxUnlessSwallowed_data() {
        QTest::addColumn<bool>("swallowed");
        QTest::newRow("form lets it pass") << false;
        QTest::newRow("form swallows it") << true;
    }
    void enterReachesBoxUnlessSwallowed() {
        QFETCH(bool, swallowed);
        Form form(swallowed ? QList<int>{Qt::Key_Return} : QList<int>{});
        QSignalSpy pressed(form.box, &QLineEdit::returnPressed);
        QTest::keyClick(form.box, Qt::Key_Return);
        QCOMPARE(form.seen, QList<int>{Qt::Key_Return});
        QCOMPARE(pressed.count(), swallowed ? 0 : 1);
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
};

QTEST_MAIN(TestWindowServices)
#include "tst_windowservices.moc"
