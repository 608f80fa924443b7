#include "reportquery.h"

#include "Connection.h"
#include "dbvalue.h"

namespace {

QVariant readField(const QVariant& stored, FieldFormat kind) {
    switch (kind) {
    case FieldFormat::Amount:
        return QVariant::fromValue(readMoney(stored));
    case FieldFormat::Date:
        return readDate(stored);
    case FieldFormat::Count:
        return readCount(stored);
    case FieldFormat::Text:
        break;
    }
    return readText(stored);
}

} // namespace

std::optional<ReportData> queryRows(Connection& db, const QString& sql, const QVariantList& values,
                                    const QList<FieldSpec>& fields, const QString& source) {
    auto q = db.run(sql, values, source);
    if (!q)
        return std::nullopt;
    ReportData data;
    for (const FieldSpec& field : fields)
        data.fields.append(field.name);
    while (q->next()) {
        QVariantList row;
        row.reserve(fields.size());
        for (int i = 0; i < fields.size(); ++i)
            row.append(readField(q->value(i), fields.at(i).kind));
        data.rows.append(row);
    }
    if (!q->ok())
        return std::nullopt;
    return data;
}

std::optional<Report> withRows(ReportDefinition def, std::optional<ReportData> data) {
    if (!data)
        return std::nullopt;
    return Report{std::move(def), std::move(*data)};
}

QString periodCriteria(const QString& label, const QDate& from, const QDate& to) {
    const QString form = QStringLiteral("dd/MM/yyyy");
    return label + QLatin1Char('\n') + from.toString(form) + QStringLiteral(" To ") +
           to.toString(form);
}

ReportColumn column(const QString& heading, const QString& field, double width,
                    FieldFormat format) {
    ReportColumn c;
    c.heading = heading;
    c.fields = QStringList{field};
    c.width = width;
    c.format = format;
    const bool figure = format == FieldFormat::Amount || format == FieldFormat::Count;
    c.align = figure ? Qt::AlignRight : Qt::AlignLeft;
    return c;
}

ReportColumn keyColumn(const QString& heading, const QString& field, double width) {
    ReportColumn c = column(heading, field, width);
    c.groupKey = true;
    return c;
}

FooterFigure sumOf(const QString& field) {
    return FooterFigure{Aggregate::Sum, field};
}

FooterFigure rowCount() {
    return FooterFigure{Aggregate::Rows, {}};
}

FooterFigure groupCount() {
    return FooterFigure{Aggregate::Groups, {}};
}
