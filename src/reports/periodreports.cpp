#include "reports.h"

#include "Connection.h"
#include "reportquery.h"

namespace {

using enum FieldFormat;

ReportDefinition periodReport(const QString& name, const QString& title, const QDate& from,
                              const QDate& to) {
    ReportDefinition def;
    def.name = name;
    def.title = title;
    def.criteria = periodCriteria(QStringLiteral("Txn Date: "), from, to);
    return def;
}

// The charges paid in a period with their copy's category and the payment type's name.
const QString ChargesPaid = QStringLiteral(
    " FROM Order_Payment, Items, Products, Category, PaymentType "
    "WHERE Order_Payment.ItemID = Items.ItemID AND Items.ProductID = Products.ProductID "
    "AND Products.CategoryID = Category.CategoryID AND Order_Payment.PayType = PaymentType.ID "
    "AND Order_Payment.PayDate BETWEEN ? AND ? ");

const QList<FieldSpec> ChargeFields = {{"ItemID", Text},
                                       {"PayDate", Date},
                                       {"Quantity", Count},
                                       {"UnitRate", Amount},
                                       {"ChargeAmt", Amount}};

// The detail columns of the rental reports; the report by item also names the payment type.
QList<ReportColumn> chargeColumns(const QString& itemHeading, bool withPayType) {
    QList<ReportColumn> columns = {column(itemHeading, "ItemID", 10),
                                   column("Pay Date", "PayDate", 11, Date)};
    if (withPayType)
        columns.append(column("Pay Type", "Name", 13));
    return columns + QList<ReportColumn>{column("Quantity", "Quantity", 9, Count),
                                         column("Unit Rate($)", "UnitRate", 12, Amount),
                                         column("Amount($)", "ChargeAmt", 12, Amount)};
}

// Sub totals per group, then the totals and the number of groups.
void sumByGroup(ReportDefinition& def, const QStringList& keys, const QString& quantity,
                const QString& amount) {
    const QList<FooterFigure> sums = {sumOf(quantity), sumOf(amount)};
    def.group = ReportGroup{keys, {FooterLine{QStringLiteral("Sub total:"), sums}}};
    def.footer = {FooterLine{QStringLiteral("Total:"), sums},
                  FooterLine{QStringLiteral("Category Count = "), {groupCount()}}};
}

} // namespace

std::optional<Report> rptSales(Connection& db, const QDate& from, const QDate& to) {
    auto data = queryRows(
        db,
        QStringLiteral("SELECT Sales.RateID, Products.ProductName, Sales.SaleDate, Sales.Quantity, "
                       "Sales.NetAmt, Sales.CustomerID FROM Sales, Items, Products "
                       "WHERE Sales.RateID = Items.ItemID AND Items.ProductID = Products.ProductID "
                       "AND Sales.SaleDate BETWEEN ? AND ? "
                       "ORDER BY Sales.RateID, Products.ProductName, Sales.SaleDate"),
        {from, to},
        {{"RateID", Text},
         {"ProductName", Text},
         {"SaleDate", Date},
         {"Quantity", Count},
         {"NetAmt", Amount},
         {"CustomerID", Text}},
        QStringLiteral("rptSales"));
    ReportDefinition def =
        periodReport(QStringLiteral("rptSales"), QStringLiteral("Sales Details Report:"), from, to);
    def.columns = {
        keyColumn("Sale Code", "RateID", 10),      keyColumn("Description", "ProductName", 30),
        column("Sale Date", "SaleDate", 11, Date), column("Quantity", "Quantity", 9, Count),
        column("Amount($)", "NetAmt", 12, Amount), column("CustomerID", "CustomerID", 11)};
    sumByGroup(def, {QStringLiteral("RateID"), QStringLiteral("ProductName")},
               QStringLiteral("Quantity"), QStringLiteral("NetAmt"));
    return withRows(std::move(def), std::move(data));
}

std::optional<Report> rptRent(Connection& db, const QDate& from, const QDate& to) {
    auto data = queryRows(
        db,
        QStringLiteral("SELECT Products.CategoryID, Category.Description, PaymentType.Name, "
                       "Order_Payment.ItemID, Order_Payment.PayDate, Order_Payment.Quantity, "
                       "Order_Payment.UnitRate, Order_Payment.ChargeAmt") +
            ChargesPaid +
            QStringLiteral("ORDER BY Products.CategoryID, Category.Description, "
                           "Order_Payment.ItemID, Order_Payment.PayDate"),
        {from, to},
        QList<FieldSpec>{{"CategoryID", Text}, {"Description", Text}, {"Name", Text}} +
            ChargeFields,
        QStringLiteral("rptRent"));
    ReportDefinition def = periodReport(
        QStringLiteral("rptRent"), QStringLiteral("Rental Details Report (By Item):"), from, to);
    def.columns = QList<ReportColumn>{keyColumn("Rate Code", "CategoryID", 9),
                                      keyColumn("Description", "Description", 22)} +
                  chargeColumns(QStringLiteral("Item ID"), true);
    sumByGroup(def, {QStringLiteral("CategoryID"), QStringLiteral("Description")},
               QStringLiteral("Quantity"), QStringLiteral("ChargeAmt"));
    return withRows(std::move(def), std::move(data));
}

std::optional<Report> rptRentByTxn(Connection& db, const QDate& from, const QDate& to) {
    auto data = queryRows(
        db,
        QStringLiteral("SELECT Order_Payment.PayType, PaymentType.Name, Products.CategoryID, "
                       "Category.Description, Order_Payment.ItemID, Order_Payment.PayDate, "
                       "Order_Payment.Quantity, Order_Payment.UnitRate, Order_Payment.ChargeAmt") +
            ChargesPaid +
            QStringLiteral("ORDER BY Order_Payment.PayType, PaymentType.Name, Products.CategoryID, "
                           "Category.Description, Order_Payment.ItemID, Order_Payment.PayDate"),
        {from, to},
        QList<FieldSpec>{
            {"PayType", Text}, {"Name", Text}, {"CategoryID", Text}, {"Description", Text}} +
            ChargeFields,
        QStringLiteral("rptRentByTxn"));
    ReportDefinition def =
        periodReport(QStringLiteral("rptRentByTxn"),
                     QStringLiteral("Rental Details Report (By Txn):"), from, to);
    def.columns = QList<ReportColumn>{keyColumn("Pay Type", "Name", 13),
                                      keyColumn("Rate Code", "CategoryID", 9),
                                      keyColumn("Description", "Description", 22)} +
                  chargeColumns(QStringLiteral("ItemID"), false);
    sumByGroup(def,
               {QStringLiteral("PayType"), QStringLiteral("Name"), QStringLiteral("CategoryID"),
                QStringLiteral("Description")},
               QStringLiteral("Quantity"), QStringLiteral("ChargeAmt"));
    return withRows(std::move(def), std::move(data));
}
