#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "TestSettings.h"
#include "formutil.h"
#include "utility.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

// The window services every form uses: the key preview, masked boxes and remembered grid
// widths. Widths kept and read back are seen through the rental screen's grids, the discard
// question through the adjustment and rate table screens.
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
        QTest::newRow("letter") << int(Qt::Key_A) << false << false << "A";
        // The box does not take F2, so the key travels on to the window: still one call.
        QTest::newRow("F2") << int(Qt::Key_F2) << false << false << "";
        QTest::newRow("Enter let pass") << int(Qt::Key_Return) << false << false << "";
        QTest::newRow("Enter swallowed") << int(Qt::Key_Return) << true << false << "";
        QTest::newRow("other window") << int(Qt::Key_A) << false << true << "a";
    }
    void previewsKeys() {
        QFETCH(int, key);
        QFETCH(bool, swallowed);
        QFETCH(bool, otherWindow);
        QFETCH(QString, text);
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
        QCOMPARE(pressed.count(), key == Qt::Key_Return && !swallowed ? 1 : 0);
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
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), reads);
    }

    // Columns without a heading are neither kept nor read, nor is a width that is no number.
    void columnWidthsNeedAHeadingAndANumber() {
        TestSettings store;
        QTableWidget grid(1, 2);
        grid.setObjectName("msgRentItems");
        grid.setHorizontalHeaderLabels({"", "Title"});
        SaveColumnWidths(grid, store.settings);
        QCOMPARE(store.settings.allKeys(), QStringList{"msgRentItems/Title"});
        store.settings.setValue("msgRentItems/Title", "wide");
        grid.setColumnWidth(1, 40);
        ReadColumnWidths(grid, store.settings);
        QCOMPARE(grid.columnWidth(1), 40);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
