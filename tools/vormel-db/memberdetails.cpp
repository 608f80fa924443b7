#include "memberdetails.h"

#include "ShopRandom.h"
#include "customers.h"

namespace shop {

namespace {

const char* const Streets[] = {"NATHAN ROAD",      "ARGYLE STREET",   "SAI YEUNG CHOI STREET",
                               "SHANTUNG STREET",  "PORTLAND STREET", "FA YUEN STREET",
                               "TUNG CHOI STREET", "SOY STREET"};
const char* const Districts[] = {"MONG KOK, KOWLOON", "YAU MA TEI, KOWLOON",
                                 "PRINCE EDWARD, KOWLOON", "TAI KOK TSUI, KOWLOON"};
const char* const Hotels[] = {"MIRAMAR HOTEL, 118 NATHAN ROAD, TSIM SHA TSUI",
                              "EATON HOTEL, 380 NATHAN ROAD, YAU MA TEI",
                              "STANFORD HOTEL, 118 SOY STREET, MONG KOK"};
const char* const EndedRemarks[] = {"MEMBERSHIP CANCELLED", "MOVED AWAY", "CARD REPORTED LOST",
                                    "DEPOSIT REFUNDED"};
const char* const RentRemarks[] = {"PREFERS DVD", "CALL BEFORE DUE DATE", "LIKES ANIMATION"};

template <typename T, int N> const T& pickFrom(const T (&list)[N], ShopRandom& random) {
    return list[random.below(N)];
}

} // namespace

QString digits(ShopRandom& random, int count) {
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + random.below(10));
    return s;
}

QString identityNumber(ShopRandom& random) {
    const QChar letter(u'A' + random.below(26));
    const QString number = digits(random, 6);
    int sum = 36 * 9 + (letter.unicode() - u'A' + 10) * 8;
    for (int i = 0; i < 6; ++i)
        sum += number.at(i).digitValue() * (7 - i);
    const int check = (11 - sum % 11) % 11;
    return letter + number + QLatin1Char('(') +
           (check == 10 ? QStringLiteral("A") : QString::number(check)) + QLatin1Char(')');
}

QString travelDocument(ShopRandom& random) {
    return QChar(u'E' + random.below(4)) + digits(random, 8);
}

QString localAddress(ShopRandom& random) {
    return QStringLiteral("FLAT %1, %2/F, %3 %4, %5")
        .arg(QChar(u'A' + random.below(8)))
        .arg(random.between(2, 30))
        .arg(random.between(10, 420))
        .arg(QString::fromLatin1(pickFrom(Streets, random)),
             QString::fromLatin1(pickFrom(Districts, random)));
}

QString hotelAddress(ShopRandom& random) {
    return QStringLiteral("ROOM %1, ").arg(random.between(301, 2518)) +
           QString::fromLatin1(pickFrom(Hotels, random));
}

void fillPhones(CustomerRec& c, ShopRandom& random) {
    c.Phone1 = QString(QChar(u"965"[random.below(3)])) + digits(random, 7);
    c.Phone2 = random.percent(60) ? QStringLiteral("2") + digits(random, 7) : QString();
    c.Phone3 = random.percent(15) ? QStringLiteral("3") + digits(random, 7) : QString();
}

QString endedRemark(int n) {
    return QString::fromLatin1(EndedRemarks[n % std::size(EndedRemarks)]);
}

QString rentRemark(ShopRandom& random) {
    return QString::fromLatin1(pickFrom(RentRemarks, random));
}

} // namespace shop
