#include "membercard.h"

#include "labelparts.h"
#include "reportformat.h"
#include "utility.h"

namespace {

constexpr double CardWidthMm = 85.6;
constexpr double CardHeightMm = 54;
constexpr double CardPaddingMm = 4;
constexpr double CodeHeightMm = 20;

} // namespace

PageModel layoutCard(const MemberCard& card, const Code128& code) {
    PageModel model;
    model.pageLayout = stockPage(QSizeF(CardWidthMm, CardHeightMm), QStringLiteral("Member card"));
    model.area = model.pageLayout.paintRect(QPageLayout::Point).size();
    const TextMeasure measure;
    ReportPage page;
    const QRectF inner = rectMm(0, 0, CardWidthMm, CardHeightMm)
                             .adjusted(CardPaddingMm * PointsPerMm, CardPaddingMm * PointsPerMm,
                                       -CardPaddingMm * PointsPerMm, -CardPaddingMm * PointsPerMm);
    double y = inner.top();
    const auto line = [&](const QString& text, TextStyle style, Qt::Alignment align) {
        const double height = measure.lineHeight(style);
        putText(page, measure, QRectF(inner.left(), y, inner.width(), height), text, style, align);
        y += height;
    };
    line(card.shopName, TextStyle::Title, Qt::AlignHCenter);
    line(card.englishName, TextStyle::Bold, Qt::AlignLeft);
    line(card.chineseName, TextStyle::Bold, Qt::AlignLeft);
    if (IsDayDate(card.joined))
        line(QStringLiteral("Member since ") + card.joined, TextStyle::Small, Qt::AlignLeft);
    const double codeHeight = CodeHeightMm * PointsPerMm;
    putCode(page, measure, code, card.memberID,
            QRectF(inner.left(), inner.bottom() - codeHeight, inner.width(), codeHeight));
    model.pages.append(page);
    return model;
}
