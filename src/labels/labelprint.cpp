#include "labelprint.h"

const QString NoCopiesText =
    QStringLiteral("This product has no copies: there is nothing to print.");

namespace {

// Label pages do not depend on the printer's page: they are the stock's own size.
PreviewContent fixedContent(const QString& title, const PageModel& pages) {
    PreviewContent content;
    content.title = title;
    content.startPage = pages.pageLayout;
    content.layout = [pages](const QPageLayout&) { return pages; };
    return content;
}

QString runTitle(const QList<EncodedLabel>& labels) {
    const QString first = labels.first().copy.itemID;
    const QString last = labels.last().copy.itemID;
    return QStringLiteral("Labels ") + first +
           (labels.size() > 1 ? QStringLiteral("-") + last : QString());
}

} // namespace

LabelPrint printCopyLabels(const QList<CopyLabel>& copies, LabelStock stock, int offset) {
    const LabelRun run = encodeLabels(copies);
    LabelPrint print;
    if (!run.refused.isEmpty()) {
        const bool one = run.refused.size() == 1;
        print.message = (one ? QStringLiteral("No barcode can be made of item ID ")
                             : QStringLiteral("No barcode can be made of item IDs ")) +
                        run.refused.join(QStringLiteral(", ")) +
                        (one ? QStringLiteral(": its label is left out.")
                             : QStringLiteral(": their labels are left out."));
    }
    if (!run.labels.isEmpty())
        print.content = fixedContent(runTitle(run.labels), layoutLabels(run.labels, stock, offset));
    return print;
}

LabelPrint printMemberCard(const MemberCard& card) {
    const std::optional<Code128> code = encodeCode128(card.memberID);
    if (!code)
        return {std::nullopt,
                QStringLiteral("No barcode can be made of member number ") + card.memberID + '.'};
    return {fixedContent(QStringLiteral("Member card ") + card.memberID, layoutCard(card, *code)),
            {}};
}
