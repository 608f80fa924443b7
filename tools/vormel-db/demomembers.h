#pragma once

#include <QDate>

class ShopRandom;

namespace shop {
class ShopWriter;
class Trade;
} // namespace shop

namespace demo {

// Sixty members numbered 001001 up in the order they joined, the last five within the last
// four weeks: on file and known to the trade. Among them four whose membership is no longer
// valid, six under 18, four visitors who are not local residents, and a few slow payers who
// keep their copies long.
bool addMembers(shop::ShopWriter& writer, shop::Trade& trade, const QDate& today,
                ShopRandom& random);

} // namespace demo
