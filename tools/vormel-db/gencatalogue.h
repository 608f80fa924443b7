#pragma once

#include <QDate>
#include <QList>
#include <QString>

class ShopRandom;

namespace gen {

// A title the shop buys, with how many copies and when.
struct TitlePlan {
    QString name;
    QString category;
    int copies = 1;
    QDate bought;
    QString supplier;
    QString remarks;
};

// `titles` titles with `copies` copies between them (at least one each), in the order they
// are bought: the opening stock in the year before `opening`, old tapes among it, then new
// titles up to `lastDay`. New releases get the most copies, games the fewest.
QList<TitlePlan> planTitles(int titles, int copies, const QDate& opening, const QDate& lastDay,
                            ShopRandom& random);

} // namespace gen
