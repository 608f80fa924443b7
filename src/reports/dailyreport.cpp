#include "reports.h"

#include "Connection.h"
#include "reportformat.h"
#include "reportquery.h"

namespace {

using enum FieldFormat;

const QList<FieldSpec> SummaryFields = {
    {"RptDate", Date},       {"RptEndDate", Date},    {"RptMonthDate", Text},
    {"RentVTimes", Count},   {"RentDTimes", Count},   {"FreeTimes", Count},
    {"RenewVTimes", Count},  {"RenewDTimes", Count},  {"SalesQty", Count},
    {"ReturnVtimes", Count}, {"ReturnDtimes", Count}, {"OverdueVQty", Count},
    {"OverdueDQty", Count},  {"BadQty", Count},       {"NewCustomerQty", Count},
    {"RentAmt", Amount},     {"RenewAmt", Amount},    {"LateAmt", Amount},
    {"SalesAmt", Amount},    {"AdjustAmt", Amount},   {"RentTimes", Count},
    {"RenewTimes", Count},   {"ReturnTimes", Count},  {"OverdueQty", Count},
    {"TotalAmt", Amount}};

// The row's figures by field name, formatted for the page.
class SummaryRow {
public:
    explicit SummaryRow(const ReportData& data) : m_data(data) {}
    QString operator()(const QString& field) const {
        const int index = m_data.indexOf(field);
        const QVariant value =
            m_data.rows.isEmpty() ? QVariant() : m_data.rows.first().value(index);
        return formatValue(value, SummaryFields.at(index).kind);
    }

private:
    const ReportData& m_data;
};

FormCell label(int column, const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    return FormCell{column, 1, text, align, true};
}

FormCell figure(int column, const QString& text) {
    return FormCell{column, 1, text, Qt::AlignRight, false};
}

FormBlock periodBlock(const SummaryRow& row) {
    FormBlock block;
    block.columns = {14, 14, 5, 14, 53};
    block.lines = {{label(0, "Txn Date:"), FormCell{1, 1, row("RptDate")}, label(2, "To"),
                    FormCell{3, 1, row("RptEndDate")}}};
    return block;
}

// Quantities by category with the takings beside them, then the single figures and totals.
FormBlock figuresBlock(const SummaryRow& row) {
    FormBlock block;
    block.columns = {14, 14, 14, 14, 20, 24};
    block.headingLines = 2;
    const auto quantities = [&](const char* caption, const QString& v, const QString& d,
                                const QString& total, const QString& amount) {
        QList<FormCell> line = {label(0, caption), figure(1, row(v)), figure(2, row(d)),
                                figure(3, row(total))};
        if (!amount.isEmpty())
            line.append(figure(5, row(amount)));
        return line;
    };
    const auto single = [&](const char* caption, const QString& field, const QString& amount = {}) {
        QList<FormCell> line = {label(0, caption), figure(1, row(field))};
        if (!amount.isEmpty())
            line.append(figure(5, row(amount)));
        return line;
    };
    block.lines = {
        {label(0, "Rental Txn"), FormCell{1, 3, "Quantity", Qt::AlignHCenter, true}},
        {label(1, "VCD", Qt::AlignRight), label(2, "Others", Qt::AlignRight),
         label(3, "Total Qty", Qt::AlignRight), label(5, "Total Amt", Qt::AlignRight)},
        quantities("New:", "RentVTimes", "RentDTimes", "RentTimes", "RentAmt"),
        quantities("Renew:", "RenewVTimes", "RenewDTimes", "RenewTimes", "RenewAmt"),
        quantities("Return:", "ReturnVtimes", "ReturnDtimes", "ReturnTimes", {}),
        quantities("Overdue:", "OverdueVQty", "OverdueDQty", "OverdueQty", "LateAmt"),
        {},
        single("Free:", "FreeTimes"),
        single("Sale:", "SalesQty", "SalesAmt"),
        single("Damage:", "BadQty"),
        single("New Cust:", "NewCustomerQty"),
        {},
        {FormCell{3, 2, "Total = $", Qt::AlignRight, true}, figure(5, row("TotalAmt"))},
        {FormCell{3, 2, "Total Adjust. = $", Qt::AlignRight, true}, figure(5, row("AdjustAmt"))}};
    return block;
}

QString summarySelect() {
    QStringList columns;
    for (int i = 0; i < 20; ++i)
        columns.append(SummaryFields.at(i).name);
    // A freshly made row may hold no figures yet; those count as 0.
    const auto sum = [](const QStringList& fields) {
        QStringList terms;
        for (const QString& field : fields)
            terms.append(QStringLiteral("COALESCE(%1, 0)").arg(field));
        return terms.join(QStringLiteral(" + "));
    };
    columns << sum({"RentVTimes", "RentDTimes"}) << sum({"RenewVTimes", "RenewDTimes"})
            << sum({"ReturnVtimes", "ReturnDtimes"}) << sum({"OverdueVQty", "OverdueDQty"})
            << sum({"RentAmt", "RenewAmt", "LateAmt", "SalesAmt", "AdjustAmt"});
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM RptDailyTx LIMIT 1");
}

} // namespace

std::optional<Report> DailyTxRpt(Connection& db) {
    auto data = queryRows(db, summarySelect(), {}, SummaryFields, QStringLiteral("DailyTxRpt"));
    if (!data)
        return std::nullopt;
    ReportDefinition def;
    def.name = QStringLiteral("DailyTxRpt");
    def.title = QStringLiteral("Transaction Summary Report:");
    def.showCriteria = false;
    const SummaryRow row(*data);
    def.blocks = {periodBlock(row), figuresBlock(row)};
    return Report{std::move(def), std::move(*data)};
}
