#pragma once

#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Laid-out pages, ready to draw on any device. Positions are in points (1/72 inch) from the
// top left corner of the printable area, inside the page margins.

// Which band of the report a text belongs to, so the pages can be read back by role.
enum class Band : quint8 {
    ReportHeader,
    PageHeader,
    Block,
    GroupHeader,
    Detail,
    GroupFooter,
    ReportFooter,
    PageFooter
};

enum class TextStyle : quint8 { Title, Normal, Bold, Heading, Small };

struct PageText {
    QRectF rect;
    // One line, already fitted to its rectangle: cut, or one of the lines a long text was
    // wrapped into.
    QString text;
    Qt::Alignment align = Qt::AlignLeft;
    TextStyle style = TextStyle::Normal;
    Band band = Band::Detail;
    // How wide the text runs, in points, as measured by the layout; 0 for "measure it when drawn".
    double width = 0;
};

// A bar code drawn as filled bars, so it prints sharp at any resolution. `rect` is the whole
// symbol with its quiet zones, where nothing else may be drawn.
struct PageBarcode {
    QRectF rect;
    QList<QRectF> bars;
};

struct ReportPage {
    QList<PageText> texts;
    QList<QLineF> lines;
    QList<PageBarcode> barcodes;
};

struct PageModel {
    QPageLayout pageLayout;
    // The printable area, in points.
    QSizeF area;
    QList<ReportPage> pages;
};
