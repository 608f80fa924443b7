#pragma once

#include "copylabels.h"

class MessageService;
class QWidget;
struct LabelPrint;

// How the clerk wants a product's labels printed.
struct LabelOptions {
    LabelStock stock = LabelStock::Sheet;
    // Labels of the sheet already used, skipped before the first one printed.
    int offset = 0;
    bool selectedOnly = false;
};

// Asks for the stock, the labels to skip on a sheet, and whether only the `selected` of `all`
// copies get labels (asked only when some are selected). False when cancelled.
bool askLabelOptions(QWidget* parent, int all, int selected, LabelOptions& options);

// Says what went wrong, then opens the pages in the preview; the form stays usable.
void showLabelPrint(const LabelPrint& print, MessageService& messages, QWidget* parent);
