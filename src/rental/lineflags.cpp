#include "lineflags.h"

#include "orders.h"

LineColour RowColour(const OrderLine& line) {
    if (line.IsReturned)
        return LineColour::Returned;
    if (line.IsRenewed)
        return LineColour::Renewed;
    if (line.IsSettled)
        return LineColour::Settled;
    if (line.LateAmt > Money())
        return LineColour::Overdue;
    return LineColour::Unchanged;
}

bool IsOpenLine(const OrderLine& line) {
    return !line.IsDeleted && !line.IsNewRent && !line.IsRenewed && !line.IsReturned &&
           !line.IsSale;
}

bool IsRenewableLine(const OrderLine& line) {
    return IsOpenLine(line) && !line.IsSettled;
}

bool IsReturnedLine(const OrderLine& line) {
    return !line.IsDeleted && line.IsReturned;
}

bool IsLineOfThisVisit(const OrderLine& line) {
    return !line.IsDeleted && (line.IsSale || line.IsNewRent);
}
