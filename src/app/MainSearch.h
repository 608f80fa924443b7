#pragma once

#include "customers.h"
#include "selectlayouts.h"

#include <QString>

#include <memory>

struct AppContext;
class Screens;
class QWidget;
class frmSelectRecord;

// The main window's search pages, in tab order.
enum MainPage : int { TransactionPage, CustomerPage, ProductPage, AdjustmentPage, MainPageCount };

// The main window's searches: find what a box names, let the clerk pick one of several hits,
// open it on its screen, and say so when nothing opened. Each search returns whether a screen
// opened; the window selects the box's text when none did.
class MainSearch {
public:
    // `window` is hidden while the selection list is up.
    MainSearch(AppContext& ctx, Screens& screens, QWidget& window);
    ~MainSearch();

    // An identifier box, its text already normalised. On the visit page a number nobody has
    // yet starts a new member, whose visit follows when the member's form closes.
    bool searchByID(int page, const QString& id);
    // The identity number and the two name boxes of the visit and customer pages. The visit
    // page looks at active members first and only then at all.
    bool searchMembers(int page, CustFindBy kind, const QString& text);
    // The "local name" box: a member's name on the first two pages, a title on the product
    // page, an adjustment's description on the adjustment page.
    bool searchLocalName(int page, const QString& text);

    // After a screen the window opened has closed: the new member's visit, if one is due,
    // then the pending selection list.
    void resume(const QString& memberNumber);

private:
    bool searchTitle(const QString& text);
    bool searchAdjustments(const QString& text);
    bool openVisit(const QString& id);
    bool startNewMember(const QString& number);
    bool findMembers(CustFindBy kind, bool activeFirst, const QString& text);
    bool openOneOf(int page, qsizetype hits, const QString& label, const QString& text);
    bool pickFromList();
    bool openHit(int page, int index);
    bool notFound(const QString& label, const QString& text);

    // The search that filled the pending list: what opens a pick, and what a failure says.
    struct ListSearch {
        int page = TransactionPage;
        QString label;
        QString text;
    };

    AppContext& m_ctx;
    Screens& m_screens;
    QWidget& m_window;
    std::unique_ptr<frmSelectRecord> m_select;
    ListSearch m_list;
};
