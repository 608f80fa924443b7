#include "MainSearch.h"

#include "AppContext.h"
#include "Screens.h"
#include "frmSelectRecord.h"

#include <algorithm>

namespace {

bool isMemberNumber(const QString& id) {
    return !id.isEmpty() &&
           std::all_of(id.begin(), id.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString memberLabel(CustFindBy kind) {
    switch (kind) {
    case CustFindBy::HKID:
        return QStringLiteral("Identity Number");
    case CustFindBy::ChineseName:
        return QStringLiteral("Local Name");
    case CustFindBy::EnglishName:
        return QStringLiteral("English Name");
    case CustFindBy::CustomerID:
        break;
    }
    return QStringLiteral("Transaction ID");
}

SelectLayout layoutOf(int page) {
    switch (page) {
    case ProductPage:
        return SelectLayout::Items;
    case AdjustmentPage:
        return SelectLayout::Adjustments;
    default:
        return SelectLayout::Customers;
    }
}

} // namespace

// The list is a window of its own rather than the main window's child, so its controls (its
// own sbMain among them) stay apart from the main window's.
MainSearch::MainSearch(AppContext& ctx, Screens& screens, QWidget& window)
    : m_ctx(ctx), m_screens(screens), m_window(window),
      m_select(std::make_unique<frmSelectRecord>(ctx)) {}

MainSearch::~MainSearch() = default;

bool MainSearch::searchByID(int page, const QString& id) {
    bool opened = false;
    if (!id.isEmpty()) {
        switch (page) {
        case TransactionPage:
            opened = openVisit(id);
            break;
        case CustomerPage:
            opened = m_screens.OpenCustomer(id);
            break;
        case ProductPage:
            opened = m_screens.OpenProduct(id);
            break;
        case AdjustmentPage:
            opened = m_screens.OpenAdjustment(id);
            break;
        }
    }
    // The other screens say themselves why they refused a key.
    if (!opened && page == TransactionPage)
        notFound(memberLabel(CustFindBy::CustomerID), id);
    return opened;
}

// A member number opens the visit of a member on file, active or not (the visit screen decides
// about inactive ones); any other identifier is a copy brought back and opens a visit too.
bool MainSearch::openVisit(const QString& id) {
    if (isMemberNumber(id) && !findMembers(CustFindBy::CustomerID, true, id))
        return startNewMember(id);
    return m_screens.OpenTransaction(id);
}

bool MainSearch::startNewMember(const QString& number) {
    m_ctx.ReopenTransaction = true;
    if (m_screens.OpenCustomer(number))
        return true;
    m_ctx.ReopenTransaction = false;
    return false;
}

bool MainSearch::findMembers(CustFindBy kind, bool activeFirst, const QString& text) {
    return (activeFirst && FindCustomerID(m_ctx.db, kind, true, text, m_ctx.CustomerMatches)) ||
           FindCustomerID(m_ctx.db, kind, false, text, m_ctx.CustomerMatches);
}

bool MainSearch::searchMembers(int page, CustFindBy kind, const QString& text) {
    const QString label = memberLabel(kind);
    if (text.isEmpty() || !findMembers(kind, page == TransactionPage, text))
        return notFound(label, text);
    return openOneOf(page, m_ctx.CustomerMatches.size(), label, text);
}

bool MainSearch::searchLocalName(int page, const QString& text) {
    switch (page) {
    case ProductPage:
        return searchTitle(text);
    case AdjustmentPage:
        return searchAdjustments(text);
    default:
        return searchMembers(page, CustFindBy::ChineseName, text);
    }
}

// An empty title box is no search at all.
bool MainSearch::searchTitle(const QString& text) {
    const QString label = QStringLiteral("Product Name");
    if (text.isEmpty())
        return false;
    if (!FindItemsByTitle(m_ctx.db, text, m_ctx.ItemMatches))
        return notFound(label, text);
    return openOneOf(ProductPage, m_ctx.ItemMatches.size(), label, text);
}

bool MainSearch::searchAdjustments(const QString& text) {
    const QString label = QStringLiteral("Local Name");
    if (text.isEmpty() || !FindAcctAdjust(m_ctx.db, ByDescription, text, m_ctx.AdjustMatches))
        return notFound(label, text);
    return openOneOf(AdjustmentPage, m_ctx.AdjustMatches.size(), label, text);
}

// One hit opens at once; several go through the selection list.
bool MainSearch::openOneOf(int page, qsizetype hits, const QString& label, const QString& text) {
    if (hits > 1) {
        m_list = {page, label, text};
        return pickFromList();
    }
    return openHit(page, 0) || notFound(label, text);
}

// Shows the pending list until the clerk cancels it or a chosen record opens. A record that
// does not open is reported and the list comes straight back, so the clerk is never left
// with a list pending behind a window that takes new searches.
bool MainSearch::pickFromList() {
    for (;;) {
        m_select->Start(m_window, layoutOf(m_list.page));
        const int index = m_select->SelectedIndex();
        if (index < 0)
            return false;
        if (openHit(m_list.page, index))
            return true;
        notFound(m_list.label, m_list.text);
    }
}

bool MainSearch::openHit(int page, int index) {
    switch (page) {
    case TransactionPage:
    case CustomerPage: {
        if (index >= m_ctx.CustomerMatches.size())
            return false;
        const QString& id = m_ctx.CustomerMatches[index].CustomerID;
        return page == TransactionPage ? m_screens.OpenTransaction(id) : m_screens.OpenCustomer(id);
    }
    case ProductPage:
        return index < m_ctx.ItemMatches.size() &&
               m_screens.OpenProduct(m_ctx.ItemMatches[index].ItemID);
    case AdjustmentPage:
        return index < m_ctx.AdjustMatches.size() &&
               m_screens.OpenAdjustment(m_ctx.AdjustMatches[index].AdjustID);
    }
    return false;
}

bool MainSearch::notFound(const QString& label, const QString& text) {
    m_ctx.messages.show(label + QStringLiteral(" (") + text + QStringLiteral(") not found!"),
                        MsgIcon::Exclamation);
    return false;
}

void MainSearch::resume(const QString& memberNumber) {
    if (m_ctx.ReopenTransaction) {
        m_ctx.ReopenTransaction = false;
        if (m_screens.OpenTransaction(memberNumber))
            return;
    }
    if (m_select->ListPending())
        pickFromList();
}
