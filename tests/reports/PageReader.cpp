#include "PageReader.h"

#include <QMap>

#include <algorithm>

namespace pagereader {

namespace {

// The page's texts by line (their top), each line left to right.
QMap<qint64, QList<PageText>> byLine(const ReportPage& page) {
    QMap<qint64, QList<PageText>> rows;
    for (const PageText& text : page.texts)
        rows[qRound64(text.rect.top() * 100)].append(text);
    for (QList<PageText>& row : rows)
        std::sort(row.begin(), row.end(), [](const PageText& a, const PageText& b) {
            return a.rect.left() < b.rect.left();
        });
    return rows;
}

} // namespace

QStringList lines(const ReportPage& page, Band band) {
    QStringList out;
    for (const QList<PageText>& row : byLine(page)) {
        QStringList texts;
        bool inBand = false;
        for (const PageText& text : row) {
            texts.append(text.text);
            inBand = inBand || text.band == band;
        }
        if (inBand)
            out.append(texts.join(QStringLiteral(" | ")));
    }
    return out;
}

QStringList lines(const PageModel& model, Band band) {
    QStringList out;
    for (const ReportPage& page : model.pages)
        out += lines(page, band);
    return out;
}

QString overlap(const ReportPage& page) {
    for (const QList<PageText>& row : byLine(page)) {
        for (int i = 1; i < row.size(); ++i) {
            if (row.at(i - 1).rect.right() > row.at(i).rect.left() + 0.01)
                return row.at(i - 1).text + QStringLiteral(" / ") + row.at(i).text;
        }
    }
    return {};
}

} // namespace pagereader
