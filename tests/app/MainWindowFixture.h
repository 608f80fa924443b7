#pragma once

#include "FakeScreens.h"
#include "FormHarness.h"
#include "frmMain.h"
#include "frmSelectRecord.h"
#include "shopinfo.h"
#include "startup.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

// What the selection list showed when it came up: column 1 of each row, the current row, and
// whether the main window was out of sight meanwhile.
struct ListShown {
    QStringList keys;
    int currentRow = -1;
    bool windowHidden = false;
};

// A started program on a test database: codes loaded, main window shown and active, its
// screens answered by a FakeScreens and its selection list by a script of keys.
struct MainWindowFixture : TestContext {
    explicit MainWindowFixture(const QString& shopName = QStringLiteral("KOWLOON VIDEO")) {
        QVERIFY(t.ok());
        QVERIFY(t.exec("INSERT INTO Category (CategoryID, Description) "
                       "VALUES ('D', 'DVD')"));
        QVERIFY(SetShopName(t.db(), shopName));
        QVERIFY(InitCodes(ctx));
        window = std::make_unique<frmMain>(ctx, screens);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The list is modal: it is answered from inside its own event loop.
        QObject::connect(&listWatch, &QTimer::timeout, [this] { answerList(); });
        listWatch.start(1);
    }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }

    // Delivered the way the window system delivers keys: to the window's focused control.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // Types into a search box and presses Enter there.
    void enter(const QString& name, const QString& text) const {
        QLineEdit* target = box(name);
        window->setCurrentTab(name.right(1).toInt());
        target->setFocus();
        target->clear();
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Return);
    }

    void addMember(const QString& id, bool active, const QString& hkid, const QString& localName,
                   const QString& englishName) {
        QVERIFY(t.exec("INSERT INTO Customers (CustomerID, Active, HKID, "
                       "ChineseName, EnglishName, Sex, Remarks1) "
                       "VALUES (?, ?, ?, ?, ?, 'M', 'NOTE')",
                       {id, active ? QStringLiteral("Y") : QStringLiteral("N"), hkid, localName,
                        englishName}));
    }
    void addCopy(const QString& itemID, const QString& productID, const QString& title) {
        QVERIFY(t.exec("INSERT OR IGNORE INTO Products (ProductID, ProductName, "
                       "CategoryID) VALUES (?, ?, 'V')",
                       {productID, title}));
        QVERIFY(t.exec("INSERT INTO Items (ItemID, ProductID, Status) "
                       "VALUES (?, ?, '0')",
                       {itemID, productID}));
    }
    void addAdjustment(const QString& id, const QString& description) {
        QVERIFY(t.exec("INSERT INTO AcctAdjust (AdjustID, Description, AdjustAmt, "
                       "AdjustDate) VALUES (?, ?, 1250000, '2004-03-10')",
                       {id, description}));
    }

    // Keys for each showing of the selection list, in turn. A showing the script has no keys
    // for is noted and cancelled, so a test never hangs on the list.
    QList<QList<Qt::Key>> listKeys;
    QList<ListShown> lists;

    FakeScreens screens;
    std::unique_ptr<frmMain> window;

private:
    void answerList() {
        auto* dialog = qobject_cast<frmSelectRecord*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* grid = dialog->findChild<QTableWidget*>("msgSelectRecord");
        ListShown shown;
        for (int row = 0; row < grid->rowCount(); ++row)
            shown.keys << grid->item(row, 1)->text();
        shown.currentRow = grid->currentRow();
        shown.windowHidden = !window->isVisible();
        lists << shown;
        const QList<Qt::Key> keys = listKeys.isEmpty() ? QList<Qt::Key>{} : listKeys.takeFirst();
        for (Qt::Key key : keys)
            QTest::keyClick(dialog->windowHandle(), key);
        if (dialog->isVisible())
            dialog->reject();
    }

    QTimer listWatch;
};
