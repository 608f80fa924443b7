#pragma once

#include "copylabels.h"
#include "membercard.h"
#include "previewcontent.h"

#include <QList>
#include <QString>

#include <optional>

// What the product form says when there is not a copy to label.
extern const QString NoCopiesText;

// What a print of labels or a card comes to: the pages for the preview (none when nothing can
// be printed) and a message to show first (empty when all is well).
struct LabelPrint {
    std::optional<PreviewContent> content;
    QString message;
};

// The copies' labels; a copy whose item ID no barcode can be made of is left out, and one
// message names every such ID.
LabelPrint printCopyLabels(const QList<CopyLabel>& copies, LabelStock stock, int offset);
LabelPrint printMemberCard(const MemberCard& card);
