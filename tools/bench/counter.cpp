#include "counter.h"

#include "Clock.h"
#include "MessageService.h"
#include "Visit.h"
#include "counterlog.h"
#include "dbvalue.h"
#include "shopfile.h"
#include "visitrecord.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

// A save that fails is tried again this long after the run's end at most.
constexpr qint64 RetryGraceMs = 30000;
constexpr unsigned long RetryPauseMs = 250;
// Contending counters pick the same member and copy within such a slot.
constexpr qint64 HotSlotMs = 300;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

// The log, written a whole line at a time so a kill can cut at most the last one short.
class CounterLogFile : public MessageService {
public:
    explicit CounterLogFile(const QString& path) : m_file(path) {
        m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    bool isOpen() const { return m_file.isOpen(); }
    void write(const QString& line) { m_file.write(line.toUtf8()); }
    // What the connection would show the clerk goes to the log.
    int show(const QString& text, MsgIcon, MsgButtons, const QString&) override {
        write(QStringLiteral("note\t") +
              QString(text)
                  .replace(QLatin1Char('\r'), QLatin1Char(' '))
                  .replace(QLatin1Char('\n'), QLatin1Char(' ')) +
              QLatin1Char('\n'));
        return AnswerOk;
    }

private:
    QFile m_file;
};

// What the counter picks from: a sample of members and copies, the sale codes, and the few
// members and copies every counter contends for.
struct Stock {
    QStringList members;
    QStringList copies;
    QStringList saleCodes;
    QStringList hotMembers;
    QStringList hotCopies;
};

QStringList firstColumn(Connection& db, const QString& sql) {
    QStringList values;
    auto q = db.run(sql, {}, QStringLiteral("vormel-bench"));
    while (q && q->next())
        values << readText(q->value(0));
    return values;
}

bool loadStock(Connection& db, Stock& s) {
    const QString member = QStringLiteral("SELECT CustomerID FROM Customers WHERE Active = 'Y' ");
    const QString copy = QStringLiteral("SELECT ItemID FROM Items WHERE Status IN ('0', '1') ");
    s.members = firstColumn(db, member + QStringLiteral("ORDER BY random() LIMIT 3000"));
    s.copies = firstColumn(db, copy + QStringLiteral("ORDER BY random() LIMIT 5000"));
    s.saleCodes = firstColumn(
        db, QStringLiteral("SELECT ItemID FROM Items WHERE Status = '4' ORDER BY ItemID LIMIT 50"));
    s.hotMembers = firstColumn(db, member + QStringLiteral("ORDER BY CustomerID LIMIT 3"));
    s.hotCopies = firstColumn(db, copy + QStringLiteral("ORDER BY ItemID LIMIT 5"));
    return !s.members.isEmpty() && !s.copies.isEmpty() && !s.hotMembers.isEmpty() &&
           !s.hotCopies.isEmpty();
}

// A refusal names what another counter changed; the kind is its message without the name.
QString refusalKind(const Outcome& outcome) {
    static const QRegularExpression named(QStringLiteral("\\([^)]*\\)"));
    for (const Notice& notice : outcome.notices) {
        if (notice.text.contains(QStringLiteral("at another counter")))
            return QString(notice.text).replace(named, QStringLiteral("(...)"));
    }
    return {};
}

// Qt's own warnings (a statement let go after the server went away) go to the log as well,
// instead of hundreds of lines among the run's results.
CounterLogFile* qtWarnings = nullptr;

void noteQtMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (qtWarnings)
        qtWarnings->show(text, MsgIcon::None, MsgButtons::Ok, QString());
}

class Counter {
public:
    Counter(Connection& db, const QString& id, qint64 untilMs, CounterLogFile& log)
        : m_db(db), m_id(id), m_until(untilMs), m_log(log),
          m_random(QRandomGenerator::securelySeeded()) {}

    bool prepare() { return GetOpCodes(m_db, m_codes) && loadStock(m_db, m_stock); }
    void serve();

private:
    const QString& pick(const QStringList& from) {
        return from.at(m_random.bounded(qsizetype(from.size())));
    }
    // The same for every counter during one slot of time.
    static const QString& hot(const QStringList& from) {
        return from.at((nowMs() / HotSlotMs) % from.size());
    }
    bool type(Visit& visit, const QString& code, const QString& itemID) {
        return visit.ExecuteCommand(code, itemID, QStringLiteral("1")).ok;
    }
    bool work(Visit& visit, bool contend);
    void save(Visit& visit);

    Connection& m_db;
    const QString m_id;
    const qint64 m_until;
    CounterLogFile& m_log;
    QRandomGenerator m_random;
    SystemClock m_clock;
    OpCodeRec m_codes;
    Stock m_stock;
    qint64 m_visits = 0;
};

void Counter::serve() {
    const bool contend = m_random.bounded(10) == 0;
    Visit visit(m_db, m_clock, m_codes, m_id);
    if (!visit.Start(contend ? hot(m_stock.hotMembers) : pick(m_stock.members)).ok) {
        // Most likely the server is away: wait a little rather than spin.
        QThread::msleep(RetryPauseMs);
        return;
    }
    if (!work(visit, contend))
        return;
    // A contending clerk takes a moment, so the others' visits overlap this one.
    if (contend)
        QThread::msleep(20 + m_random.bounded(40));
    save(visit);
}

// Types what the member came for; false when no command went through.
bool Counter::work(Visit& visit, bool contend) {
    bool any = false;
    QStringList out;
    for (const OrderLine& line : visit.OrderLines())
        out << line.ItemID;
    for (const QString& itemID : out) {
        const int roll = m_random.bounded(100);
        const QString code = roll < 40   ? m_codes.ReturnItem
                             : roll < 55 ? m_codes.RenewItemCash
                             : roll < 62 ? m_codes.RenewItemArrears
                                         : QString();
        any = (!code.isEmpty() && type(visit, code, itemID)) || any;
    }
    if (m_random.bounded(100) < 15)
        any = type(visit, m_codes.ReturnItem, Visit::SettleAllID) || any;
    const int rentals = contend ? 1 : m_random.bounded(3);
    for (int i = 0; i < rentals; ++i)
        any =
            type(visit, m_codes.AddItem, contend ? hot(m_stock.hotCopies) : pick(m_stock.copies)) ||
            any;
    if (!m_stock.saleCodes.isEmpty() && m_random.bounded(10) == 0)
        any = type(visit, m_codes.SalesItem, pick(m_stock.saleCodes)) || any;
    return any;
}

void Counter::save(Visit& visit) {
    CounterVisit v;
    v.number = ++m_visits;
    v.member = visit.customer().CustomerID;
    planVisit(v, visit);
    const bool newOrder = visit.NewOrder();
    m_log.write(triedLine(v));
    while (true) {
        QElapsedTimer timer;
        timer.start();
        const Outcome outcome = visit.SaveTransaction();
        v.saveMs = double(timer.nsecsElapsed()) / 1e6;
        if (outcome.ok) {
            v.end = CounterVisit::End::Saved;
            recordSaved(v, visit, newOrder);
            break;
        }
        v.refusal = refusalKind(outcome);
        if (!v.refusal.isEmpty()) {
            v.end = CounterVisit::End::Refused;
            break;
        }
        // Left open in the log: whether it was stored is for the check to allow either way.
        if (nowMs() > m_until + RetryGraceMs)
            return;
        m_log.write(failedLine(v));
        QThread::msleep(RetryPauseMs);
    }
    m_log.write(endLine(v));
}

// The shop, opened as soon as it can be: a counter started while the server restarts waits.
std::unique_ptr<ShopFile> openShop(const QString& place, qint64 untilMs, CounterLogFile& log,
                                   QString& error) {
    while (true) {
        auto shop = std::make_unique<ShopFile>();
        if (shop->open(place, log, error))
            return shop;
        if (nowMs() > untilMs)
            return nullptr;
        QThread::msleep(RetryPauseMs);
    }
}

} // namespace

int runCounter(const QString& place, const QString& counterID, qint64 untilMs,
               const QString& logPath) {
    CounterLogFile log(logPath);
    qtWarnings = &log;
    qInstallMessageHandler(noteQtMessage);
    QString error;
    const std::unique_ptr<ShopFile> shop =
        log.isOpen() ? openShop(place, untilMs, log, error) : nullptr;
    if (!shop) {
        std::fprintf(stderr, "vormel-bench counter %s: %s\n", counterID.toLocal8Bit().constData(),
                     error.toLocal8Bit().constData());
        return 1;
    }
    Counter counter(shop->db(), counterID, untilMs, log);
    if (!counter.prepare()) {
        std::fprintf(stderr,
                     "vormel-bench counter %s: the shop has no members or copies to serve\n",
                     counterID.toLocal8Bit().constData());
        return 1;
    }
    while (nowMs() < untilMs)
        counter.serve();
    qInstallMessageHandler(nullptr);
    qtWarnings = nullptr;
    return 0;
}
