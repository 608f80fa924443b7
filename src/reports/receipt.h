#pragma once

#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Visit;

// A customer's receipt of one visit as it was entered: what went out, came back, was renewed,
// sold or settled, and what was paid for each, adding up to the total the counter shows.

enum class ReceiptSection { Rentals, Returns, Renewals, Sales, Settled };

struct ReceiptLine {
    ReceiptSection section = ReceiptSection::Rentals;
    QString itemID;
    QString title;
    // 0 when the line has no quantity to show (returns, settlements).
    qint64 quantity = 0;
    // Invalid when the line has no due date to show.
    QDate due;
    // Paid now for the line, and the late charge paid with it.
    Money charge;
    Money late;
    // Says how the line was paid when that is not plain cash ("Free", "Arrears, owed 30.00").
    QString note;
    // False for a renewal on arrears: nothing is paid for it now.
    bool paidNow = true;

    Money paid() const { return charge + late; }
};

struct Receipt {
    QString shopName;
    QDateTime printed;
    QString customerID;
    QString customerName;
    // By section in the order of ReceiptSection, each in the order of the rental list.
    QList<ReceiptLine> lines;
    Money total;
};

QString SectionTitle(ReceiptSection section);

Receipt MakeReceipt(const Visit& visit, const QString& shopName, const QDateTime& printed);
