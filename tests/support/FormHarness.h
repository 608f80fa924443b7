#pragma once

#include "AppContext.h"
#include "TestClock.h"
#include "TestDb.h"
#include "TestSettings.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

// A test database with the program's context over it.
struct TestContext {
    TestDb t;
    TestClock clock;
    TestSettings store;
    AppContext ctx{t.db(), t.messages, clock, store.settings};
};

// A keyed screen over a test world (at least a TestContext), opened the way the main window
// opens it: Start, then show.
template <typename Form, typename World = TestContext> struct FormHarness : World {
    ~FormHarness() { delete form.data(); }

    bool open(const QString& key) {
        delete form.data();
        form = new Form(this->ctx);
        if (!form->Start(key))
            return false;
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form);
    }
    template <typename T = QLineEdit> T* find(const QString& name) const {
        return form->template findChild<T*>(name);
    }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    // Delivered the way the window system delivers keys: to the window's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }
    // Replaces a box's text the way the clerk does: select all, type over it.
    void type(const QString& name, const QString& text) const {
        QLineEdit* target = box(name);
        target->setFocus();
        target->selectAll();
        QTest::keyClicks(target, text);
    }
    // The form deletes itself once closed; lets the deferred delete run.
    bool closed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull();
    }
    qint64 count(const QString& sql) { return this->t.scalar(sql).toLongLong(); }

    QPointer<Form> form;
};
