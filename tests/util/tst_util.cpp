#include "Money.h"
#include "utility.h"

#include <QLocale>
#include <QTest>

// The plain helpers every screen uses: money, typed dates and months, numbers and names.
class TestUtil : public QObject {
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

    void parseMoney_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units"); // -1 for a refused text
        QTest::newRow("whole") << "12" << qint64(120000);
        QTest::newRow("four decimals") << "3.3333" << qint64(33333);
        QTest::newRow("leading point") << ".5" << qint64(5000);
        QTest::newRow("negative") << "-50" << qint64(-500000);
        QTest::newRow("grouped") << "1,234,567.89" << qint64(12345678900);
        QTest::newRow("spaces around") << " 7 " << qint64(70000);
        QTest::newRow("letters") << "abc" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("lone point") << "." << qint64(-1);
        QTest::newRow("five decimals") << "1.00001" << qint64(-1);
        QTest::newRow("misplaced comma") << "12,34" << qint64(-1);
        QTest::newRow("two signs") << "--5" << qint64(-1);
        QTest::newRow("too large") << "123456789012345" << qint64(-1);
    }
    void parseMoney() {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        const auto money = Money::parse(text);
        QCOMPARE(money.has_value(), units != -1);
        if (money)
            QCOMPARE(money->units(), units);
    }

    // The plain form is the grouped one without its commas.
    void formatMoney_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("grouped");
        QTest::newRow("zero") << qint64(0) << "0.00";
        QTest::newRow("cents") << qint64(1500) << "0.15";
        QTest::newRow("thousands") << qint64(12345678900) << "1,234,567.89";
        QTest::newRow("exactly thousand") << qint64(10000000) << "1,000.00";
        QTest::newRow("rounds half up") << qint64(33350) << "3.34";
        QTest::newRow("rounds down") << qint64(33349) << "3.33";
        QTest::newRow("negative rounds away") << qint64(-33350) << "-3.34";
        QTest::newRow("tiny negative is zero") << qint64(-40) << "0.00";
    }
    void formatMoney() {
        QFETCH(qint64, units);
        QFETCH(QString, grouped);
        QCOMPARE(Money::fromUnits(units).format(), grouped);
        QCOMPARE(Money::fromUnits(units).formatPlain(), grouped.remove(QLatin1Char(',')));
    }

    void arithmeticStaysExact() {
        Money total;
        for (int i = 0; i < 1000; ++i)
            total += *Money::parse(QStringLiteral("0.10"));
        QCOMPARE(total, Money::fromWhole(100));
        QCOMPARE(*Money::parse(QStringLiteral("3.333")) + Money::fromWhole(1),
                 *Money::parse(QStringLiteral("4.333")));
        const Money rate = Money::fromWhole(15);
        QCOMPARE(rate * 2, Money::fromWhole(30));
        QCOMPARE(rate.scaled(1.0 - 1.0), Money());
        QCOMPARE(rate.scaled(0.5), *Money::parse(QStringLiteral("7.5")));
        QVERIFY(Money::fromWhole(-1) < Money());
        QCOMPARE(-(Money::fromWhole(5) - Money::fromWhole(8)), Money::fromWhole(3));
    }
};

QTEST_GUILESS_MAIN(TestUtil)
#include "tst_util.moc"
