#include "democatalogue.h"

#include "DemoRandom.h"
#include "baserows.h"
#include "serials.h"
#include "utility.h"

#include <QHash>
#include <QStringList>
#include <QTime>

namespace demo {

namespace {

struct CategorySpec {
    const char* id;
    const char* description;
    int rentRate, rentDays, overdueRate, unitPrice, promoteQty, promotePrice;
};

// Four rental categories and the price lines of the things sold over the counter.
const CategorySpec Categories[] = {
    {"D", "DVD", 20, 2, 10, 0, 0, 0},
    {"N", "NEW RELEASE", 25, 1, 15, 0, 0, 0},
    {"G", "GAMES", 30, 7, 10, 0, 0, 0},
    {"P", "SNACKS", 0, 1, 0, 8, 3, 20},
    {"K", "DRINKS", 0, 1, 0, 7, 0, 0},
    {"T", "BLANK TAPES", 0, 1, 0, 25, 4, 80},
    {"U", "EX-RENTAL DISCS", 0, 1, 0, 60, 3, 150},
};

struct CopyPrice {
    const char* category;
    int cost, price, minAge, maxAge;
};

// What a copy of each rental category costs, and how many days ago titles were bought.
const CopyPrice CopyPrices[] = {
    {"V", 60, 99, 400, 1500},
    {"D", 90, 149, 200, 900},
    {"N", 120, 189, 30, 45},
    {"G", 280, 399, 60, 500},
};

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

struct RateCodeSpec {
    const char* name;
    const char* category;
};

// Sale codes S00001, S00002, ... in this order.
const RateCodeSpec RateCodes[] = {
    {"POPCORN", "P"},          {"POTATO CHIPS", "P"},  {"SOFT DRINK", "K"},
    {"BLANK VIDEO TAPE", "T"}, {"EX-RENTAL DVD", "U"},
};

QString text(const char* s) {
    return QString::fromUtf8(s);
}

QDateTime at(const QDate& day, int minutesAfterTen) {
    return QDateTime(day, QTime(10, 0).addSecs(60 * minutesAfterTen));
}

CategoryRec makeCategory(const CategorySpec& s, const QDateTime& created) {
    CategoryRec c;
    c.InDate = created;
    c.ModDate = created;
    c.CategoryID = text(s.id);
    c.Description = text(s.description);
    c.RentUnitRate = Money::fromWhole(s.rentRate);
    c.RentUnitDays = s.rentDays;
    c.OverDueRate = Money::fromWhole(s.overdueRate);
    c.UnitPrice = Money::fromWhole(s.unitPrice);
    c.PromoteQty = s.promoteQty;
    c.PromotePrice = Money::fromWhole(s.promotePrice);
    return c;
}

class CatalogueBuilder {
public:
    CatalogueBuilder(Connection& db, const QDate& today, DemoRandom& random, Catalogue& out)
        : m_db(db), m_today(today), m_random(random), m_out(out) {}

    bool build() {
        const QDateTime opened = at(m_today.addDays(-2190), 0);
        m_rates << videoCategory(opened);
        for (const CategorySpec& s : Categories)
            m_rates << makeCategory(s, opened);
        m_out.categories = m_rates.mid(1);
        for (const TitleSpec& t : Titles) {
            if (!addTitle(t))
                return false;
        }
        for (const RateCodeSpec& r : RateCodes) {
            if (!addRateCode(r))
                return false;
        }
        return true;
    }

private:
    const CategoryRec& rates(const QString& id) const {
        for (const CategoryRec& c : m_rates) {
            if (c.CategoryID == id)
                return c;
        }
        Q_UNREACHABLE();
    }

    static const CopyPrice& copyPrice(const QString& category) {
        for (const CopyPrice& p : CopyPrices) {
            if (text(p.category) == category)
                return p;
        }
        Q_UNREACHABLE();
    }

    // A copy label: the category letter and five digits, numbered per letter.
    QString nextItemID(const QString& letter) {
        return letter + QString::number(++m_numbers[letter]).rightJustified(5, QLatin1Char('0'));
    }

    bool addProduct(const QString& name, const CategoryRec& category, const QDateTime& bought,
                    Money cost, Money price, const QString& supplier) {
        rows::Product p;
        p.InDate = bought;
        p.ModDate = bought;
        p.ProductID = GetSerialNo(m_db, QStringLiteral("ProductID"));
        p.ProductName = name;
        p.CategoryID = category.CategoryID;
        p.SupplierID = supplier;
        p.UnitCost = cost;
        p.UnitPrice = price;
        p.Remarks = category.CategoryID == QStringLiteral("G") ? QStringLiteral("PS2") : QString();
        m_out.products << p;
        return !p.ProductID.isEmpty();
    }

    void addCopy(const QString& itemID, const QString& title, const CategoryRec& category,
                 const QDateTime& bought, Money cost, Money price, const QString& status) {
        Copy c;
        c.item.InDate = bought;
        c.item.ModDate = bought;
        c.item.ItemID = itemID;
        c.item.PurchaseDate = bought.date();
        c.item.ProductID = m_out.products.constLast().ProductID;
        c.item.UnitCost = cost;
        c.item.UnitPrice = price;
        c.item.Status = status;
        c.title = title;
        c.category = category;
        m_out.copies << c;
    }

    bool addTitle(const TitleSpec& t) {
        const CategoryRec& category = rates(text(t.category));
        const CopyPrice& p = copyPrice(category.CategoryID);
        const QDateTime bought =
            at(m_today.addDays(-m_random.between(p.minAge, p.maxAge)), m_random.below(480));
        const Money cost = Money::fromWhole(p.cost), price = Money::fromWhole(p.price);
        if (!addProduct(text(t.name), category, bought, cost, price, text(t.supplier)))
            return false;
        for (int i = 0; i < t.copies; ++i)
            addCopy(nextItemID(category.CategoryID), text(t.name), category, bought, cost, price,
                    QStringLiteral("0"));
        return true;
    }

    bool addRateCode(const RateCodeSpec& r) {
        const CategoryRec& category = rates(text(r.category));
        const QDateTime created = at(m_today.addDays(-2190), 30);
        if (!addProduct(text(r.name), category, created, Money(), category.UnitPrice,
                        QStringLiteral("XXX")))
            return false;
        addCopy(nextItemID(QStringLiteral("S")), text(r.name), category, created, Money(),
                category.UnitPrice, QStringLiteral("4"));
        return true;
    }

    Connection& m_db;
    QDate m_today;
    DemoRandom& m_random;
    Catalogue& m_out;
    QList<CategoryRec> m_rates;
    QHash<QString, int> m_numbers;
};

} // namespace

bool buildCatalogue(Connection& db, const QDate& today, DemoRandom& random, Catalogue& out) {
    out = {};
    return CatalogueBuilder(db, today, random, out).build();
}

void retireCopies(Catalogue& catalogue, DemoRandom& random) {
    const QStringList outcomes = {QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2"),
                                  QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("3"),
                                  QStringLiteral("3")};
    for (const QString& status : outcomes) {
        QList<int> shelf;
        for (int i = 0; i < catalogue.copies.size(); ++i) {
            if (catalogue.copies.at(i).item.Status == QStringLiteral("0"))
                shelf << i;
        }
        // Found when the copy was last checked: on its way back, or on the shelf.
        rows::Item& item = catalogue.copies[random.pick(shelf)].item;
        item.Status = status;
        item.ModDate = item.ModDate.addSecs(60 * random.between(5, 60));
    }
}

bool writeCatalogue(Connection& db, const Catalogue& catalogue) {
    for (const CategoryRec& c : catalogue.categories) {
        if (!rows::insertCategory(db, c))
            return false;
    }
    for (const rows::Product& p : catalogue.products) {
        if (!rows::insertProduct(db, p))
            return false;
    }
    for (const Copy& c : catalogue.copies) {
        if (!rows::insertItem(db, c.item))
            return false;
    }
    return true;
}

} // namespace demo
