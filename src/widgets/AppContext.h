#pragma once

#include "MessageService.h"
#include "adjustments.h"
#include "catalogue.h"
#include "customers.h"
#include "serials.h"

#include <QList>
#include <QString>

class Clock;
class Connection;
class QSettings;

// What start-up fills and every form reads: the services and the program-wide values.
// Owned by main and handed to the forms by reference; it owns none of the services.
struct AppContext {
    AppContext(Connection& database, MessageService& messageService, Clock& timeSource,
               QSettings& userSettings)
        : db(database), messages(messageService), clock(timeSource), settings(userSettings) {}

    Connection& db;
    MessageService& messages;
    Clock& clock;
    // The per-user settings store (grid column widths).
    QSettings& settings;

    OpCodeRec OpCodes;
    QList<CategoryRec> CategoryList;
    QList<ItemStatusRec> ItemStatusList;
    // Stamped on new orders and adjustments; the shop has one clerk number.
    QString CurrentEmployeeID;
    QString ShopName;
    // Set when a new member's form is open and the visit screen must follow it.
    bool ReopenTransaction = false;
    // The hits of the main window's last member, title and adjustment searches; the selection
    // list shows them and the chosen one is opened from them.
    QList<CustomerRec> CustomerMatches;
    QList<ItemRec> ItemMatches;
    QList<AcctAdjustRec> AdjustMatches;
    // The answer of the last discard question (AnswerYes, AnswerNo or AnswerCancel).
    int DiscardAnswer = AnswerYes;
};
