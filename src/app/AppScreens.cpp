#include "AppScreens.h"

AppScreens::AppScreens(AppContext& ctx) : m_ctx(ctx) {}

void AppScreens::attach(frmMain& main) {
    m_main = &main;
}

// The visit, member, product and adjustment screens and the report inquiry and rate table
// are not part of this build yet: their keys are refused and nothing opens.
bool AppScreens::OpenTransaction(const QString&) {
    return false;
}

bool AppScreens::OpenCustomer(const QString&) {
    return false;
}

bool AppScreens::OpenProduct(const QString&) {
    return false;
}

bool AppScreens::OpenAdjustment(const QString&) {
    return false;
}

void AppScreens::OpenReport(int) {}

void AppScreens::OpenCategory() {}
