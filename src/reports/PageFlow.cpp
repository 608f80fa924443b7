#include "PageFlow.h"

#include "reportformat.h"

PageFlow::PageFlow(PageModel& model, const TextMeasure& measure, double footerHeight)
    : m_model(model), m_measure(measure), m_bottom(model.area.height() - footerHeight) {}

void PageFlow::setPageStart(std::function<void()> pageStart) {
    m_pageStart = std::move(pageStart);
}

void PageFlow::newPage() {
    m_model.pages.append(ReportPage{});
    m_y = 0;
    m_pageTop = 0;
    if (m_pageStart)
        m_pageStart();
    m_pageTop = m_y;
}

void PageFlow::reserve(double height) {
    // A band taller than a whole page still goes on a fresh page rather than looping.
    if (m_y + height > m_bottom && !atPageTop())
        newPage();
}

void PageFlow::text(double x, double width, double height, const QString& text, Qt::Alignment align,
                    TextStyle style, Band band) {
    if (!text.isEmpty())
        lines(x, width, height, {m_measure.fit(text, style, width)}, align, style, band);
}

void PageFlow::lines(double x, double width, double height, const QList<FittedText>& lines,
                     Qt::Alignment align, TextStyle style, Band band) {
    if (width <= 0)
        return;
    double top = m_y;
    for (const FittedText& line : lines) {
        if (!line.text.isEmpty())
            m_model.pages.last().texts.append(
                PageText{QRectF(x, top, width, height), line.text, align, style, band, line.width});
        top += height;
    }
}

void PageFlow::rule(double x, double width, double dy) {
    m_model.pages.last().lines.append(QLineF(x, m_y + dy, x + width, m_y + dy));
}
