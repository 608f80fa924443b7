#include "AppScreens.h"
#include "FormHarness.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

// How a keyed screen takes the main window's place: shown after it accepted its key, the
// main window hidden meanwhile and told when the screen has gone; a refused key leaves no
// screen behind.
class TestAppScreens : public QObject {
    Q_OBJECT

private:
    // Stands in for a keyed screen: refuses the key "REFUSED".
    class KeyedForm : public QWidget {
    public:
        explicit KeyedForm(AppContext&, QWidget* parent = nullptr) : QWidget(parent) {
            setObjectName("KeyedForm");
            setAttribute(Qt::WA_DeleteOnClose);
            ++alive;
        }
        ~KeyedForm() override { --alive; }
        bool Start(const QString& key) { return key != QLatin1String("REFUSED"); }

        static inline int alive = 0;
    };

    // The real opener with one keyed screen in it; the visit it notes instead of opening.
    class Opener : public AppScreens {
    public:
        using AppScreens::AppScreens;
        bool OpenProduct(const QString& key) override { return openKeyed<KeyedForm>(key); }
        bool OpenTransaction(const QString& key) override {
            visits << key;
            return true;
        }
        QStringList visits;
    };

    // The program's main window over the real opener.
    struct Program : TestContext {
        Program() {
            QVERIFY(t.ok());
            window = std::make_unique<frmMain>(ctx, opener);
            opener.attach(*window);
            window->show();
        }
        QWidget* form() const {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("KeyedForm"))
                    return w;
            return nullptr;
        }

        Opener opener{ctx};
        std::unique_ptr<frmMain> window;
    };

private Q_SLOTS:
    void screenTakesTheMainWindowsPlace() {
        Program p;
        p.window->findChild<QLineEdit*>("txtSearchID_0")->setText("000123");
        QVERIFY(p.opener.OpenProduct("000010"));
        QWidget* form = p.form();
        QVERIFY(form && form->isVisible());
        QVERIFY(!p.window->isVisible());

        // A new member's visit is due when the screen goes.
        p.ctx.ReopenTransaction = true;
        form->close();
        QTRY_COMPARE(KeyedForm::alive, 0);
        QVERIFY(p.window->isVisible());
        QTRY_COMPARE(p.opener.visits, QStringList{"000123"});
        QVERIFY(!p.ctx.ReopenTransaction);
    }

    void refusedKeyLeavesNoScreen() {
        Program p;
        QVERIFY(!p.opener.OpenProduct("REFUSED"));
        QCOMPARE(KeyedForm::alive, 0);
        QVERIFY(p.window->isVisible());
        QCoreApplication::processEvents();
        QVERIFY(p.opener.visits.isEmpty());
    }
};

QTEST_MAIN(TestAppScreens)
#include "tst_appscreens.moc"
