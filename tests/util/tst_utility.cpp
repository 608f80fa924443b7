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
        QTest::newRow("one digit") << "7"
                                   << "000007";
        QTest::newRow("three digits") << "123"
                                      << "000123";
        QTest::newRow("six digits") << "000123"
                                    << "000123";
        QTest::newRow("leading zeros over six") << "0000123"
                                                << "000123";
        QTest::newRow("seven digits kept") << "1234567"
                                           << "1234567";
        QTest::newRow("letter prefix") << "B7"
                                       << "B00007";
        QTest::newRow("letter prefix long") << "A12"
                                            << "A00012";
        QTest::newRow("two letters unchanged") << "AB12"
                                               << "AB12";
        QTest::newRow("one letter unchanged") << "S"
                                              << "S";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("spaces unchanged") << "A 1"
                                          << "A 1";
        QTest::newRow("long digit run no overflow") << "123456789012345678901234"
                                                    << "123456789012345678901234";
    }
    void formatItemID() {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(FormatItemID(typed), normalised);
    }

    void isDayDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "05/12/2004" << true;
        QTest::newRow("leap day") << "29/02/2004" << true;
        QTest::newRow("not a leap year") << "29/02/2003" << false;
        QTest::newRow("century not leap") << "29/02/1900" << false;
        QTest::newRow("400 years leap") << "29/02/2000" << true;
        QTest::newRow("31 February") << "31/02/2004" << false;
        QTest::newRow("31 April") << "31/04/2004" << false;
        QTest::newRow("one-digit parts") << "1/2/2004" << false;
        QTest::newRow("month 13") << "01/13/2004" << false;
        QTest::newRow("letters") << "AB/CD/EFGH" << false;
        QTest::newRow("blank mask") << "  /  /    " << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("too long") << "01/02/20045" << false;
        QTest::newRow("other separators") << "01-02-2004" << false;
    }
    void isDayDate() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsDayDate(text), valid);
    }

    void dateToStore_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("plain") << "05/12/2004" << QDate(2004, 12, 5);
        QTest::newRow("month end") << "31/01/2005" << QDate(2005, 1, 31);
        QTest::newRow("blank mask") << "  /  /    " << NoDate;
        QTest::newRow("empty") << "" << NoDate;
        QTest::newRow("impossible") << "31/02/2004" << NoDate;
        QTest::newRow("wrong shape") << "1/2/2004" << NoDate;
    }
    void dateToStore() {
        QFETCH(QString, typed);
        QFETCH(QDate, stored);
        QCOMPARE(DateToStore(typed), stored);
    }

    void dateToDisplay_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QDate(2004, 12, 5) << "05/12/2004";
        QTest::newRow("no date") << NoDate << BlankDateMask;
        QTest::newRow("invalid") << QDate() << BlankDateMask;
    }
    void dateToDisplay() {
        QFETCH(QDate, date);
        QFETCH(QString, shown);
        QCOMPARE(DateToDisplay(date), shown);
        QCOMPARE(DateToDisplay(date).size(), 10);
    }

    void monthRange_data() {
        QTest::addColumn<QString>("month");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("leap February") << "02/2004" << true << "01/02/2004"
                                       << "29/02/2004";
        QTest::newRow("February") << "02/2005" << true << "01/02/2005"
                                  << "28/02/2005";
        QTest::newRow("December") << "12/2004" << true << "01/12/2004"
                                  << "31/12/2004";
        QTest::newRow("April") << "04/2004" << true << "01/04/2004"
                               << "30/04/2004";
        QTest::newRow("one-digit month") << "2/2004" << false << "x"
                                         << "y";
        QTest::newRow("month 13") << "13/2004" << false << "x"
                                  << "y";
        QTest::newRow("blank") << "  /    " << false << "x"
                               << "y";
    }
    void monthRange() {
        QFETCH(QString, month);
        QFETCH(bool, valid);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QString from = QStringLiteral("x"), to = QStringLiteral("y");
        QCOMPARE(MonthRange(month, from, to), valid);
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
        QCOMPARE(NullToText(QVariant()), QString());
        QCOMPARE(NullToText(QVariant(QStringLiteral("O'BRIEN"))), QStringLiteral("O'BRIEN"));
    }
};

QTEST_GUILESS_MAIN(TestUtility)
#include "tst_utility.moc"
