#include "selectlayouts.h"

#include "utility.h"

#include <functional>

namespace {

const SelectColumn RowNumber{QStringLiteral("#"), 700};

// Puts the row number in front of each hit's cells.
template <typename Rec>
SelectTable numbered(QList<SelectColumn> columns, const QList<Rec>& hits,
                     const std::function<QStringList(const Rec&)>& cells) {
    SelectTable table{{RowNumber}, {}};
    table.columns += columns;
    for (qsizetype i = 0; i < hits.size(); ++i)
        table.rows.append(QStringList{QString::number(i + 1)} + cells(hits[i]));
    return table;
}

} // namespace

SelectTable CustomerSelectTable(const QList<CustomerRec>& hits) {
    return numbered<CustomerRec>({{QStringLiteral("Cust. ID"), 1200},
                                  {QStringLiteral("I.D. Num"), 2000},
                                  {QStringLiteral("Name (E)"), 3000},
                                  {QStringLiteral("Name (L)"), 1400},
                                  {QStringLiteral("Sex"), 600},
                                  {QStringLiteral("Remarks 1"), 5000}},
                                 hits, [](const CustomerRec& c) {
                                     return QStringList{c.CustomerID,  c.HKID, c.EnglishName,
                                                        c.ChineseName, c.Sex,  c.Remarks1};
                                 });
}

SelectTable ItemSelectTable(const QList<ItemRec>& hits) {
    return numbered<ItemRec>(
        {{QStringLiteral("ItemID"), 1200},
         {QStringLiteral("Rate Code"), 600},
         {QStringLiteral("Title"), 7000},
         {QStringLiteral("Status"), 1500}},
        hits, [](const ItemRec& item) {
            return QStringList{item.ItemID, item.CategoryID, item.ProductName, item.Status};
        });
}

SelectTable AdjustmentSelectTable(const QList<AcctAdjustRec>& hits) {
    return numbered<AcctAdjustRec>({{QStringLiteral("Adj. ID"), 1200},
                                    {QStringLiteral("Date"), 1500},
                                    {QStringLiteral("Description"), 5000},
                                    {QStringLiteral("Amount"), 1600, true}},
                                   hits, [](const AcctAdjustRec& a) {
                                       return QStringList{a.AdjustID, DateToDisplay(a.AdjustDate),
                                                          a.Description, a.AdjustAmt.format()};
                                   });
}
