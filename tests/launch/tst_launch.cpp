#include "Cases.h"
#include "Connection.h"
#include "FirstRunDialog.h"
#include "ScriptedMessages.h"
#include "TestSettings.h"
#include "newshop.h"
#include "shopsetup.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using Kind = ShopRequest::Kind;

namespace {

bool makeShop(const QString& folder) {
    ScriptedMessages messages;
    QString error;
    const QString file = QDir(folder).filePath(Connection::LiveFile);
    return createShop(file, newShopSpec(false, {}), messages, error);
}

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A folder counts while it holds its file; one that lost it asks again and says why.
    void readsSavedShop_data() {
        const Cases<QString, bool, bool, bool> row;
        row("nothing set", "", false, false, false);
        row("folder with its shop", "sqlite", true, true, false);
        row("folder that lost its shop", "sqlite", false, false, true);
        row("server", "postgresql", false, true, false);
    }
    void readsSavedShop() {
        const auto [engine, withFile, placed, reasoned] = Cases<QString, bool, bool, bool>::fetch();
        TestSettings store;
        QTemporaryDir shop;
        QVERIFY(!withFile || makeShop(shop.path()));
        if (!engine.isEmpty())
            store.settings.setValue("Database/Engine", engine);
        store.settings.setValue(engine == "sqlite" ? "Database/Folder" : "Database/Name",
                                shop.path());
        const SavedShop saved = readSavedShop(store.settings);
        QCOMPARE(saved.place.has_value(), placed);
        QCOMPARE(saved.reason.contains(shop.filePath(Connection::LiveFile)), reasoned);
    }

    // A usable choice is stored; any other leaves the settings and the folder as they were.
    void setsUpShop_data() {
        const Cases<int, QString, bool, QString> row;
        row("empty shop", int(Kind::NewShop), "", false, "");
        row("demo shop", int(Kind::DemoShop), "", false, "");
        row("shop already there", int(Kind::NewShop), "", true, "already exists");
        // Root writes through any mode bits; /proc takes no files from anyone.
        row("read-only folder", int(Kind::NewShop), "/proc", false, "cannot write in /proc");
        row("missing folder", int(Kind::DemoShop), "/nowhere", false, "does not exist");
        row("folder with a shop", int(Kind::ExistingFolder), "", true, "");
        row("folder without one", int(Kind::ExistingFolder), "", false, "holds no Flicka.mdb");
        row("server unreachable", int(Kind::Server), "", false, "/nosocket");
    }
    void setsUpShop() {
        const auto [kind, folder, withShop, refusal] = Cases<int, QString, bool, QString>::fetch();
        TestSettings store;
        QTemporaryDir dir;
        QVERIFY(!withShop || makeShop(dir.path()));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        ShopRequest request{Kind(kind), folder.isEmpty() ? dir.path() : folder, "Reel Shop",
                            "postgresql://clerk@/shop?host=" + dir.filePath("nosocket")};
        QString error;
        const bool done = setUpShop(request, store.settings, error).has_value();
        QVERIFY2(error.contains(refusal), qPrintable(error));
        QCOMPARE(done, refusal.isEmpty());
        QCOMPARE(store.settings.value("Database/Folder").toString(), done ? dir.path() : "");
        if (!done)
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QVERIFY(!done || readSavedShop(store.settings).place);
    }

    // The dialog shows why it is back, keeps asking after a box while the choice is unusable,
    // and hands over the shop once one is set up.
    void dialogAsksUntilUsable() {
        TestSettings store;
        ScriptedMessages messages;
        QTemporaryDir dir;
        FirstRunDialog dialog(store.settings, messages, "gone");
        dialog.show();
        QCOMPARE(dialog.findChild<QLabel*>("reason")->text(), QString("gone"));
        dialog.findChild<QRadioButton*>("existingShop")->click();
        QVERIFY(!dialog.findChild<QLineEdit*>("shopName")->isEnabled());
        dialog.findChild<QLineEdit*>("folder")->setText(dir.path());
        dialog.findChild<QPushButton*>("start")->click();
        QCOMPARE(messages.boxes.size(), 1);
        QVERIFY(messages.texts().first().contains("holds no Flicka.mdb"));
        QVERIFY(dialog.isVisible());
        dialog.findChild<QRadioButton*>("newShop")->click();
        dialog.findChild<QPushButton*>("start")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.place().folder, dir.path());
        QCOMPARE(messages.boxes.size(), 1);
    }
};

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
