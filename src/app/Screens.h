#pragma once

#include <QString>

// How the main window opens the other screens. Each Open* of a keyed screen hands the key
// to that screen's Start; when Start refuses, the screen is discarded and the main window
// stays; otherwise the screen is shown and the main window hidden until it closes.
class Screens {
public:
    virtual ~Screens() = default;

    virtual bool OpenTransaction(const QString& key) = 0;
    // A stored member number opens the member; any other number starts a new member.
    virtual bool OpenCustomer(const QString& key) = 0;
    virtual bool OpenProduct(const QString& key) = 0;
    // An empty key starts a new adjustment.
    virtual bool OpenAdjustment(const QString& key) = 0;
    // Beside the main window, which stays visible.
    virtual void OpenReport(int kind) = 0;
    virtual void OpenCategory() = 0;
};
