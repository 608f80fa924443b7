#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Clock;
class Connection;

// One member (table Customers), every column in stored order.
struct CustomerRec {
    qint64 RAWID = 0;
    QDateTime InDate;
    QDateTime ModDate;
    QString CustomerID;
    QString Active;
    QDate JoinDate;
    QString HKID;
    QString HKResident;
    QString ChineseName;
    QString EnglishName;
    QString Sex;
    QDate BirthDate;
    QString Address;
    QString Phone1;
    QString Phone2;
    QString Phone3;
    QString Remarks1;
    QString Remarks2;
    QString TransRemarks;
    QString Class;
    qint64 RentTimes = 0;
    qint64 GoodTimes = 0;
    qint64 LateTimes = 0;
    qint64 BadTimes = 0;
    qint64 BuyCount = 0;
    // NoDate for a member who never rented.
    QDate LastRentDate;
};

// What a member search compares: the member number exactly, or a part of the identity
// number or of either name. Other values are refused.
enum class CustFindBy : int { CustomerID = 0, HKID = 4, ChineseName = 5, EnglishName = 6 };

// The RAWID of the member whose CustomerID is rec.CustomerID, as text; empty when none.
QString GetCustomerRawID(Connection& db, const CustomerRec& rec);

// Members matching `value` by `kind`, limited to active ones with activeOnly; name and
// identity searches come ordered by the searched column. The hits replace `hits`; when
// nothing matches, `hits` is left as it was and the result is false.
bool FindCustomerID(Connection& db, CustFindBy kind, bool activeOnly, const QString& value,
                    QList<CustomerRec>& hits);

// Reads the member whose CustomerID is rec.CustomerID into rec; rec untouched when missing.
bool GetCustomer(Connection& db, CustomerRec& rec);

// Stores every column but RAWID, then sets rec.RAWID to the row number the database gave.
bool InsertCustomer(Connection& db, CustomerRec& rec);

// Rewrites the row rec.RAWID, stamping rec.ModDate with the clock's time. The member number
// is written only with writeCustomerID (it is fixed once orders refer to it); Class and the
// base statistics only with writeStats, so figures computed for display never replace them.
bool UpdateCustomer(Connection& db, CustomerRec& rec, bool writeCustomerID, bool writeStats,
                    const Clock& clock);

bool DeleteCustomer(Connection& db, qint64 rawId);
