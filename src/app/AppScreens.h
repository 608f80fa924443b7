#pragma once

#include "Screens.h"
#include "frmMain.h"

#include <QMetaObject>
#include <QPointer>

struct AppContext;
class frmCategory;
class frmRptMain;

// The screens the main window opens, as the running program has them. A keyed screen is
// shown in the main window's place: the main window hides while it is up and comes back,
// told so, when the screen is gone.
class AppScreens : public Screens {
public:
    explicit AppScreens(AppContext& ctx);
    ~AppScreens() override;
    AppScreens(const AppScreens&) = delete;
    AppScreens& operator=(const AppScreens&) = delete;

    // The main window is made after the opener it is given, so it is attached afterwards.
    void attach(frmMain& main);

    bool OpenTransaction(const QString& key) override;
    bool OpenCustomer(const QString& key) override;
    bool OpenProduct(const QString& key) override;
    bool OpenAdjustment(const QString& key) override;
    void OpenReport(int kind) override;
    void OpenCategory() override;

protected:
    // Makes a keyed screen and hands it the key. A refused key discards the screen at once and
    // leaves the main window up; otherwise the screen shows and the main window hides until
    // the screen has gone (it deletes itself on closing).
    template <typename Form> bool openKeyed(const QString& key);

private:
    AppContext& m_ctx;
    frmMain* m_main = nullptr;
    QPointer<frmCategory> m_category;
    QPointer<frmRptMain> m_report;
};

template <typename Form> bool AppScreens::openKeyed(const QString& key) {
    Q_ASSERT(m_main);
    frmMain* main = m_main;
    auto* form = new Form(m_ctx);
    if (!form->Start(key)) {
        delete form;
        main->show();
        return false;
    }
    QObject::connect(form, &QObject::destroyed, main, [main] {
        main->show();
        main->activateWindow();
        // Later, not inside the screen's destruction: what follows may open another screen
        // or bring up the selection list modally.
        QMetaObject::invokeMethod(main, &frmMain::screenClosed, Qt::QueuedConnection);
    });
    form->show();
    main->hide();
    return true;
}
