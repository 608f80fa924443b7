#pragma once

#include <QString>

class ShopRandom;
struct CustomerRec;

// The particulars of made-up members: identity numbers, addresses, phones.
namespace shop {

QString digits(ShopRandom& random, int count);
// A local identity card number with its check digit: "A123456(3)".
QString identityNumber(ShopRandom& random);
// A visitor's travel document number: "E12345678".
QString travelDocument(ShopRandom& random);
// "FLAT C, 12/F, 88 NATHAN ROAD, MONG KOK, KOWLOON".
QString localAddress(ShopRandom& random);
// A room in one of the hotels near the shop.
QString hotelAddress(ShopRandom& random);
// A mobile number always, a home number often, an office number sometimes.
void fillPhones(CustomerRec& c, ShopRandom& random);
// Why a membership ended / what the clerk notes about renting; `n` picks one.
QString endedRemark(int n);
QString rentRemark(ShopRandom& random);

} // namespace shop
