#include "inquiryrun.h"

#include "Connection.h"
#include "inquiry.h"
#include "orders.h"
#include "stats.h"

DailySummary SumPeriod(Connection& db, const QDate& from, const QDate& to, const QString& month) {
    DailySummary s;
    s.RptDate = from;
    s.RptEndDate = to;
    s.RptMonthDate = month;
    SumPayAmt(db, s, PayTypeCode::Rent);
    SumPayAmt(db, s, PayTypeCode::Renewal);
    SumPayAmt(db, s, PayTypeCode::LateCharge);
    SumSales(db, s);
    SumPayQtyByCat(db, s, PayTypeCode::Rent);
    SumPayQtyByCat(db, s, PayTypeCode::Renewal);
    SumPayQty(db, s);
    SumReturnQtyByCat(db, s);
    SumOverdueQtyByCat(db, s);
    CountNewCust(db, s);
    SumAdjustAmt(db, s);
    return s;
}

bool QryDailyRpt(Connection& db, const QDate& from, const QDate& to, const QString& month) {
    const DailySummary s = SumPeriod(db, from, to, month);
    TransactionGuard tx(db);
    return tx.begun() && UpdateRptDailyTx(db, s) && tx.commit();
}

namespace {

QString runStep(Connection& db, const InquiryPlan& plan) {
    switch (plan.step) {
    case InquiryStep::Summary:
        return QryDailyRpt(db, plan.request.from, plan.request.to, plan.month)
                   ? QString()
                   : QStringLiteral("debug: error in QryDailyRpt!");
    case InquiryStep::CustomerRanking:
        return RebuildCustTemp(db) ? QString() : QStringLiteral("debug: error in QryCustomerRpt!");
    case InquiryStep::ProductRanking:
        return RebuildItemTemp(db) ? QString() : QStringLiteral("debug: error in QryProductRpt!");
    case InquiryStep::None:
        break;
    }
    return {};
}

} // namespace

QString PrepareReport(Connection& db, const InquiryPlan& plan) {
    const QString failed = runStep(db, plan);
    if (failed.isEmpty() && plan.flush)
        db.FlushWrites();
    return failed;
}
