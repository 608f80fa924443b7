#pragma once

#include "ReportDefinition.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>

class Connection;

// A selected column and how its stored value is read back.
struct FieldSpec {
    QString name;
    FieldFormat kind = FieldFormat::Text;
};

// Runs the report's one query; the selected columns come in the order of `fields`.
std::optional<ReportData> queryRows(Connection& db, const QString& sql, const QVariantList& values,
                                    const QList<FieldSpec>& fields, const QString& source);

// The report, or nothing when its query failed.
std::optional<Report> withRows(ReportDefinition def, std::optional<ReportData> data);

// "label" + line break + "dd/mm/yyyy To dd/mm/yyyy".
QString periodCriteria(const QString& label, const QDate& from, const QDate& to);

// A table column showing one field.
ReportColumn column(const QString& heading, const QString& field, double width,
                    FieldFormat format = FieldFormat::Text);
// The same, printed on the group header line.
ReportColumn keyColumn(const QString& heading, const QString& field, double width);

// Footer figures.
FooterFigure sumOf(const QString& field);
FooterFigure rowCount();
FooterFigure groupCount();
