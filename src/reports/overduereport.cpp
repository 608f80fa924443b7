#include "reports.h"

#include "Connection.h"
#include "reportquery.h"

namespace {

using enum FieldFormat;

// A group column showing several fields, as a clerk ringing members round needs both numbers.
ReportColumn joinedColumn(const QString& heading, const QStringList& fields, double width,
                          FieldFormat format, const QString& joiner, bool groupKey) {
    ReportColumn c = column(heading, fields.first(), width, format);
    c.fields = fields;
    c.joiner = joiner;
    c.groupKey = groupKey;
    return c;
}

} // namespace

std::optional<Report> rptOSItem(Connection& db, const QDate& due) {
    auto data = queryRows(
        db,
        QStringLiteral(
            "SELECT Customers.CustomerID, Customers.EnglishName, Customers.ChineseName, "
            "Customers.Phone1, Customers.Phone2, Items.ItemID, Products.CategoryID, "
            "Products.ProductName, ItemStatus.Name, Order_Details.StartDate, Order_Details.EndDate "
            "FROM Products, Category, Items, Order_Details, Orders, ItemStatus, Customers "
            "WHERE Products.CategoryID = Category.CategoryID "
            "AND Products.ProductID = Items.ProductID AND Items.ItemID = Order_Details.ItemID "
            "AND Order_Details.OrderID = Orders.OrderID AND Items.Status = ItemStatus.ID "
            "AND Orders.CustomerID = Customers.CustomerID AND Order_Details.RentStatus = '0' "
            "AND Order_Details.EndDate < ? "
            "ORDER BY Customers.CustomerID, Products.CategoryID, Order_Details.EndDate, "
            "Items.ItemID"),
        {due},
        {{"CustomerID", Text},
         {"EnglishName", Text},
         {"ChineseName", Text},
         {"Phone1", Text},
         {"Phone2", Text},
         {"ItemID", Text},
         {"CategoryID", Text},
         {"ProductName", Text},
         {"Name", Text},
         {"StartDate", Date},
         {"EndDate", Date}},
        QStringLiteral("rptOSItem"));
    ReportDefinition def;
    def.name = QStringLiteral("rptOSItem");
    def.title = QStringLiteral("Overdue Transaction Report:");
    def.criteria = QStringLiteral("Due Date: ") + due.toString(QStringLiteral("dd/MM/yyyy"));
    def.columns = {keyColumn("CustID", "CustomerID", 9),
                   keyColumn("Name (E)", "EnglishName", 20),
                   keyColumn("(L)", "ChineseName", 10),
                   joinedColumn("Phone", {"Phone1", "Phone2"}, 22, Text, " / ", true),
                   column("ItemID", "ItemID", 9),
                   column("Rate", "CategoryID", 5),
                   column("Title", "ProductName", 30),
                   column("Status", "Name", 12),
                   joinedColumn("Rental Period", {"StartDate", "EndDate"}, 21, Date, " - ", false)};
    def.group = ReportGroup{{QStringLiteral("CustomerID"), QStringLiteral("EnglishName"),
                             QStringLiteral("ChineseName"), QStringLiteral("Phone1"),
                             QStringLiteral("Phone2")},
                            {FooterLine{QStringLiteral("Sub Total:"), {rowCount()}}}};
    def.footer = {FooterLine{QStringLiteral("Customer Count = "), {groupCount()}},
                  FooterLine{QStringLiteral("Total:"), {rowCount()}}};
    return withRows(std::move(def), std::move(data));
}
