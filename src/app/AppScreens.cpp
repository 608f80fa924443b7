#include "AppScreens.h"

#include "frmAcctAdjust.h"
#include "frmCategory.h"
#include "frmCustomer.h"
#include "frmOpRent.h"
#include "frmProduct.h"
#include "frmRptMain.h"

AppScreens::AppScreens(AppContext& ctx) : m_ctx(ctx) {}

// The windows beside the main one may outlive it; they go before the context they use.
AppScreens::~AppScreens() {
    delete m_report;
    delete m_category;
}

void AppScreens::attach(frmMain& main) {
    m_main = &main;
}

bool AppScreens::OpenTransaction(const QString& key) {
    return openKeyed<frmOpRent>(key);
}

bool AppScreens::OpenCustomer(const QString& key) {
    return openKeyed<frmCustomer>(key);
}

bool AppScreens::OpenProduct(const QString& key) {
    return openKeyed<frmProduct>(key);
}

bool AppScreens::OpenAdjustment(const QString& key) {
    return openKeyed<frmAcctAdjust>(key);
}

// One report inquiry at a time, beside the main window, turned to the asked-for tab.
void AppScreens::OpenReport(int kind) {
    if (!m_report)
        m_report = new frmRptMain(m_ctx);
    m_report->Start(kind);
}

// One rate table at a time, beside the main window; the main window's category box follows
// every change it makes.
void AppScreens::OpenCategory() {
    if (!m_category) {
        m_category = new frmCategory(m_ctx);
        QObject::connect(m_category, &frmCategory::categoriesChanged, m_main,
                         &frmMain::reloadCategories);
    }
    m_category->show();
    m_category->raise();
    m_category->activateWindow();
}
