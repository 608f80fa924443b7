#include "AppScreens.h"

#include "frmAcctAdjust.h"
#include "frmCategory.h"
#include "frmCustomer.h"
#include "frmOpRent.h"
#include "frmProduct.h"

AppScreens::AppScreens(AppContext& ctx) : m_ctx(ctx) {}

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

void AppScreens::OpenReport(int) {}

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
