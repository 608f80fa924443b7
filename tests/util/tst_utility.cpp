#include "utility.h"

#include <QLocale>
#include <QTest>

class TestUtility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        // Month names and digits must not follow the machine's language.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void formatItemID_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        const auto row = [](const char* name, const char* typed, const char* normalised) {
            QTest::newRow(name) << QString(typed) << QString(normalised);
        };
        row("one digit", "7", "000007");
        row("six digits", "000123", "000123");
        row("leading zeros over six", "0000123", "000123");
        row("seven digits kept", "1234567", "1234567");
        row("letter prefix", "B7", "B00007");
        row("two letters unchanged", "AB12", "AB12");
        row("one letter unchanged", "S", "S");
        row("empty", "", "");
        row("spaces unchanged", "A 1", "A 1");
        row("long digit run no overflow", "123456789012345678901234", "123456789012345678901234");
    }
    void formatItemID() {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(FormatItemID(typed), normalised);
    }

    // A typed date is accepted, stored and shown back alike; NoDate marks a refused text.
    void typedDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("plain") << "05/12/2004" << QDate(2004, 12, 5);
        QTest::newRow("month end") << "31/01/2005" << QDate(2005, 1, 31);
        QTest::newRow("leap day") << "29/02/2004" << QDate(2004, 2, 29);
        QTest::newRow("not a leap year") << "29/02/2003" << NoDate;
        QTest::newRow("century not leap") << "29/02/1900" << NoDate;
        QTest::newRow("400 years leap") << "29/02/2000" << QDate(2000, 2, 29);
        QTest::newRow("31 February") << "31/02/2004" << NoDate;
        QTest::newRow("31 April") << "31/04/2004" << NoDate;
        QTest::newRow("one-digit parts") << "1/2/2004" << NoDate;
        QTest::newRow("month 13") << "01/13/2004" << NoDate;
        QTest::newRow("letters") << "AB/CD/EFGH" << NoDate;
        QTest::newRow("blank mask") << "  /  /    " << NoDate;
        QTest::newRow("empty") << "" << NoDate;
        QTest::newRow("too long") << "01/02/20045" << NoDate;
    }
    void typedDates() {
        QFETCH(QString, text);
        QFETCH(QDate, stored);
        QCOMPARE(IsDayDate(text), stored != NoDate);
        QCOMPARE(DateToStore(text), stored);
        QCOMPARE(DateToDisplay(stored), stored == NoDate ? BlankDateMask : text);
    }

    void monthRange_data() {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("first"); // "x" and "y" stay for a refused month
        QTest::addColumn<QString>("last");
        const auto row = [](const char* name, const char* month, const char* first,
                            const char* last) {
            QTest::newRow(name) << QString(month) << QString(first) << QString(last);
        };
        row("leap February", "02/2004", "01/02/2004", "29/02/2004");
        row("February", "02/2005", "01/02/2005", "28/02/2005");
        row("December", "12/2004", "01/12/2004", "31/12/2004");
        row("April", "04/2004", "01/04/2004", "30/04/2004");
        row("one-digit month", "2/2004", "x", "y");
        row("month 13", "13/2004", "x", "y");
        row("blank", "  /    ", "x", "y");
    }
    void monthRange() {
        QFETCH(QString, month);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QString from = QStringLiteral("x"), to = QStringLiteral("y");
        QCOMPARE(MonthRange(month, from, to), first != QLatin1String("x"));
        QCOMPARE(from, first);
        QCOMPARE(to, last);
    }

    void textForms() {
        const QDateTime stamp(QDate(2004, 12, 5), QTime(9, 7, 3));
        QCOMPARE(StampText(stamp), QStringLiteral("05/Dec/2004 09:07:03"));
        QCOMPARE(DateText(stamp.date()), QStringLiteral("05/Dec/2004"));
        QCOMPARE(ClockText(stamp), QStringLiteral("05/12/2004 09:07"));
        QCOMPARE(FormatSerial(41), QStringLiteral("000041"));
        QCOMPARE(FormatSerial(1234567), QStringLiteral("1234567"));
        QCOMPARE(FormatCount(0), QStringLiteral("0"));
        QCOMPARE(DateToDisplay(QDate()), BlankDateMask);
        QVERIFY(!IsDayDate(QStringLiteral("01-02-2004"))); // only the mask's own separators
        QCOMPARE(NullToText(QVariant()), QString());
        QCOMPARE(NullToText(QVariant(QStringLiteral("O'BRIEN"))), QStringLiteral("O'BRIEN"));
    }
};

QTEST_GUILESS_MAIN(TestUtility)
#include "tst_utility.moc"
