#pragma once

#include "PageModel.h"
#include "barcode.h"

#include <QString>

// What a member's card says. The join date is the text the form shows; a card without a
// date leaves it off.
struct MemberCard {
    QString shopName;
    QString memberID;
    QString englishName;
    QString chineseName;
    QString joined;
};

// The card on a page of its own size (85.6 x 54 mm): the shop's name across the top, the names
// and join date under it, and the member number as `code` with the number under it at the
// bottom. Long names are cut to the card. Needs a QGuiApplication (fonts are measured).
PageModel layoutCard(const MemberCard& card, const Code128& code);
