#include "genmembers.h"

#include "ShopRandom.h"
#include "memberdetails.h"
#include "utility.h"

#include <QTime>

#include <algorithm>

namespace gen {

namespace {

struct Word {
    const char* english;
    const char* chinese;
};

const Word Surnames[] = {
    {"CHAN", "陳"}, {"WONG", "黃"}, {"LEE", "李"},   {"CHEUNG", "張"}, {"LAU", "劉"},
    {"NG", "吳"},   {"HO", "何"},   {"LAM", "林"},   {"LEUNG", "梁"},  {"TSANG", "曾"},
    {"YIP", "葉"},  {"CHOW", "周"}, {"KWOK", "郭"},  {"MA", "馬"},     {"TANG", "鄧"},
    {"FUNG", "馮"}, {"CHU", "朱"},  {"LO", "羅"},    {"POON", "潘"},   {"YEUNG", "楊"},
    {"TSE", "謝"},  {"CHIU", "趙"}, {"SIU", "蕭"},   {"MAK", "麥"},    {"KO", "高"},
    {"YAU", "丘"},  {"CHOI", "蔡"}, {"CHING", "程"}, {"TAM", "譚"},    {"LUK", "陸"},
    {"SO", "蘇"},   {"TO", "杜"},   {"KAN", "簡"},   {"CHENG", "鄭"},  {"HUI", "許"},
    {"WAN", "溫"},  {"YUEN", "袁"}, {"FONG", "方"},  {"KWAN", "關"},   {"LAI", "黎"},
};

const Word MaleSyllables[] = {
    {"TAI", "大"},  {"MAN", "文"},  {"SIU", "小"},  {"MING", "明"}, {"CHI", "志"},  {"KEUNG", "強"},
    {"KA", "家"},   {"HO", "豪"},   {"WAI", "偉"},  {"KIN", "健"},  {"CHUN", "俊"}, {"HEI", "熙"},
    {"KWOK", "國"}, {"WING", "榮"}, {"KIT", "傑"},  {"YIN", "賢"},  {"FUNG", "鋒"}, {"SHING", "成"},
    {"LOK", "樂"},  {"TIN", "天"},  {"HUNG", "雄"}, {"KWAN", "軍"}, {"PING", "平"}, {"YAT", "日"},
};

const Word FemaleSyllables[] = {
    {"KA", "嘉"},    {"YAN", "欣"},  {"WING", "詠"}, {"KEI", "琪"}, {"MEI", "美"},  {"LING", "玲"},
    {"HOI", "凱"},   {"SUK", "淑"},  {"FAN", "芬"},  {"YUK", "玉"}, {"LAN", "蘭"},  {"PUI", "佩"},
    {"SHAN", "珊"},  {"SZE", "詩"},  {"YEE", "綺"},  {"LAI", "麗"}, {"KUEN", "娟"}, {"WAI", "慧"},
    {"CHING", "晴"}, {"SUET", "雪"}, {"FONG", "芳"}, {"HAU", "巧"}, {"NGA", "雅"},  {"TING", "婷"},
};

// Visitors: full names as on their travel documents; some have no name in Chinese script.
const Word Visitors[] = {
    {"SMITH DAVID", ""},         {"O'BRIEN SEAN", ""},      {"D'SOUZA MARIA", ""},
    {"TANAKA YUKI", "田中由紀"}, {"ZHANG WEI", "張偉"},     {"LIU YANG", "劉洋"},
    {"MULLER ANNA", ""},         {"KIM MIN-JUN", "金敏俊"}, {"NGUYEN VAN AN", ""},
    {"SATO HIROSHI", "佐藤博"},  {"BROWN EMMA \"EM\"", ""}, {"GARCIA LUIS", ""},
};

template <typename T, int N> const T& pickFrom(const T (&list)[N], ShopRandom& random) {
    return list[random.below(N)];
}

void nameLocal(CustomerRec& c, ShopRandom& random) {
    const bool male = random.percent(50);
    const Word& surname = pickFrom(Surnames, random);
    const Word& first = male ? pickFrom(MaleSyllables, random) : pickFrom(FemaleSyllables, random);
    const Word& second = male ? pickFrom(MaleSyllables, random) : pickFrom(FemaleSyllables, random);
    c.EnglishName = QString::fromUtf8(surname.english) + QLatin1Char(' ') +
                    QString::fromUtf8(first.english) + QLatin1Char(' ') +
                    QString::fromUtf8(second.english);
    c.ChineseName = QString::fromUtf8(surname.chinese) + QString::fromUtf8(first.chinese) +
                    QString::fromUtf8(second.chinese);
    c.Sex = male ? QStringLiteral("M") : QStringLiteral("F");
    c.HKID = shop::identityNumber(random);
    c.Address = shop::localAddress(random);
    if (random.percent(25))
        c.Remarks1 = QStringLiteral("DEPOSIT $100 PAID");
}

void nameVisitor(CustomerRec& c, ShopRandom& random) {
    const Word& name = pickFrom(Visitors, random);
    c.EnglishName = QString::fromUtf8(name.english);
    c.ChineseName = QString::fromUtf8(name.chinese);
    c.Sex = random.percent(50) ? QStringLiteral("M") : QStringLiteral("F");
    c.HKResident = QStringLiteral("N");
    c.HKID = shop::travelDocument(random);
    c.Address = shop::hotelAddress(random);
    c.Remarks1 = QStringLiteral("VISITOR - DEPOSIT $300 PAID");
}

// Some members hand their card back, a month or more after joining; from that day they only
// bring copies back.
QDate leavingDay(const QDate& joined, const QDate& lastDay, ShopRandom& random) {
    const int span = int(joined.daysTo(lastDay));
    if (span <= 30 || !random.percent(12))
        return {};
    return joined.addDays(random.between(30, span));
}

} // namespace

QList<QDate> joinDays(int count, const QDate& opening, const QDate& lastDay, ShopRandom& random) {
    const int span = int(opening.daysTo(lastDay));
    QList<QDate> days;
    for (int i = 0; i < count; ++i)
        days << opening.addDays(random.percent(25) ? random.below(std::min(60, span + 1))
                                                   : random.between(0, span));
    std::sort(days.begin(), days.end());
    return days;
}

NewMember makeMember(int number, const QDate& joined, const QDate& lastDay, ShopRandom& random) {
    CustomerRec c;
    c.JoinDate = joined;
    c.InDate = c.ModDate = QDateTime(joined, QTime(10, 30).addSecs(60 * random.below(690)));
    c.CustomerID = FormatSerial(number);
    c.Active = QStringLiteral("Y");
    c.HKResident = QStringLiteral("Y");
    c.LastRentDate = NoDate;
    if (random.percent(3))
        nameVisitor(c, random);
    else
        nameLocal(c, random);
    const bool minor = random.percent(5);
    const int age = minor ? random.between(11, 16) : random.between(18, 70);
    c.BirthDate = joined.addYears(-age).addDays(-random.below(365));
    shop::fillPhones(c, random);
    if (minor)
        c.Remarks2 = QStringLiteral("PARENT'S CONSENT ON FILE");
    if (random.percent(10))
        c.TransRemarks = shop::rentRemark(random);
    const QDate left = leavingDay(joined, lastDay, random);
    if (left.isValid()) {
        c.Active = QStringLiteral("N");
        c.Remarks1 = shop::endedRemark(random.below(4));
        c.ModDate = QDateTime(left, QTime(11, 0).addSecs(60 * random.below(600)));
    }
    return {c, {c.CustomerID, joined, left, random.percent(8)}};
}

} // namespace gen
