#include "counterlog.h"

#include <QFile>
#include <QHash>

namespace {

const QChar Tab = QLatin1Char('\t');
const QChar Comma = QLatin1Char(',');

QString joined(const QStringList& fields) {
    return fields.join(Tab) + QLatin1Char('\n');
}

QString list(const QStringList& items) {
    return items.join(Comma);
}

QStringList unlist(const QString& text) {
    return text.isEmpty() ? QStringList() : text.split(Comma);
}

void readTried(CounterVisit& visit, const QStringList& f) {
    visit.member = f.value(2);
    visit.plannedLines = f.value(3).toLongLong();
    visit.plannedPayments = f.value(4).toLongLong();
    visit.plannedSales = f.value(5).toLongLong();
}

void readEnd(CounterVisit& visit, const QStringList& f) {
    visit.saveMs = f.value(2).toDouble();
    if (f.first() == QLatin1String("refused")) {
        visit.end = CounterVisit::End::Refused;
        visit.refusal = f.value(3);
        return;
    }
    visit.end = CounterVisit::End::Saved;
    visit.orderID = f.value(3);
    visit.newLines = unlist(f.value(4));
    visit.returned = unlist(f.value(5));
    visit.renewed = unlist(f.value(6));
    visit.collected = unlist(f.value(7));
    visit.payments = f.value(8).toLongLong();
    visit.sales = f.value(9).toLongLong();
}

} // namespace

QString triedLine(const CounterVisit& v) {
    return joined({QStringLiteral("tried"), QString::number(v.number), v.member,
                   QString::number(v.plannedLines), QString::number(v.plannedPayments),
                   QString::number(v.plannedSales)});
}

QString failedLine(const CounterVisit& v) {
    return joined({QStringLiteral("failed"), QString::number(v.number)});
}

QString endLine(const CounterVisit& v) {
    const QString ms = QString::number(v.saveMs, 'f', 3);
    if (v.end == CounterVisit::End::Refused)
        return joined({QStringLiteral("refused"), QString::number(v.number), ms, v.refusal});
    return joined({QStringLiteral("saved"), QString::number(v.number), ms, v.orderID,
                   list(v.newLines), list(v.returned), list(v.renewed), list(v.collected),
                   QString::number(v.payments), QString::number(v.sales)});
}

CounterLog readCounterLog(const QString& path, const QString& counter) {
    QFile file(path);
    CounterLog log;
    QList<CounterVisit>& visits = log.visits;
    if (!file.open(QIODevice::ReadOnly))
        return log;
    QHash<qint64, qsizetype> at;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        if (!line.endsWith(QLatin1Char('\n')))
            break;
        const QStringList f = line.chopped(1).split(Tab);
        const qint64 number = f.value(1).toLongLong();
        if (f.first() == QLatin1String("note")) {
            log.notes << f.mid(1).join(Tab);
        } else if (f.first() == QLatin1String("tried")) {
            at.insert(number, visits.size());
            CounterVisit& visit = visits.emplace_back();
            visit.counter = counter;
            visit.number = number;
            readTried(visit, f);
        } else if (at.contains(number) && f.first() == QLatin1String("failed")) {
            ++visits[at.value(number)].failures;
        } else if (at.contains(number)) {
            readEnd(visits[at.value(number)], f);
        }
    }
    return log;
}
