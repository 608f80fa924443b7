#pragma once

#include "customers.h"
#include "trade.h"

#include <QDate>
#include <QList>

class ShopRandom;

namespace gen {

// The days `count` members join, earliest first: a quarter in the shop's first two months,
// the rest spread evenly up to `lastDay`.
QList<QDate> joinDays(int count, const QDate& opening, const QDate& lastDay, ShopRandom& random);

// A made-up member: local residents with names in both scripts, some visitors, some under
// 18, some who leave again before `lastDay`, a few slow payers.
struct NewMember {
    CustomerRec row;
    shop::Member member;
};
NewMember makeMember(int number, const QDate& joined, const QDate& lastDay, ShopRandom& random);

} // namespace gen
