#pragma once

#include "PageModel.h"

#include <QMap>
#include <QStringList>

#include <algorithm>

// Reads laid-out pages back as a clerk would: line by line, left to right.
namespace pagereader {

// The page's texts by line (their top), each line left to right.
inline QMap<qint64, QList<PageText>> byLine(const ReportPage& page) {
    QMap<qint64, QList<PageText>> rows;
    for (const PageText& text : page.texts)
        rows[qRound64(text.rect.top() * 100)].append(text);
    for (QList<PageText>& row : rows)
        std::sort(row.begin(), row.end(), [](const PageText& a, const PageText& b) {
            return a.rect.left() < b.rect.left();
        });
    return rows;
}

// The lines of the pages with a text of one of `bands`, each line's texts joined by " | ".
inline QStringList lines(const QList<ReportPage>& pages, const QList<Band>& bands) {
    QStringList out;
    for (const ReportPage& page : pages) {
        for (const QList<PageText>& row : byLine(page)) {
            QStringList texts;
            for (const PageText& text : row)
                texts.append(text.text);
            if (std::any_of(row.cbegin(), row.cend(),
                            [&](const PageText& text) { return bands.contains(text.band); }))
                out.append(texts.join(QStringLiteral(" | ")));
        }
    }
    return out;
}

// The table of a report: group headers, detail lines, group and report footers.
inline QStringList body(const PageModel& model) {
    return lines(model.pages,
                 {Band::GroupHeader, Band::Detail, Band::GroupFooter, Band::ReportFooter});
}

// A description of the first two texts on one line that overlap, or empty when none do.
inline QString overlap(const ReportPage& page) {
    for (const QList<PageText>& row : byLine(page)) {
        for (int i = 1; i < row.size(); ++i) {
            if (row.at(i - 1).rect.right() > row.at(i).rect.left() + 0.01)
                return row.at(i - 1).text + QStringLiteral(" / ") + row.at(i).text;
        }
    }
    return {};
}

} // namespace pagereader
