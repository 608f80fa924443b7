#pragma once

#include "Connection.h"
#include "ConsoleMessages.h"
#include "orders.h"
#include "shopfile.h"

#include <QDate>
#include <QString>

// The shop file (or server database) under measurement, opened the way the program opens its
// own (the page cache, synchronous writes and everything else as they are at the counter;
// compaction never runs), and what the runs take from it: the last day of trade and the
// member with the most copies out, who comes in when one of them is overdue.
class BenchShop {
public:
    // False, with `error` set, when the file cannot be opened or holds no such member.
    bool open(const QString& path, QString& error);

    Connection& db() { return m_file.db(); }

    // The last day of trade, and the day the member comes in: the day after the earliest due
    // date if that is later.
    QDate day;
    QDate visitDay;
    // The first and last day of the month of `day`.
    QDate monthFirst() const { return QDate(day.year(), day.month(), 1); }
    QDate monthLast() const { return monthFirst().addMonths(1).addDays(-1); }
    qint64 members = 0;
    qint64 lines = 0;
    qint64 charges = 0;
    // The member, a part of the member's name, and the open order as loaded on `visitDay`.
    QString memberID;
    QString nameFragment;
    OrderRec order;
    QList<OrderLine> openLines;
    // The line due first; it comes back late in the visit.
    OrderLine overdue;
    // Two copies on the shelf, and a sale code.
    QStringList shelfCopies;
    QString saleCode;

private:
    bool survey(QString& error);
    bool findMember();
    bool loadVisit();

    ConsoleMessages m_messages;
    ShopFile m_file;
};
