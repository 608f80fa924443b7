#include "demomembers.h"

#include "ShopRandom.h"
#include "customers.h"
#include "memberdetails.h"
#include "shopwriter.h"
#include "trade.h"
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

QString text(const char* s) {
    return QString::fromUtf8(s);
}

int joinedDaysAgo(int index, ShopRandom& random) {
    const int recent = index - (MemberCount - int(RecentJoins.size()));
    return recent >= 0 ? RecentJoins.at(recent) : 2150 - index * 38 - random.below(20);
}

QDate birthDate(int index, const QDate& today, ShopRandom& random) {
    const int age = Minors.contains(index) ? random.between(11, 16) : random.between(19, 68);
    return today.addYears(-age).addDays(-random.below(365));
}

void fillIdentity(CustomerRec& c, int index, ShopRandom& random) {
    if (Visitors.contains(index)) {
        const Name& n = VisitorNames[Visitors.indexOf(index)];
        c.EnglishName = text(n.english);
        c.ChineseName = text(n.chinese);
        c.Sex = text(n.sex);
        c.HKResident = QStringLiteral("N");
        c.HKID = shop::travelDocument(random);
        c.Address = shop::hotelAddress(random);
        c.Remarks1 = QStringLiteral("VISITOR - DEPOSIT $300 PAID");
        return;
    }
    const Surname& surname = Surnames[index % 16];
    const Name& given = GivenNames[index * 7 % 20];
    c.EnglishName = text(surname.english) + QLatin1Char(' ') + text(given.english);
    c.ChineseName = text(surname.chinese) + text(given.chinese);
    c.Sex = text(given.sex);
    c.HKID = shop::identityNumber(random);
    c.Address = shop::localAddress(random);
    if (random.percent(25))
        c.Remarks1 = QStringLiteral("DEPOSIT $100 PAID");
}

CustomerRec makeMember(int index, const QDate& today, ShopRandom& random) {
    CustomerRec c;
    const int daysAgo = joinedDaysAgo(index, random);
    c.JoinDate = today.addDays(-daysAgo);
    c.InDate = QDateTime(c.JoinDate, QTime(11, 0).addSecs(60 * random.below(600)));
    c.ModDate = c.InDate;
    c.CustomerID = FormatSerial(1001 + index);
    c.Active = QStringLiteral("Y");
    c.HKResident = QStringLiteral("Y");
    c.BirthDate = birthDate(index, today, random);
    c.LastRentDate = NoDate;
    fillIdentity(c, index, random);
    shop::fillPhones(c, random);
    if (Minors.contains(index))
        c.Remarks2 = QStringLiteral("PARENT'S CONSENT ON FILE");
    if (random.percent(10))
        c.TransRemarks = shop::rentRemark(random);
    if (Inactive.contains(index)) {
        c.Active = QStringLiteral("N");
        c.Remarks1 = shop::endedRemark(int(Inactive.indexOf(index)));
        c.ModDate = c.InDate.addDays(daysAgo / 2);
    }
    return c;
}

} // namespace

bool addMembers(shop::ShopWriter& writer, shop::Trade& trade, const QDate& today,
                ShopRandom& random) {
    for (int i = 0; i < MemberCount; ++i) {
        CustomerRec c = makeMember(i, today, random);
        if (!writer.writeMember(c))
            return false;
        // A membership that is no longer valid never rents in the weeks shown.
        const QDate leftOn = c.Active == QStringLiteral("Y") ? QDate() : c.JoinDate;
        trade.addMember({c.CustomerID, c.JoinDate, leftOn, i % 9 == 4});
    }
    return true;
}

} // namespace demo
