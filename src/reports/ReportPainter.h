#pragma once

#include "PageModel.h"

class QPagedPaintDevice;
class QPainter;

// Draws one page; `scale` is device pixels per point. The painter's origin is the top left of
// the printable area.
void paintPage(QPainter& painter, const ReportPage& page, double scale);

// Draws every page on the device (a QPrinter or a QPdfWriter), one device page each; the
// device's page layout should be the model's. False when the device cannot be painted on.
bool paintReport(const PageModel& model, QPagedPaintDevice& device);

// Writes the pages to a PDF file, in the model's page layout.
bool writePdf(const PageModel& model, const QString& path, const QString& title);
