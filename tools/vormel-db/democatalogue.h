#pragma once

#include <QDate>

class ShopRandom;

namespace shop {
class Shelves;
class ShopWriter;
} // namespace shop

namespace demo {

// The demo's categories, about forty titles with their copies, and the sale codes: on file
// and on the shelves. Titles were bought between a month and four years before `today`.
bool addCatalogue(shop::ShopWriter& writer, shop::Shelves& shelves, const QDate& today,
                  ShopRandom& random);

} // namespace demo
