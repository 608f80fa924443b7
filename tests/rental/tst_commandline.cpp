#include "CommandLine.h"
#include "TestClock.h"

#include <QTest>

// The command line's keying rules: when a scan runs at once, which code a typed ID offers,
// and what Enter on the code field does.
class TestCommandLine : public QObject {
    Q_OBJECT

    struct Keying {
        TestClock clock;
        CommandLine line{clock, OpCodeRec::defaults()};
    };

private Q_SLOTS:
    // Keys arrive `gapMs` apart; the scan is timed from the key that found one character.
    void scanRule_data() {
        QTest::addColumn<QString>("itemID");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<bool>("runs");
        QTest::newRow("scanned") << "000001" << 10 << true;
        QTest::newRow("exactly one second") << "000001" << 200 << true;
        QTest::newRow("typed slowly") << "000001" << 201 << false;
        QTest::newRow("five characters fast") << "00001" << 10 << false;
        QTest::newRow("settle all, slowly") << "S88" << 900 << true;
    }
    void scanRule() {
        QFETCH(QString, itemID);
        QFETCH(int, gapMs);
        QFETCH(bool, runs);
        Keying k;
        for (qsizetype typed = 0; typed < itemID.size(); ++typed) {
            k.line.itemKeyDown(typed);
            k.clock.advanceMs(gapMs);
        }
        k.line.itemKeyDown(itemID.size());
        QCOMPARE(k.line.itemEnter(itemID) == ItemEnter::Run, runs);
    }

    void noKeysNoScan() { QCOMPARE(Keying().line.itemEnter("000001"), ItemEnter::MoveToCode); }

    // The scan starts again whenever the field is down to one character.
    void rescanTimedFromLatestStart() {
        Keying k;
        k.line.itemKeyDown(1);
        k.clock.advanceMs(5000);
        k.line.itemKeyDown(1);
        k.clock.advanceMs(500);
        QCOMPARE(k.line.itemEnter("000002"), ItemEnter::Run);
    }

    void presetCode_data() {
        QTest::addColumn<QString>("itemID");
        QTest::addColumn<bool>("newOrder");
        QTest::addColumn<QString>("code");
        QTest::newRow("sale code, new order") << "S00001" << true << "S";
        QTest::newRow("item, new order") << "000012" << true << "A";
        QTest::newRow("item, open order keeps the code") << "000012" << false << "RR";
    }
    void presetCode() {
        QFETCH(QString, itemID);
        QFETCH(bool, newOrder);
        QFETCH(QString, code);
        QCOMPARE(Keying().line.presetCode(itemID, newOrder, "RR"), code);
    }

    void codeEnter_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("action");
        QTest::newRow("sale asks the quantity") << "S" << int(CodeEnter::MoveToQuantity);
        QTest::newRow("rent") << "A" << int(CodeEnter::RunOneUnit);
        QTest::newRow("return") << "R" << int(CodeEnter::Run);
    }
    void codeEnter() {
        QFETCH(QString, code);
        QFETCH(int, action);
        QCOMPARE(int(Keying().line.codeEnter(code)), action);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
