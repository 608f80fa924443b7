#pragma once

#include "benchrun.h"

#include <QList>

class BenchShop;

// The report inquiry's work on the shop: the month's summary with its preview, each report of
// a month's data and the overdue list laid out, the largest of them written as a PDF file, and
// both rankings over the whole shop written as PDF files. Needs a QGuiApplication.
QList<BenchCase> reportCases(BenchShop& shop);
