#include "customervalidation.h"

#include "customerentry.h"
#include "customers.h"
#include "utility.h"

#include <QStringList>

namespace {

bool isOneOf(const QString& typed, const QStringList& allowed) {
    return allowed.contains(typed.trimmed());
}

} // namespace

bool IsMemberNumber(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString CheckCustomerFields(const CustomerEntry& entry) {
    const QStringList yesNo = {QStringLiteral("N"), QStringLiteral("Y")};
    if (entry.HKID.contains(QLatin1Char(' ')))
        return QStringLiteral("Identity Number error!");
    if (!IsDayDate(entry.JoinDate))
        return QStringLiteral("Date of Join error!");
    if (entry.BirthDate != BlankDateMask && !IsDayDate(entry.BirthDate))
        return QStringLiteral("Date Of Birth error!");
    if (!isOneOf(entry.HKResident, yesNo))
        return QStringLiteral("Local Residence error!");
    if (!isOneOf(entry.Active, yesNo))
        return QStringLiteral("Valid Membership error!");
    if (!isOneOf(entry.Sex, {QStringLiteral("F"), QStringLiteral("M")}))
        return QStringLiteral("Sex error!");
    // An empty or lettered number would give a member nobody can look up.
    if (!IsMemberNumber(entry.CustomerID.trimmed()))
        return QStringLiteral("Customer ID must be numeric!");
    return {};
}

QString ValidateCustomer(Connection& db, const CustomerEntry& entry, qint64 rawId) {
    const QString fieldError = CheckCustomerFields(entry);
    if (!fieldError.isEmpty())
        return fieldError;
    CustomerRec probe;
    probe.CustomerID = entry.CustomerID.trimmed();
    const QString holder = GetCustomerRawID(db, probe);
    // The number may only be held by the member being edited.
    if (!holder.isEmpty() && holder != QString::number(rawId))
        return QStringLiteral("Customer ID already exists!");
    return {};
}
