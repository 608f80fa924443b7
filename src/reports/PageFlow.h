#pragma once

#include "PageModel.h"

#include <QString>

#include <functional>

class TextMeasure;
struct FittedText;

// Fills pages from the top down. A band first reserves its height; when that does not fit
// above the page footer, a new page starts and the page-start callback puts the headings on it.
class PageFlow {
public:
    PageFlow(PageModel& model, const TextMeasure& measure, double footerHeight);

    const TextMeasure& measure() const { return m_measure; }
    double width() const { return m_model.area.width(); }
    double y() const { return m_y; }
    bool atPageTop() const { return m_y <= m_pageTop; }

    // Runs at the top of every later page; what it writes counts as the page's head.
    void setPageStart(std::function<void()> pageStart);
    void newPage();
    // Starts a new page unless `height` more points fit on this one.
    void reserve(double height);
    void advance(double height) { m_y += height; }

    // A text on the current line, cut to its width.
    void text(double x, double width, double height, const QString& text, Qt::Alignment align,
              TextStyle style, Band band);
    // Lines already fitted to `width`, the first on the current line, the others `height`
    // apart below it.
    void lines(double x, double width, double height, const QList<FittedText>& lines,
               Qt::Alignment align, TextStyle style, Band band);
    // A horizontal rule at `dy` below the current line's top.
    void rule(double x, double width, double dy = 0);

private:
    PageModel& m_model;
    const TextMeasure& m_measure;
    double m_bottom;
    double m_y = 0;
    double m_pageTop = 0;
    std::function<void()> m_pageStart;
};
