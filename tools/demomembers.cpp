#include "demomembers.h"

#include "DemoRandom.h"
#include "utility.h"

#include <QTime>

namespace demo {

namespace {

constexpr int MemberCount = 60;
const QList<int> Inactive = {5, 18, 33, 47};
const QList<int> Minors = {9, 21, 26, 38, 50, 58};
const QList<int> Visitors = {12, 29, 44, 57};
// Days ago that the newest members joined.
const QList<int> RecentJoins = {25, 19, 12, 7, 2};

struct Name {
    const char* english;
    const char* chinese;
    const char* sex;
};

struct Surname {
    const char* english;
    const char* chinese;
};

const Surname Surnames[] = {
    {"CHAN", "陳"},  {"WONG", "黃"},  {"LEE", "李"},  {"CHEUNG", "張"},
    {"LAU", "劉"},   {"NG", "吳"},    {"HO", "何"},   {"LAM", "林"},
    {"LEUNG", "梁"}, {"TSANG", "曾"}, {"YIP", "葉"},  {"CHOW", "周"},
    {"KWOK", "郭"},  {"MA", "馬"},    {"TANG", "鄧"}, {"FUNG", "馮"},
};

const Name GivenNames[] = {
    {"TAI MAN", "大文", "M"},   {"SIU MING", "小明", "M"},  {"KA YAN", "嘉欣", "F"},
    {"WING KEI", "詠琪", "F"},  {"CHI KEUNG", "志強", "M"}, {"MEI LING", "美玲", "F"},
    {"KA HO", "家豪", "M"},     {"HOI YAN", "凱欣", "F"},   {"WAI KIN", "偉健", "M"},
    {"SUK FAN", "淑芬", "F"},   {"CHUN HEI", "俊熙", "M"},  {"YUK LAN", "玉蘭", "F"},
    {"KWOK WING", "國榮", "M"}, {"PUI SHAN", "佩珊", "F"},  {"MAN KIT", "文傑", "M"},
    {"WING SZE", "詠詩", "F"},  {"HO YIN", "浩賢", "M"},    {"YEE MAN", "綺雯", "F"},
    {"SIU FUNG", "兆鋒", "M"},  {"LAI KUEN", "麗娟", "F"},
};

// Visitors' full names; some have no name in Chinese script.
const Name VisitorNames[] = {
    {"SMITH DAVID", "", "M"},
    {"TANAKA YUKI", "田中由紀", "F"},
    {"ZHANG WEI", "張偉", "M"},
    {"LIU YANG", "劉洋", "F"},
};

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

QString text(const char* s) {
    return QString::fromUtf8(s);
}

template <typename T, int N> const T& pickFrom(const T (&list)[N], DemoRandom& random) {
    return list[random.below(N)];
}

QString digits(DemoRandom& random, int count) {
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + random.below(10));
    return s;
}

// An identity card number with its check digit: "A123456(3)".
QString identityNumber(DemoRandom& random) {
    const QChar letter(u'A' + random.below(26));
    const QString number = digits(random, 6);
    int sum = 36 * 9 + (letter.unicode() - u'A' + 10) * 8;
    for (int i = 0; i < 6; ++i)
        sum += number.at(i).digitValue() * (7 - i);
    const int check = (11 - sum % 11) % 11;
    return letter + number + QLatin1Char('(') +
           (check == 10 ? QStringLiteral("A") : QString::number(check)) + QLatin1Char(')');
}

QString localAddress(DemoRandom& random) {
    return QStringLiteral("FLAT %1, %2/F, %3 %4, %5")
        .arg(QChar(u'A' + random.below(8)))
        .arg(random.between(2, 30))
        .arg(random.between(10, 420))
        .arg(text(pickFrom(Streets, random)), text(pickFrom(Districts, random)));
}

void fillPhones(rows::Customer& c, DemoRandom& random) {
    c.Phone1 = QString(QChar(u"965"[random.below(3)])) + digits(random, 7);
    c.Phone2 = random.percent(60) ? QStringLiteral("2") + digits(random, 7) : QString();
    c.Phone3 = random.percent(15) ? QStringLiteral("3") + digits(random, 7) : QString();
}

int joinedDaysAgo(int index, DemoRandom& random) {
    const int recent = index - (MemberCount - int(RecentJoins.size()));
    return recent >= 0 ? RecentJoins.at(recent) : 2150 - index * 38 - random.below(20);
}

QDate birthDate(int index, const QDate& today, DemoRandom& random) {
    const int age = Minors.contains(index) ? random.between(11, 16) : random.between(19, 68);
    return today.addYears(-age).addDays(-random.below(365));
}

void fillIdentity(rows::Customer& c, int index, DemoRandom& random) {
    if (Visitors.contains(index)) {
        const Name& n = VisitorNames[Visitors.indexOf(index)];
        c.EnglishName = text(n.english);
        c.ChineseName = text(n.chinese);
        c.Sex = text(n.sex);
        c.HKResident = QStringLiteral("N");
        c.HKID = QChar(u'E' + random.below(4)) + digits(random, 8);
        c.Address = QStringLiteral("ROOM %1, ").arg(random.between(301, 2518)) +
                    text(pickFrom(Hotels, random));
        c.Remarks1 = QStringLiteral("VISITOR - DEPOSIT $300 PAID");
        return;
    }
    const Surname& surname = Surnames[index % 16];
    const Name& given = GivenNames[index * 7 % 20];
    c.EnglishName = text(surname.english) + QLatin1Char(' ') + text(given.english);
    c.ChineseName = text(surname.chinese) + text(given.chinese);
    c.Sex = text(given.sex);
    c.HKID = identityNumber(random);
    c.Address = localAddress(random);
    if (random.percent(25))
        c.Remarks1 = QStringLiteral("DEPOSIT $100 PAID");
}

rows::Customer makeMember(int index, const QDate& today, DemoRandom& random) {
    rows::Customer c;
    const int daysAgo = joinedDaysAgo(index, random);
    c.JoinDate = today.addDays(-daysAgo);
    c.InDate = QDateTime(c.JoinDate, QTime(11, 0).addSecs(60 * random.below(600)));
    c.ModDate = c.InDate;
    c.CustomerID = FormatSerial(1001 + index);
    c.BirthDate = birthDate(index, today, random);
    c.LastRentDate = NoDate;
    fillIdentity(c, index, random);
    fillPhones(c, random);
    if (Minors.contains(index))
        c.Remarks2 = QStringLiteral("PARENT'S CONSENT ON FILE");
    if (random.percent(10))
        c.TransRemarks = text(pickFrom(RentRemarks, random));
    if (Inactive.contains(index)) {
        c.Active = QStringLiteral("N");
        c.Remarks1 = text(EndedRemarks[Inactive.indexOf(index)]);
        c.ModDate = c.InDate.addDays(daysAgo / 2);
    }
    return c;
}

} // namespace

QList<rows::Customer> buildMembers(const QDate& today, DemoRandom& random) {
    QList<rows::Customer> members;
    for (int i = 0; i < MemberCount; ++i)
        members << makeMember(i, today, random);
    return members;
}

bool writeMembers(Connection& db, const QList<rows::Customer>& members) {
    for (const rows::Customer& c : members) {
        if (!rows::insertCustomer(db, c))
            return false;
    }
    return true;
}

} // namespace demo
