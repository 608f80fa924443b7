#include "receiptlayout.h"

#include "PageFlow.h"
#include "receipt.h"
#include "reportformat.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>

namespace {

constexpr double RollMarginMm = 4;
constexpr double PageMarginMm = 12;
constexpr double MmPerPoint = 25.4 / 72;
// Long enough for any visit; the page is cut to the receipt's length afterwards.
constexpr double RollDraftMm = 5000;

QPageLayout rollPage(double lengthMm) {
    const QPageSize size(QSizeF(RollWidthMm, lengthMm), QPageSize::Millimeter,
                         QStringLiteral("Receipt roll"), QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(RollMarginMm, RollMarginMm, RollMarginMm, RollMarginMm),
                       QPageLayout::Millimeter);
}

QPageLayout a4Page() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm),
                       QPageLayout::Millimeter);
}

void setPage(PageModel& model, const QPageLayout& page) {
    model.pageLayout = page;
    model.area = page.paintRect(QPageLayout::Point).size();
}

QString dateText(const QDate& date) {
    return QLocale::c().toString(date, QStringLiteral("dd/MM/yyyy"));
}

// Writes the receipt line by line. On roll paper a line's title has a line of its own and its
// figures go below it; on a page every line is one row under column headings.
class ReceiptWriter {
public:
    ReceiptWriter(PageFlow& flow, bool roll) : m_flow(flow), m_roll(roll) {
        const QList<double> shares =
            roll ? QList<double>{4, 22, 40, 34} : QList<double>{14, 44, 8, 16, 18};
        double total = 0;
        for (double share : shares)
            total += share;
        m_edges.append(0);
        for (double share : shares)
            m_edges.append(m_edges.last() + share * flow.width() / total);
    }

    void header(const Receipt& r) {
        put(0, columns(), r.shopName, Qt::AlignHCenter, TextStyle::Title);
        next(TextStyle::Title);
        put(0, columns(),
            QStringLiteral("Date: ") + dateText(r.printed.date()) +
                r.printed.toString(QStringLiteral(" hh:mm")));
        next();
        put(0, columns(), QStringLiteral("Member: ") + r.customerID);
        next();
        put(0, columns(), r.customerName);
        next();
        if (!m_roll) {
            next();
            headings();
        }
        m_flow.rule(0, m_flow.width(), 2);
        next();
    }

    void lines(const Receipt& r) {
        for (qsizetype i = 0; i < r.lines.size(); ++i) {
            const ReceiptLine& line = r.lines.at(i);
            if (i == 0 || r.lines.at(i - 1).section != line.section) {
                put(0, columns(), SectionTitle(line.section), Qt::AlignLeft, TextStyle::Bold);
                next();
            }
            entry(line);
        }
    }

    void total(const Receipt& r) {
        m_flow.rule(0, m_flow.width(), 2);
        next();
        put(0, columns() - 1, QStringLiteral("Total ($):"), Qt::AlignLeft, TextStyle::Bold);
        put(columns() - 1, 1, r.total.format(), Qt::AlignRight, TextStyle::Bold);
        next();
    }

private:
    int columns() const { return int(m_edges.size()) - 1; }

    void put(int column, int span, const QString& text, Qt::Alignment align = Qt::AlignLeft,
             TextStyle style = TextStyle::Normal) {
        const double x = m_edges.at(column);
        const double width = m_edges.at(column + span) - x;
        m_flow.text(x + CellPadding, width - 2 * CellPadding, lineHeight(style), text, align, style,
                    Band::Detail);
    }

    double lineHeight(TextStyle style) const { return m_flow.measure().lineHeight(style); }

    void next(TextStyle style = TextStyle::Normal) {
        m_flow.advance(lineHeight(style));
        m_flow.reserve(lineHeight(TextStyle::Normal));
    }

    void headings() {
        const QStringList texts = {QStringLiteral("Item ID"), QStringLiteral("Title"),
                                   QStringLiteral("Qty"), QStringLiteral("Due"),
                                   QStringLiteral("Amount")};
        for (int i = 0; i < texts.size(); ++i)
            put(i, 1, texts.at(i), i == 2 || i == 4 ? Qt::AlignRight : Qt::AlignLeft,
                TextStyle::Heading);
        next();
    }

    void entry(const ReceiptLine& line) {
        const QString quantity = line.quantity > 0 ? QString::number(line.quantity) : QString();
        const QString due = line.due.isValid() ? dateText(line.due) : QString();
        const QString amount = line.paidNow ? line.charge.format() : QString();
        if (m_roll) {
            put(0, columns(), line.itemID + QStringLiteral("  ") + line.title);
            next();
            put(1, 1, quantity.isEmpty() ? QString() : QStringLiteral("Qty ") + quantity);
            put(2, 1, due.isEmpty() ? QString() : QStringLiteral("Due ") + due);
        } else {
            put(0, 1, line.itemID);
            put(1, 1, line.title);
            put(2, 1, quantity, Qt::AlignRight);
            put(3, 1, due);
        }
        put(columns() - 1, 1, amount, Qt::AlignRight);
        next();
        if (!line.note.isEmpty())
            subLine(line.note, TextStyle::Small);
        if (line.late > Money())
            subLine(QStringLiteral("Late charge"), TextStyle::Normal, line.late.format());
    }

    // A line under an entry, indented past the item IDs, with an amount when it has one.
    void subLine(const QString& text, TextStyle style, const QString& amount = {}) {
        put(1, columns() - 2, text, Qt::AlignLeft, style);
        put(columns() - 1, 1, amount, Qt::AlignRight);
        next();
    }

    PageFlow& m_flow;
    bool m_roll;
    QList<double> m_edges;
};

} // namespace

bool IsNarrowPage(const QPageLayout& page) {
    return page.fullRect(QPageLayout::Millimeter).width() <= NarrowPageMm;
}

PageModel layoutReceipt(const Receipt& receipt, const QPageLayout& printerPage) {
    const bool roll = IsNarrowPage(printerPage);
    PageModel model;
    setPage(model, roll ? rollPage(RollDraftMm) : a4Page());
    const TextMeasure measure;
    double length = 0;
    {
        PageFlow flow(model, measure, 0);
        flow.newPage();
        ReceiptWriter writer(flow, roll);
        writer.header(receipt);
        writer.lines(receipt);
        writer.total(receipt);
        length = flow.y();
    }
    if (roll)
        setPage(model, rollPage(length * MmPerPoint + 2 * RollMarginMm + RollMarginMm));
    return model;
}
