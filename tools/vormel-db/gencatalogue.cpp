#include "gencatalogue.h"

#include "ShopRandom.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace gen {

namespace {

const char* const Adjectives[] = {
    "SILENT", "GOLDEN", "LAST",   "DARK",   "BROKEN",  "FLYING", "HIDDEN",   "ETERNAL",
    "WILD",   "LONELY", "SECRET", "IRON",   "CRIMSON", "LOST",   "MIDNIGHT", "SWEET",
    "FINAL",  "RED",    "FALLEN", "FROZEN", "DRUNKEN", "LUCKY",  "SAVAGE",   "GENTLE",
};
const char* const Nouns[] = {
    "DRAGON",  "TIGER",     "CITY",   "HARBOUR", "EMPIRE",  "WARRIOR", "HEART",  "STORM",
    "MASTER",  "DETECTIVE", "ISLAND", "SUMMER",  "PROMISE", "KINGDOM", "RIVER",  "FIST",
    "GAMBLER", "GHOST",     "COP",    "BRIDE",   "MOON",    "SWORD",   "LEGEND", "TEMPLE",
};
const char* const Suppliers[] = {
    "GOLDEN HARVEST", "MEDIA ASIA", "MEI AH",    "UNIVERSE",   "EDKO",        "WARNER",
    "PARAMOUNT",      "COLUMBIA",   "UNIVERSAL", "DREAMWORKS", "BUENA VISTA", "WIN'S",
};
const char* const Consoles[] = {"PS2", "XBOX", "GAMECUBE"};

template <typename T, int N> const T& pickFrom(const T (&list)[N], ShopRandom& random) {
    return list[random.below(N)];
}

QString word(const char* s) {
    return QString::fromLatin1(s);
}

QString inventName(ShopRandom& random) {
    const QString adjective = word(pickFrom(Adjectives, random));
    const QString noun = word(pickFrom(Nouns, random));
    const QString other = word(pickFrom(Nouns, random));
    switch (random.below(5)) {
    case 0:
        return QStringLiteral("THE ") + adjective + QLatin1Char(' ') + noun;
    case 1:
        return noun + QStringLiteral(" OF THE ") + adjective + QLatin1Char(' ') + other;
    case 2:
        return adjective + QLatin1Char(' ') + noun + QStringLiteral("'S ") + other;
    case 3:
        return noun + QStringLiteral(" & ") + other;
    default:
        return adjective + QLatin1Char(' ') + noun;
    }
}

// A name no other title has: a name used before comes back as its sequel.
QString uniqueName(QSet<QString>& taken, ShopRandom& random) {
    const QString base = inventName(random);
    QString name = base;
    for (int part = 2; taken.contains(name); ++part)
        name = base + QLatin1Char(' ') + QString::number(part);
    taken.insert(name);
    return name;
}

// Old tapes only in the opening stock; afterwards DVDs, new releases and games.
QString categoryFor(bool openingStock, ShopRandom& random) {
    const int roll = random.below(100);
    if (openingStock)
        return roll < 40   ? QStringLiteral("V")
               : roll < 80 ? QStringLiteral("D")
               : roll < 90 ? QStringLiteral("N")
                           : QStringLiteral("G");
    return roll < 45 ? QStringLiteral("D") : roll < 85 ? QStringLiteral("N") : QStringLiteral("G");
}

int weightOf(const QString& category) {
    return category == QStringLiteral("N")   ? 10
           : category == QStringLiteral("D") ? 6
           : category == QStringLiteral("V") ? 4
                                             : 3;
}

// One copy each, the rest in proportion to the category weights; what rounding leaves over
// goes to the first titles.
void shareCopies(QList<TitlePlan>& plan, int copies) {
    qint64 weights = 0;
    for (const TitlePlan& t : plan)
        weights += weightOf(t.category);
    const qint64 extra = copies - plan.size();
    qint64 given = 0;
    for (TitlePlan& t : plan) {
        const qint64 share = extra * weightOf(t.category) / weights;
        t.copies = int(1 + share);
        given += share;
    }
    for (qsizetype i = 0; given < extra; i = (i + 1) % plan.size(), ++given)
        ++plan[i].copies;
}

} // namespace

QList<TitlePlan> planTitles(int titles, int copies, const QDate& opening, const QDate& lastDay,
                            ShopRandom& random) {
    const int span = int(opening.daysTo(lastDay));
    QSet<QString> taken;
    QList<TitlePlan> plan;
    for (int i = 0; i < titles; ++i) {
        TitlePlan t;
        const bool openingStock = random.percent(40);
        t.bought = openingStock ? opening.addDays(-random.below(365))
                                : opening.addDays(random.between(1, span));
        t.category = categoryFor(openingStock, random);
        t.name = uniqueName(taken, random);
        t.supplier = word(pickFrom(Suppliers, random));
        if (t.category == QStringLiteral("G"))
            t.remarks = word(pickFrom(Consoles, random));
        plan << t;
    }
    shareCopies(plan, copies);
    std::stable_sort(plan.begin(), plan.end(),
                     [](const TitlePlan& a, const TitlePlan& b) { return a.bought < b.bought; });
    return plan;
}

} // namespace gen
