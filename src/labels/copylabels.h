#pragma once

#include "PageModel.h"
#include "barcode.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Where labels are printed: an A4 sheet of 3 x 8 labels of 70 x 37 mm, or a 62 mm roll of a
// label printer, one label to a page.
enum class LabelStock { Sheet, Roll };

constexpr int SheetColumns = 3;
constexpr int SheetRows = 8;
constexpr int LabelsPerSheet = SheetColumns * SheetRows;

// What one copy's label says.
struct CopyLabel {
    QString itemID;
    QString title;
    QString rateCode;
};

struct EncodedLabel {
    CopyLabel copy;
    Code128 code;
};

// The labels that can be printed, and the item IDs no barcode can be made of.
struct LabelRun {
    QList<EncodedLabel> labels;
    QStringList refused;
};

LabelRun encodeLabels(const QList<CopyLabel>& copies);

// Where the label `index` of a run goes. On a sheet the run starts `offset` labels in, so a
// sheet of which that many are used can be finished, and goes on row by row to further sheets.
struct LabelSpot {
    int page = 0;
    QRectF rect;
};
LabelSpot labelSpot(LabelStock stock, int offset, int index);

// Each label lays out its title and rate code on the top line and its barcode with the item
// ID under it; texts are cut to their room and never reach into the barcode's quiet zones.
// Needs a QGuiApplication (fonts are measured).
PageModel layoutLabels(const QList<EncodedLabel>& labels, LabelStock stock, int offset);
