#include "customers.h"

#include "Clock.h"
#include "Connection.h"
#include "MessageService.h"
#include "dbvalue.h"
#include "utility.h"

#include <QStringList>

namespace {

// Every column but RAWID, in stored order; customerValues() follows the same order.
const QStringList Columns = {
    QStringLiteral("InDate"),      QStringLiteral("ModDate"),     QStringLiteral("CustomerID"),
    QStringLiteral("Active"),      QStringLiteral("JoinDate"),    QStringLiteral("HKID"),
    QStringLiteral("HKResident"),  QStringLiteral("ChineseName"), QStringLiteral("EnglishName"),
    QStringLiteral("Sex"),         QStringLiteral("BirthDate"),   QStringLiteral("Address"),
    QStringLiteral("Phone1"),      QStringLiteral("Phone2"),      QStringLiteral("Phone3"),
    QStringLiteral("Remarks1"),    QStringLiteral("Remarks2"),    QStringLiteral("TransRemarks"),
    QStringLiteral("Class"),       QStringLiteral("RentTimes"),   QStringLiteral("GoodTimes"),
    QStringLiteral("LateTimes"),   QStringLiteral("BadTimes"),    QStringLiteral("BuyCount"),
    QStringLiteral("LastRentDate")};

const QString SelectAll = QStringLiteral("SELECT RAWID, ") + Columns.join(QStringLiteral(", ")) +
                          QStringLiteral(" FROM Customers");

QVariantList customerValues(const CustomerRec& rec) {
    return {rec.InDate,    rec.ModDate,    rec.CustomerID,   rec.Active,      rec.JoinDate,
            rec.HKID,      rec.HKResident, rec.ChineseName,  rec.EnglishName, rec.Sex,
            rec.BirthDate, rec.Address,    rec.Phone1,       rec.Phone2,      rec.Phone3,
            rec.Remarks1,  rec.Remarks2,   rec.TransRemarks, rec.Class,       rec.RentTimes,
            rec.GoodTimes, rec.LateTimes,  rec.BadTimes,     rec.BuyCount,    rec.LastRentDate};
}

CustomerRec readCustomer(const Rows& q) {
    CustomerRec rec;
    rec.RAWID = readCount(q.value(0));
    rec.InDate = readStamp(q.value(1));
    rec.ModDate = readStamp(q.value(2));
    rec.CustomerID = readText(q.value(3));
    rec.Active = readText(q.value(4));
    rec.JoinDate = readDate(q.value(5));
    rec.HKID = readText(q.value(6));
    rec.HKResident = readText(q.value(7));
    rec.ChineseName = readText(q.value(8));
    rec.EnglishName = readText(q.value(9));
    rec.Sex = readText(q.value(10));
    rec.BirthDate = readDate(q.value(11));
    rec.Address = readText(q.value(12));
    rec.Phone1 = readText(q.value(13));
    rec.Phone2 = readText(q.value(14));
    rec.Phone3 = readText(q.value(15));
    rec.Remarks1 = readText(q.value(16));
    rec.Remarks2 = readText(q.value(17));
    rec.TransRemarks = readText(q.value(18));
    rec.Class = readText(q.value(19));
    rec.RentTimes = readCount(q.value(20));
    rec.GoodTimes = readCount(q.value(21));
    rec.LateTimes = readCount(q.value(22));
    rec.BadTimes = readCount(q.value(23));
    rec.BuyCount = readCount(q.value(24));
    rec.LastRentDate = readDateOrNone(q.value(25));
    return rec;
}

// The column a member search compares; none for a kind that is not a search.
QString searchColumn(CustFindBy kind) {
    switch (kind) {
    case CustFindBy::CustomerID:
        return QStringLiteral("CustomerID");
    case CustFindBy::HKID:
        return QStringLiteral("HKID");
    case CustFindBy::ChineseName:
        return QStringLiteral("ChineseName");
    case CustFindBy::EnglishName:
        return QStringLiteral("EnglishName");
    }
    return {};
}

// A part of a name long enough to hold a trigram, on a file that has the name index: the index
// narrows the members to those whose name may hold it, and the same LIKE as the full search
// decides, so both give the same members.
bool useNameIndex(const Connection& db, CustFindBy kind, const QString& fragment) {
    return (kind == CustFindBy::EnglishName || kind == CustFindBy::ChineseName) &&
           fragment.toUcs4().size() >= 3 && db.hasTable(Connection::NameIndex);
}

// The index's query: the fragment's first and last three characters anywhere in one column.
// Every name that holds the fragment holds both; the LIKE that follows drops the others, and
// two lookups cost less than matching every trigram of the fragment in its place.
QString nameMatch(const QString& column, const QString& text) {
    const QList<uint> chars = text.toUcs4();
    const auto quoted = [](const QList<uint>& three) {
        const QString part =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(three.constData()), 3);
        return QLatin1Char('"') + QString(part).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    };
    return column + QStringLiteral(" : (") + quoted(chars.first(3)) + QStringLiteral(" AND ") +
           quoted(chars.last(3)) + QLatin1Char(')');
}

QStringList updatedColumns(bool writeCustomerID, bool writeStats) {
    QStringList columns = {QStringLiteral("ModDate")};
    if (writeCustomerID)
        columns << QStringLiteral("CustomerID");
    columns << QStringLiteral("Active") << QStringLiteral("JoinDate") << QStringLiteral("HKID")
            << QStringLiteral("HKResident") << QStringLiteral("ChineseName")
            << QStringLiteral("EnglishName") << QStringLiteral("Sex") << QStringLiteral("BirthDate")
            << QStringLiteral("Address");
    if (writeStats)
        columns << QStringLiteral("Class") << QStringLiteral("RentTimes")
                << QStringLiteral("GoodTimes") << QStringLiteral("LateTimes")
                << QStringLiteral("BadTimes") << QStringLiteral("BuyCount")
                << QStringLiteral("LastRentDate");
    columns << QStringLiteral("Phone1") << QStringLiteral("Phone2") << QStringLiteral("Phone3")
            << QStringLiteral("Remarks1") << QStringLiteral("Remarks2")
            << QStringLiteral("TransRemarks");
    return columns;
}

} // namespace

QString GetCustomerRawID(Connection& db, const CustomerRec& rec) {
    auto q = db.run(QStringLiteral("SELECT RAWID FROM Customers WHERE CustomerID = ?"),
                    {rec.CustomerID}, QStringLiteral("GetCustomerRawID"));
    if (!q || !q->next())
        return {};
    return readText(q->value(0));
}

bool FindCustomerID(Connection& db, CustFindBy kind, bool activeOnly, const QString& value,
                    QList<CustomerRec>& hits) {
    const QString column = searchColumn(kind);
    if (column.isEmpty()) {
        db.messages().show(QStringLiteral("Debug: Error find type in FindCustomerID()!"));
        return false;
    }
    // The member number must match whole; the other columns are searched for a part.
    const bool exact = kind == CustFindBy::CustomerID;
    QString sql = SelectAll + QStringLiteral(" WHERE ");
    QVariantList values;
    if (useNameIndex(db, kind, value)) {
        sql += QStringLiteral("RAWID IN (SELECT rowid FROM ") + Connection::NameIndex +
               QStringLiteral(" WHERE ") + Connection::NameIndex + QStringLiteral(" MATCH ?) AND ");
        values << nameMatch(column, value);
    }
    sql += column + (exact ? QStringLiteral(" = ?") : QStringLiteral(" LIKE ? ESCAPE '\\'"));
    values << (exact ? value : containsPattern(value));
    if (activeOnly) {
        sql += QStringLiteral(" AND Active = ?");
        values << QStringLiteral("Y");
    }
    // RAWID keeps members with equal names in a stable order.
    if (!exact)
        sql += QStringLiteral(" ORDER BY ") + column + QStringLiteral(", RAWID");
    auto q = db.run(sql, values, QStringLiteral("FindCustomerID"));
    if (!q)
        return false;
    QList<CustomerRec> found;
    while (q->next())
        found.append(readCustomer(*q));
    if (!q->ok() || found.isEmpty())
        return false;
    hits = std::move(found);
    return true;
}

bool GetCustomer(Connection& db, CustomerRec& rec) {
    auto q = db.run(SelectAll + QStringLiteral(" WHERE CustomerID = ?"), {rec.CustomerID},
                    QStringLiteral("GetCustomer"));
    if (!q || !q->next())
        return false;
    rec = readCustomer(*q);
    return true;
}

bool InsertCustomer(Connection& db, CustomerRec& rec) {
    const QStringList marks(Columns.size(), QStringLiteral("?"));
    TransactionGuard transaction(db);
    if (!transaction.begun())
        return false;
    auto q = db.run(QStringLiteral("INSERT INTO Customers (") + Columns.join(QStringLiteral(", ")) +
                        QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) +
                        QStringLiteral(") RETURNING RAWID"),
                    customerValues(rec), QStringLiteral("InsertCustomer"));
    if (!q || !q->next())
        return false;
    const qint64 rawId = readCount(q->value(0));
    q->finish();
    if (!transaction.commit())
        return false;
    rec.RAWID = rawId;
    return true;
}

bool UpdateCustomer(Connection& db, CustomerRec& rec, bool writeCustomerID, bool writeStats,
                    const Clock& clock) {
    rec.ModDate = NowStamp(clock);
    const QVariantList all = customerValues(rec);
    QStringList assignments;
    QVariantList values;
    for (const QString& column : updatedColumns(writeCustomerID, writeStats)) {
        assignments << column + QStringLiteral(" = ?");
        values << all.at(Columns.indexOf(column));
    }
    values << rec.RAWID;
    return db.write(QStringLiteral("UPDATE Customers SET ") +
                        assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE RAWID = ?"),
                    values, QStringLiteral("UpdateCustomer"));
}

bool DeleteCustomer(Connection& db, qint64 rawId) {
    return db.write(QStringLiteral("DELETE FROM Customers WHERE RAWID = ?"), {rawId},
                    QStringLiteral("DeleteCustomer"));
}
