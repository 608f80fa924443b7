#include "democatalogue.h"

#include "ShopRandom.h"
#include "baserows.h"
#include "shopcategories.h"
#include "shopwriter.h"
#include "stockroom.h"

#include <QTime>

namespace demo {

namespace {

struct TitleSpec {
    const char* name;
    const char* category;
    int copies;
    const char* supplier;
};

const TitleSpec Titles[] = {
    {"A BETTER TOMORROW", "V", 3, "CINEMA CITY"},
    {"POLICE STORY", "V", 3, "GOLDEN HARVEST"},
    {"THE KILLER", "V", 2, "GOLDEN PRINCESS"},
    {"ROUGE", "V", 2, "GOLDEN HARVEST"},
    {"AN AUTUMN'S TALE", "V", 3, "D&B"},
    {"ONCE UPON A TIME IN CHINA", "V", 4, "GOLDEN HARVEST"},
    {"CHUNGKING EXPRESS", "V", 3, "JET TONE"},
    {"ALL'S WELL ENDS WELL", "V", 3, "MANDARIN"},
    {"FIGHT BACK TO SCHOOL", "V", 3, "WIN'S"},
    {"GOD OF GAMBLERS", "V", 4, "WIN'S"},
    {"THE GODFATHER", "V", 2, "PARAMOUNT"},
    {"ROMAN HOLIDAY", "V", 2, "PARAMOUNT"},
    {"CASABLANCA", "V", 2, "WARNER"},
    {"IN THE MOOD FOR LOVE", "D", 3, "MEI AH"},
    {"INFERNAL AFFAIRS", "D", 4, "MEDIA ASIA"},
    {"SHAOLIN SOCCER", "D", 4, "UNIVERSE"},
    {"COMRADES: ALMOST A LOVE STORY", "D", 2, "UFO"},
    {"CROUCHING TIGER, HIDDEN DRAGON", "D", 3, "EDKO"},
    {"HERO", "D", 3, "EDKO"},
    {"THE MATRIX", "D", 3, "WARNER"},
    {"TITANIC", "D", 2, "PARAMOUNT"},
    {"SPIRITED AWAY", "D", 3, "BUENA VISTA"},
    {"AMELIE", "D", 2, "MEI AH"},
    {"FINDING NEMO", "D", 3, "BUENA VISTA"},
    {"LOVE ACTUALLY", "D", 2, "UNIVERSAL"},
    {"KUNG FU HUSTLE", "N", 5, "COLUMBIA"},
    {"2046", "N", 4, "JET TONE"},
    {"HOUSE OF FLYING DAGGERS", "N", 4, "EDKO"},
    {"INFERNAL AFFAIRS III", "N", 4, "MEDIA ASIA"},
    {"THE INCREDIBLES", "N", 4, "BUENA VISTA"},
    {"SPIDER-MAN 2", "N", 4, "COLUMBIA"},
    {"SHREK 2", "N", 3, "DREAMWORKS"},
    {"THE BOURNE SUPREMACY", "N", 3, "UNIVERSAL"},
    {"GRAN TURISMO 4", "G", 2, "SONY"},
    {"WINNING ELEVEN 8", "G", 3, "KONAMI"},
    {"FINAL FANTASY X-2", "G", 2, "SQUARE ENIX"},
    {"METAL GEAR SOLID 3", "G", 2, "KONAMI"},
    {"TEKKEN 5", "G", 2, "NAMCO"},
    {"NEED FOR SPEED UNDERGROUND 2", "G", 2, "EA"},
};

QDateTime at(const QDate& day, int minutesAfterTen) {
    return QDateTime(day, QTime(10, 0).addSecs(60 * minutesAfterTen));
}

} // namespace

bool addCatalogue(shop::ShopWriter& writer, shop::Shelves& shelves, const QDate& today,
                  ShopRandom& random) {
    const QDateTime opened = at(today.addDays(-2190), 0);
    const QList<CategoryRec> extra = shop::extraCategories(opened);
    for (const CategoryRec& c : extra) {
        if (!writer.writeCategory(c))
            return false;
    }
    shop::Stockroom stockroom(writer, shelves, QList<CategoryRec>{videoCategory(opened)} + extra);
    for (const TitleSpec& t : Titles) {
        const QString category = QString::fromLatin1(t.category);
        const shop::CopyPrice& p = shop::copyPrice(category);
        const QDateTime bought =
            at(today.addDays(-random.between(p.minAge, p.maxAge)), random.below(480));
        const QString remarks = category == QStringLiteral("G") ? QStringLiteral("PS2") : QString();
        if (!stockroom.buyTitle(QString::fromUtf8(t.name), category, t.copies, bought,
                                QString::fromUtf8(t.supplier), remarks))
            return false;
    }
    for (const shop::SaleCode& code : shop::saleCodes()) {
        if (!stockroom.addSaleCode(code, at(today.addDays(-2190), 30)))
            return false;
    }
    return true;
}

} // namespace demo
