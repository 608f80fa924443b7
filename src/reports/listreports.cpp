#include "reports.h"

#include "Connection.h"
#include "reportquery.h"

namespace {

using enum FieldFormat;

QString timesCriteria(const TimesRange& times) {
    if (!times.applies())
        return {};
    return QStringLiteral("Rental Times: %1 To %2").arg(times.from).arg(times.to);
}

// The range condition on a member's or copy's total rentals, and its bound values.
QString timesCondition(const QString& total, const TimesRange& times, QVariantList& values) {
    if (!times.applies())
        return {};
    values << times.from << times.to;
    return QStringLiteral(" AND (") + total + QStringLiteral(") BETWEEN ? AND ? ");
}

FooterLine recordCount() {
    return FooterLine{QStringLiteral("Record Count = "), {rowCount()}};
}

} // namespace

std::optional<Report> rptAllItems(Connection& db, const TimesRange& times) {
    // Copies added without a stored count rank as 0, not as unknown.
    const QString total =
        QStringLiteral("COALESCE(Item_Temp.TotalTimes, 0) + COALESCE(Items.RentTimes, 0)");
    QVariantList values;
    const QString sql =
        QStringLiteral("SELECT ") + total +
        QStringLiteral(
            ", Items.ItemID, Items.PurchaseDate, ItemStatus.Name, "
            "Products.CategoryID, Items.UnitCost, Items.UnitPrice, "
            "Products.ProductName FROM Items, Item_Temp, Products, ItemStatus "
            "WHERE Items.ItemID = Item_Temp.ItemID "
            "AND Products.ProductID = Items.ProductID AND Items.Status = ItemStatus.ID") +
        timesCondition(total, times, values) + QStringLiteral(" ORDER BY 1, Items.ItemID");
    auto data = queryRows(db, sql, values,
                          {{"RTotalTimes", Count},
                           {"ItemID", Text},
                           {"PurchaseDate", Date},
                           {"Name", Text},
                           {"CategoryID", Text},
                           {"UnitCost", Amount},
                           {"UnitPrice", Amount},
                           {"ProductName", Text}},
                          QStringLiteral("rptAllItems"));
    ReportDefinition def;
    def.name = QStringLiteral("rptAllItems");
    def.title = QStringLiteral("Product Report:");
    def.criteria = timesCriteria(times);
    def.columns = {
        column("Rate", "CategoryID", 6),          column("Purchase", "PurchaseDate", 11, Date),
        column("Item ID", "ItemID", 10),          column("Status", "Name", 12),
        column("Title", "ProductName", 29),       column("P.Prc", "UnitCost", 10, Amount),
        column("R.Prc", "UnitPrice", 10, Amount), column("Rent#", "RTotalTimes", 8, Count)};
    def.footer = {recordCount()};
    return withRows(std::move(def), std::move(data));
}

std::optional<Report> rptAllCustomers(Connection& db, const TimesRange& times) {
    const QString total =
        QStringLiteral("COALESCE(Cust_Temp.TotalTimes, 0) + COALESCE(Customers.RentTimes, 0)");
    QVariantList values;
    const QString sql =
        QStringLiteral("SELECT ") + total +
        QStringLiteral(", Customers.HKID, Customers.CustomerID, Customers.EnglishName, "
                       "Customers.ChineseName, Customers.Address, Customers.Sex, "
                       "Customers.Active FROM Customers, Cust_Temp "
                       "WHERE Customers.CustomerID = Cust_Temp.CustomerID") +
        timesCondition(total, times, values) + QStringLiteral(" ORDER BY 1, Customers.CustomerID");
    auto data = queryRows(db, sql, values,
                          {{"RTotalTimes", Count},
                           {"HKID", Text},
                           {"CustomerID", Text},
                           {"EnglishName", Text},
                           {"ChineseName", Text},
                           {"Address", Text},
                           {"Sex", Text},
                           {"Active", Text}},
                          QStringLiteral("rptAllCustomers"));
    ReportDefinition def;
    def.name = QStringLiteral("rptAllCustomers");
    def.title = QStringLiteral("Customer Report:");
    def.criteria = timesCriteria(times);
    def.orientation = QPageLayout::Landscape;
    def.columns = {column("Rent#", "RTotalTimes", 7, Count),
                   column("I.D.#", "HKID", 11),
                   column("Cust ID", "CustomerID", 9),
                   column("Name (E)", "EnglishName", 22),
                   column("(L)", "ChineseName", 12),
                   column("Address", "Address", 39),
                   column("Sex", "Sex", 4),
                   column("Valid", "Active", 5)};
    def.footer = {recordCount()};
    return withRows(std::move(def), std::move(data));
}

std::optional<Report> rptAcctAdjust(Connection& db, const QDate& from, const QDate& to) {
    auto data = queryRows(db,
                          QStringLiteral("SELECT AdjustID, Description, AdjustAmt, AdjustDate, "
                                         "CreateDate FROM AcctAdjust "
                                         "WHERE AdjustDate BETWEEN ? AND ? ORDER BY AdjustID"),
                          {from, to},
                          {{"AdjustID", Text},
                           {"Description", Text},
                           {"AdjustAmt", Amount},
                           {"AdjustDate", Date},
                           {"CreateDate", Date}},
                          QStringLiteral("rptAcctAdjust"));
    ReportDefinition def;
    def.name = QStringLiteral("rptAcctAdjust");
    def.title = QStringLiteral("Accounting Adjustment Report:");
    def.criteria = periodCriteria(QStringLiteral("Date of Adjustment: "), from, to);
    def.columns = {column("Adj. ID", "AdjustID", 10), column("Reason", "Description", 38),
                   column("Amount($)", "AdjustAmt", 12, Amount),
                   column("Tran. Date", "AdjustDate", 12, Date),
                   column("Creation Date", "CreateDate", 13, Date)};
    def.footer = {recordCount(), FooterLine{QStringLiteral("Total:"), {sumOf("AdjustAmt")}}};
    return withRows(std::move(def), std::move(data));
}
