#include "generate.h"

#include "Connection.h"
#include "ShopRandom.h"
#include "adjustments.h"
#include "baserows.h"
#include "gencatalogue.h"
#include "genmembers.h"
#include "shopcategories.h"
#include "stockroom.h"
#include "trade.h"

#include <QTime>

#include <algorithm>
#include <optional>

namespace {

// The file is not in place before it is complete, so committing on the way gains nothing:
// one transaction journals only the few pages that existed when it began, and a large page
// cache keeps the indexes from being read back from disk again and again. A server keeps its
// own cache.
const QString CacheSize = QStringLiteral("PRAGMA cache_size = -131072");
// Busy enough that twenty thousand members bring about a million rentals in five years.
const shop::TradeSettings GeneratedTrade{0.006};

// Money in and out of the till at closing time, as the adjustment form records it.
// A refund names the latest order; a deposit gets a receipt.
struct AdjustmentKind {
    const char* description;
    int chance;
    int lowest, highest;
    bool forAnOrder;
    bool receipt;
};

const AdjustmentKind Adjustments[] = {
    {"CASH OVER AT CLOSING", 12, 1, 30, false, false},
    {"CASH SHORT AT CLOSING", 12, -30, -1, false, false},
    {"PETTY CASH - CLEANING SUPPLIES", 10, -90, -20, false, false},
    {"REFUND: DAMAGED DISC", 3, -60, -20, true, false},
    {"MEMBERSHIP DEPOSIT", 8, 100, 100, false, true},
};

class Generator {
public:
    Generator(Connection& db, const GenerateOptions& options)
        : m_db(db), m_options(options), m_random(options.seed), m_writer(db),
          m_trade(m_writer, m_random, GeneratedTrade) {}

    bool run() {
        if (!m_db.place().onServer() && !m_db.exec(CacheSize, {}, QStringLiteral("Generate")))
            return false;
        TransactionGuard transaction(m_db);
        if (!transaction.begun() || !m_writer.start() || !openShop())
            return false;
        for (QDate day = m_options.opening(); day <= GenerateOptions::lastDay();
             day = day.addDays(1)) {
            if (!playDay(day))
                return false;
        }
        return m_trade.finish() && m_writer.storeCounters() && transaction.commit();
    }

    const shop::RowCounts& written() const { return m_writer.written(); }

private:
    bool openShop() {
        const QDateTime created = m_options.created();
        const QList<CategoryRec> extra = shop::extraCategories(created);
        for (const CategoryRec& c : extra) {
            if (!m_writer.writeCategory(c))
                return false;
        }
        m_stockroom.emplace(m_writer, m_trade.shelves(),
                            QList<CategoryRec>{videoCategory(created)} + extra);
        for (const shop::SaleCode& code : shop::saleCodes()) {
            if (!m_stockroom->addSaleCode(code, created))
                return false;
        }
        m_titles = gen::planTitles(m_options.titles, m_options.copies, m_options.opening(),
                                   GenerateOptions::lastDay(), m_random);
        m_joins = gen::joinDays(m_options.members, m_options.opening(), GenerateOptions::lastDay(),
                                m_random);
        return true;
    }

    bool playDay(const QDate& day) {
        if (day.day() == 1)
            retireCopies(day);
        return buyTitles(day) && admitMembers(day) && m_trade.playDay(day) && closeTill(day);
    }

    bool buyTitles(const QDate& day) {
        for (; m_nextTitle < m_titles.size() && m_titles.at(m_nextTitle).bought <= day;
             ++m_nextTitle) {
            const gen::TitlePlan& t = m_titles.at(m_nextTitle);
            const QDateTime at(t.bought, QTime(9, 0).addSecs(60 * m_random.below(60)));
            if (!m_stockroom->buyTitle(t.name, t.category, t.copies, at, t.supplier, t.remarks))
                return false;
        }
        return true;
    }

    bool admitMembers(const QDate& day) {
        for (; m_nextMember < m_joins.size() && m_joins.at(m_nextMember) <= day; ++m_nextMember) {
            gen::NewMember m = gen::makeMember(1001 + int(m_nextMember), m_joins.at(m_nextMember),
                                               GenerateOptions::lastDay(), m_random);
            if (!m_writer.writeMember(m.row))
                return false;
            m_trade.addMember(m.member);
        }
        return true;
    }

    // Once a month the shelves are checked: a few copies are found damaged, fewer sold off.
    void retireCopies(const QDate& day) {
        QStringList statuses;
        for (int i = 0; i < std::max(2, m_options.copies / 2000); ++i)
            statuses << (i % 3 == 1 ? QStringLiteral("3") : QStringLiteral("2"));
        m_trade.retireCopies(statuses, QDateTime(day, QTime(9, 45)));
    }

    bool closeTill(const QDate& day) {
        for (const AdjustmentKind& k : Adjustments) {
            if (!m_random.percent(k.chance))
                continue;
            AcctAdjustRec a;
            a.AdjustDate = a.CreateDate = day;
            a.InDate = a.ModDate = QDateTime(day, QTime(22, 15));
            a.Description = QString::fromLatin1(k.description);
            a.AdjustAmt = Money::fromWhole(m_random.between(k.lowest, k.highest));
            a.EmployeeID = QStringLiteral("13");
            a.OrderID = k.forAnOrder ? m_trade.latestOrderID() : QString();
            if (k.receipt)
                a.ReceiptNum = QStringLiteral("R%1").arg(++m_receipts, 5, 10, QLatin1Char('0'));
            if (!m_writer.writeAdjustment(a))
                return false;
        }
        return true;
    }

    Connection& m_db;
    GenerateOptions m_options;
    ShopRandom m_random;
    shop::ShopWriter m_writer;
    shop::Trade m_trade;
    std::optional<shop::Stockroom> m_stockroom;
    QList<gen::TitlePlan> m_titles;
    QList<QDate> m_joins;
    qsizetype m_nextTitle = 0;
    qsizetype m_nextMember = 0;
    int m_receipts = 0;
};

} // namespace

QDateTime GenerateOptions::created() const {
    return QDateTime(opening(), QTime(9, 0));
}

bool addGeneratedShop(Connection& db, const GenerateOptions& options, shop::RowCounts& written) {
    Generator generator(db, options);
    const bool ok = generator.run();
    written = generator.written();
    return ok;
}
