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
        QTest::keyClicks(form.box, QStringLiteral("abc 12x-y"));
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
        QTest::keyClicks(&other, QStringLiteral("ab"));
        QTest::keyClick(&other, Qt::Key_F3);
        QCOMPARE(other.text(), QStringLiteral("ab"));
        QVERIFY(form.seen.isEmpty());
    }

    void maskedBoxReadsLiteralsAndPrompts_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QChar>("prompt");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reads");
        QTest::newRow("untouched date") << "99/99/9999" << QChar(' ') << "" << BlankDateMask;
        QTest::newRow("typed date") << "99/99/9999" << QChar(' ') << "05122004"
                                    << "05/12/2004";
        QTest::newRow("half a date") << "99/99/9999" << QChar(' ') << "0512"
                                     << "05/12/    ";
        QTest::newRow("letters refused") << "99/99/9999" << QChar(' ') << "0a5"
                                         << "05/  /    ";
        QTest::newRow("typed month") << "99/9999" << QChar(' ') << "022004"
                                     << "02/2004";
        QTest::newRow("untouched quantity") << "99" << QChar('_') << ""
                                            << "__";
        QTest::newRow("one digit quantity") << "99" << QChar('_') << "7"
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

    void maskedBoxTakesTextSet_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("reads");
        QTest::newRow("date") << "05/12/2004"
                              << "05/12/2004";
        QTest::newRow("blank mask") << BlankDateMask << BlankDateMask;
        QTest::newRow("empty") << "" << BlankDateMask;
    }
    void maskedBoxTakesTextSet() {
        QFETCH(QString, set);
        QFETCH(QString, reads);
        MaskedLineEdit box(QStringLiteral("99/99/9999"));
        box.setText(QStringLiteral("01/01/1999"));
        box.setText(set);
        QCOMPARE(box.text(), reads);
    }
};

QTEST_MAIN(TestWindowServices)
#include "tst_windowservices.moc"
