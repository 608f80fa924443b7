#pragma once

#include "AppContext.h"
#include "ShopFixture.h"
#include "TestSettings.h"
#include "frmOpRent.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
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

    // Opens the screen as the main window does: shown only when Start took the key.
    bool open(const QString& key) {
        form = new frmOpRent(ctx);
        if (!form->Start(key)) {
            delete form;
            return false;
        }
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form);
    }
    template <typename T = QLineEdit> T* find(const QString& name) const {
        return form->findChild<T*>(name);
    }
    QString text(const QString& name) const { return find(name)->text(); }
    QTableWidget* rentGrid() const { return find<QTableWidget>("msgRentItems"); }
    QString focused() const { return QApplication::focusWidget()->objectName(); }

    // Keys as the window system delivers them: to the screen's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }
    // Typed keys, each `gapMs` after the one before.
    void type(const QString& keys, int gapMs = 0) {
        for (QChar c : keys) {
            QTest::keyClick(form->windowHandle(), c.toLatin1());
            shop.clock.advanceMs(gapMs);
        }
    }
    // A typed command: the item, Enter, the code over the offered one, Enter.
    void command(const QString& item, const QString& code) {
        type(item, 2000);
        press(Qt::Key_Return);
        type(code);
        press(Qt::Key_Return);
    }

    ShopFixture shop;
    TestSettings store;
    AppContext ctx{shop.db(), shop.t.messages, shop.clock, store.settings};
    QPointer<frmOpRent> form;
    bool ok = false;
};
