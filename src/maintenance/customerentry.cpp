#include "customerentry.h"

#include "Clock.h"
#include "customers.h"
#include "utility.h"

CustomerEntry EntryFromRecord(const CustomerRec& rec) {
    CustomerEntry entry;
    entry.CustomerID = rec.CustomerID;
    entry.Active = rec.Active;
    entry.JoinDate = DateToDisplay(rec.JoinDate);
    entry.HKID = rec.HKID;
    entry.HKResident = rec.HKResident;
    entry.ChineseName = rec.ChineseName;
    entry.EnglishName = rec.EnglishName;
    entry.Sex = rec.Sex;
    entry.BirthDate = DateToDisplay(rec.BirthDate);
    entry.Address = rec.Address;
    entry.Phone1 = rec.Phone1;
    entry.Phone2 = rec.Phone2;
    entry.Phone3 = rec.Phone3;
    entry.Remarks1 = rec.Remarks1;
    entry.Remarks2 = rec.Remarks2;
    return entry;
}

void CopyEntryToRecord(const CustomerEntry& entry, CustomerRec& rec) {
    rec.CustomerID = entry.CustomerID.trimmed();
    rec.Active = entry.Active.trimmed();
    rec.JoinDate = DateToStore(entry.JoinDate);
    rec.HKID = entry.HKID.trimmed();
    rec.HKResident = entry.HKResident.trimmed();
    rec.ChineseName = entry.ChineseName.trimmed();
    rec.EnglishName = entry.EnglishName.trimmed();
    rec.Sex = entry.Sex.trimmed();
    rec.BirthDate = DateToStore(entry.BirthDate);
    rec.Address = entry.Address.trimmed();
    rec.Phone1 = entry.Phone1.trimmed();
    rec.Phone2 = entry.Phone2.trimmed();
    rec.Phone3 = entry.Phone3.trimmed();
    rec.Remarks1 = entry.Remarks1.trimmed();
    rec.Remarks2 = entry.Remarks2.trimmed();
}

CustomerRec NewCustomer(const QString& customerID, const Clock& clock) {
    CustomerRec rec;
    rec.CustomerID = customerID;
    rec.Active = QStringLiteral("Y");
    rec.JoinDate = TodayStamp(clock);
    rec.HKResident = QStringLiteral("Y");
    rec.Sex = QStringLiteral("M");
    rec.BirthDate = NoDate;
    rec.LastRentDate = NoDate;
    return rec;
}
