#pragma once

#include <QString>

class Clock;
struct CustomerRec;

// The member form's boxes as the clerk left them. Date boxes read as masked boxes do, so an
// untouched one is "  /  /    "; every other text is taken as typed and trimmed on its way
// into the record.
struct CustomerEntry {
    QString CustomerID;
    QString Active;
    QString JoinDate;
    QString HKID;
    QString HKResident;
    QString ChineseName;
    QString EnglishName;
    QString Sex;
    QString BirthDate;
    QString Address;
    QString Phone1;
    QString Phone2;
    QString Phone3;
    QString Remarks1;
    QString Remarks2;
};

// The boxes for a member, dates in their "dd/mm/yyyy" display form.
CustomerEntry EntryFromRecord(const CustomerRec& rec);

// Takes what the clerk may change into the record. TransRemarks and the statistics are shown
// only, so they keep what the record holds.
void CopyEntryToRecord(const CustomerEntry& entry, CustomerRec& rec);

// A member not yet on file: active, resident, male, joined today, no figures yet. Its
// timestamps are set when it is saved.
CustomerRec NewCustomer(const QString& customerID, const Clock& clock);
