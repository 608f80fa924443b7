#include "ReportCsv.h"

#include "Money.h"
#include "utility.h"

#include <QDate>
#include <QSaveFile>

#include <algorithm>

namespace {

QString csvValue(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().formatPlain();
    if (value.metaType() == QMetaType::fromType<QDate>()) {
        const QDate date = value.toDate();
        return date.isValid() && date != NoDate ? date.toString(QStringLiteral("dd/MM/yyyy"))
                                                : QString();
    }
    return value.toString();
}

QString quoted(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    const bool needsQuotes =
        std::any_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); });
    if (!needsQuotes)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

struct CsvColumn {
    QString heading;
    int index;
};

// The fields the export writes: every field of every table column, or the query's own fields
// for a report printed as blocks.
QList<CsvColumn> csvColumns(const Report& report) {
    QList<CsvColumn> columns;
    for (const ReportColumn& column : report.definition.columns) {
        for (const QString& field : column.fields) {
            const bool ownHeading = column.fields.size() == 1 && !column.heading.isEmpty();
            columns.append({ownHeading ? column.heading : field, report.data.indexOf(field)});
        }
    }
    if (columns.isEmpty()) {
        for (int i = 0; i < report.data.fields.size(); ++i)
            columns.append({report.data.fields.at(i), i});
    }
    return columns;
}

void appendLine(QString& out, const QStringList& values) {
    QStringList cells;
    for (const QString& value : values)
        cells.append(quoted(value));
    out += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QByteArray reportCsv(const Report& report) {
    const QList<CsvColumn> columns = csvColumns(report);
    QString out;
    QStringList headings;
    for (const CsvColumn& column : columns)
        headings.append(column.heading);
    appendLine(out, headings);
    for (const QVariantList& row : report.data.rows) {
        QStringList values;
        for (const CsvColumn& column : columns)
            values.append(csvValue(row.value(column.index)));
        appendLine(out, values);
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

bool writeCsv(const Report& report, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(reportCsv(report));
    return file.commit();
}
