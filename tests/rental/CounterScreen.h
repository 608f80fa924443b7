#pragma once

#include "AppContext.h"
#include "ShopFixture.h"
#include "TestSettings.h"
#include "frmOpRent.h"

#include <QPointer>
#include <QTest>

// The visit screen over a shop fixture, with the context the main window would give it.
struct CounterScreen {
    CounterScreen() {
        ctx.OpCodes = OpCodeRec::defaults();
        ctx.CurrentEmployeeID = QStringLiteral("13");
    }
    ~CounterScreen() { delete form; }
    CounterScreen(const CounterScreen&) = delete;
    CounterScreen& operator=(const CounterScreen&) = delete;

    // Keys as the window system delivers them: to the screen's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }

    ShopFixture shop;
    TestSettings store;
    AppContext ctx{shop.db(), shop.t.messages, shop.clock, store.settings};
    QPointer<frmOpRent> form;
    bool ok = false;
};
