#pragma once

#include "Screens.h"

#include <QList>
#include <QStringList>

// Notes every screen the main window asks for ("OpenTransaction 000123") and answers the
// keyed ones from a script: true when the script has run dry.
class FakeScreens : public Screens {
public:
    bool OpenTransaction(const QString& key) override { return keyed("OpenTransaction", key); }
    bool OpenCustomer(const QString& key) override { return keyed("OpenCustomer", key); }
    bool OpenProduct(const QString& key) override { return keyed("OpenProduct", key); }
    bool OpenAdjustment(const QString& key) override { return keyed("OpenAdjustment", key); }
    void OpenReport(int kind) override { calls << QStringLiteral("OpenReport %1").arg(kind); }
    void OpenCategory() override { calls << QStringLiteral("OpenCategory"); }

    QStringList calls;
    QList<bool> answers;

private:
    bool keyed(const char* screen, const QString& key) {
        calls << QString::fromLatin1(screen) + QLatin1Char(' ') + key;
        return answers.isEmpty() || answers.takeFirst();
    }
};
