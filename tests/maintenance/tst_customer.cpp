#include "Cases.h"
#include "FormHarness.h"
#include "ReportPreview.h"
#include "StockedShop.h"
#include "customerentry.h"
#include "customerstore.h"
#include "customervalidation.h"
#include "frmCustomer.h"
#include "utility.h"

#include <QPushButton>

using Checks = Cases<QStringList, qint64, QString>;
static const QString DeleteAsk = "Deleted record cannot be restored!\rConfirm delete?";

// The member rules, and the member form that uses them, in a stocked shop: member 000001 has
// an order, 000002 has none.
class TestCustomer : public QObject {
    Q_OBJECT

private:
    struct Shop : FormHarness<frmCustomer> {
        Shop() { QVERIFY(stockedshop::stock(t)); }
    };
    // One shop for the rows that write nothing.
    std::unique_ptr<Shop> m_reader;

private Q_SLOTS:
    // Each row changes boxes of an entry that passes every check; the number may be held only
    // by the member being edited (RAWID 1 is member 000001).
    void checksInOrder_data() {
        const Checks add;
        const auto row = [&add](const char* name, const QStringList& changes, const char* message,
                                qint64 editing = 0) { add(name, changes, editing, message); };
        const char* taken = "Customer ID already exists!";
        row("all pass", {}, "");
        row("identity before join date", {"HKID", "A 1", "JoinDate", BlankDateMask},
            "Identity Number error!");
        row("join before birth", {"JoinDate", "31/02/2004", "BirthDate", "99/99/9999"},
            "Date of Join error!");
        row("blank birth date", {"BirthDate", BlankDateMask}, "");
        row("half a birth date first", {"BirthDate", "05/12/    ", "HKResident", "X"},
            "Date Of Birth error!");
        row("residence before valid", {"HKResident", "X", "Active", "X"}, "Local Residence error!");
        row("valid before sex", {"Active", "", "Sex", "X"}, "Valid Membership error!");
        row("valid with blanks", {"Active", " N "}, "");
        row("sex before number", {"Sex", "", "CustomerID", "ABC"}, "Sex error!");
        row("number with letters", {"CustomerID", "12A"}, "Customer ID must be numeric!");
        row("empty number", {"CustomerID", "  "}, "Customer ID must be numeric!");
        row("new, taken number", {"CustomerID", "000001"}, taken);
        row("update, own number", {"CustomerID", "000001"}, "", 1);
        row("update, another's with blanks", {"CustomerID", " 000002 "}, taken, 1);
    }
    void checksInOrder() {
        const auto [changes, editing, message] = Checks::fetch();
        if (!m_reader)
            m_reader = std::make_unique<Shop>();
        CustomerEntry entry = EntryFromRecord(stockedshop::member("000123"));
        entry.HKID = "A1234567";
        const QHash<QString, QString*> boxes = {
            {"CustomerID", &entry.CustomerID}, {"Active", &entry.Active},
            {"JoinDate", &entry.JoinDate},     {"HKID", &entry.HKID},
            {"HKResident", &entry.HKResident}, {"Sex", &entry.Sex},
            {"BirthDate", &entry.BirthDate}};
        for (qsizetype i = 0; i + 1 < changes.size(); i += 2)
            *boxes.value(changes[i]) = changes[i + 1];
        QCOMPARE(ValidateCustomer(m_reader->t.db(), entry, editing), message);
    }

    // A save writes only what the clerk may change, trimmed, and stamps it. A new member gets
    // the shop's defaults; a number that the member's order or sale refers to stays (another
    // member's does not count), a free one changes. A refused save changes nothing and ends
    // its transaction.
    // Each row is: the member, whose sale there is, the number stored afterwards.
    void saveMember_data() {
        selfNamedRows(
            {"000123||000009", "000001||000001", "000002|000002|000002", "000002|000001|000009"});
    }
    void saveMember() {
        QFETCH(QString, row);
        const QStringList b = row.split('|');
        const QString member = b[0], saleOf = b[1], storedAs = b[2];
        Shop s;
        QVERIFY(saleOf.isEmpty() || s.t.exec("INSERT INTO Sales (RateID, CustomerID, Quantity) "
                                             "VALUES ('S00001', ?, 3)",
                                             {saleOf}));
        CustomerRec rec;
        const CustomerMode mode = LoadCustomer(s.t.db(), s.clock, member, rec);
        QCOMPARE(rec.BuyCount, saleOf == member ? 7 : mode.IsNew ? 0 : 4);
        CustomerEntry entry = EntryFromRecord(rec);
        entry.Address = " 1 NATHAN ROAD ";
        if (mode.IsNew) {
            entry.CustomerID = "000002";
            QCOMPARE(SaveCustomer(s.t.db(), s.clock, mode, entry, rec), Claim::Failed);
            QCOMPARE(rec.CustomerID + rec.Address, "000123");
            QCOMPARE(s.t.messages.boxes.size(), 1);
        }
        entry.CustomerID = "000009";
        s.clock.advanceDays(1);
        QCOMPARE(SaveCustomer(s.t.db(), s.clock, mode, entry, rec), Claim::Written);
        CustomerRec stored;
        stored.CustomerID = storedAs;
        QVERIFY(GetCustomer(s.t.db(), stored) && rec.RAWID > 0 && stored.RAWID == rec.RAWID);
        QCOMPARE(stored.ModDate, s.clock.now());
        QCOMPARE(stored.InDate, mode.IsNew ? s.clock.now() : stockedshop::Entered);
        QCOMPARE(QStringList({stored.Address, DateToDisplay(stored.JoinDate),
                              DateToDisplay(stored.BirthDate), stored.Class + stored.TransRemarks,
                              QString::number(stored.BuyCount)})
                     .join('|'),
                 mode.IsNew ? "1 NATHAN ROAD|10/03/2004|" + BlankDateMask + "||0"
                            : "1 NATHAN ROAD|01/06/2003|06/05/1980|AA|4");
    }

    // The form opens with the number locked once orders exist, Delete only for a stored
    // member and a long address shown from its start. Saved or deleted, it closes; refused or
    // failed, or stored at another counter since it opened, it stays with what was typed. Cancel
    // and Esc close it without a word or a write. A number with letters is not opened. Each row is:
    // member, box, typed, act (with the answer to a question), message, whether the form closes,
    // and the box's column as stored for the member afterwards.
    void formActs_data() {
        const Cases<QString> row;
        row("new, F12",
            "000123|txtBirthDate|01021990|F12|Customer (New) saved successfully|closes|1990-02-01");
        row("update, button",
            "000002|txtEnglishName|wong|cmdSave|Customer (Update) saved successfully|closes|WONG");
        row("number taken", "000002|txtCustomerID|000001|F12|Customer ID already exists!||000002");
        row("database refuses", "000123|txtEnglishName|HO|F12|Customer (New) failed!||");
        row("stored elsewhere meanwhile",
            "000002|txtEnglishName|WONG|F12|Customer (000002) was changed at another counter; "
            "open the member again!||CHAN");
        row("cancel", "000002|txtEnglishName|X|cmdCancel||closes|LEE SIU LUNG");
        row("Esc", "000002|txtEnglishName|X|Esc||closes|LEE SIU LUNG");
        row("delete with orders", "000001|txtEnglishName||cmdDelete|Customer has transaction "
                                  "records, cannot delete!||LEE SIU LUNG");
        row("delete, yes", "000002|txtEnglishName||cmdDelete|" + DeleteAsk + "|closes|");
        row("delete, no", "000002|txtEnglishName||cmdDelete no|" + DeleteAsk + "||LEE SIU LUNG");
        row("letters", "A00012||||Customer ID must be numeric!||");
    }
    void formActs() {
        const QStringList c = std::get<0>(Cases<QString>::fetch()).split('|');
        const QString number = c[0], box = c[1], typed = c[2], act = c[3], message = c[4];
        const bool closes = c[5] == "closes";
        Shop s;
        QVERIFY(s.t.exec("CREATE TRIGGER refuse BEFORE INSERT ON Customers WHEN NEW.EnglishName "
                         "= 'HO' BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        QCOMPARE(s.open(number), !act.isEmpty());
        if (act.isEmpty()) {
            QCOMPARE(s.t.messages.texts(), {message});
            QCOMPARE(s.t.messages.boxes[0].icon, MsgIcon::Exclamation);
            return;
        }
        QCOMPARE(s.box("txtCustomerID")->isEnabled(), number != "000001");
        QCOMPARE(QApplication::focusWidget(),
                 s.box(number == "000001" ? "txtEnglishName" : "txtCustomerID"));
        QCOMPARE(s.find<QPushButton>("cmdDelete")->isEnabled(), number != "000123");
        QCOMPARE(s.box("txtAddress")->cursorPosition(), 0);
        // Another counter stores the member while this form is open.
        QVERIFY(!message.contains("another counter") ||
                s.t.exec("UPDATE Customers SET ModDate = '2030-01-01 00:00:00', EnglishName = "
                         "'CHAN' WHERE CustomerID = ?",
                         {number}));
        if (!typed.isEmpty())
            s.type(box, typed);
        s.t.messages.answers = {act.endsWith(" no") ? AnswerNo : AnswerYes};
        if (act == "F12" || act == "Esc")
            s.press(act == "F12" ? Qt::Key_F12 : Qt::Key_Escape);
        else
            s.find<QPushButton>(act.section(' ', 0, 0))->click();
        QCOMPARE(s.t.messages.texts().value(s.t.messages.boxes.size() - 1), message);
        QCOMPARE(s.closed(), closes);
        if (!closes)
            QCOMPARE(s.box(box)->text(), typed.isEmpty() ? "LEE SIU LUNG" : typed);
        QCOMPARE(
            s.t.scalar("SELECT " + box.mid(3) + " FROM Customers WHERE CustomerID = ?", {number})
                .toString(),
            c[6]);
    }

    // Card previews the member as the boxes show him, under the shop's name.
    void cardShowsTheBoxes() {
        Shop s;
        s.ctx.ShopName = "FLICKA VIDEO";
        QVERIFY(s.open("000002"));
        s.type("txtEnglishName", "wong");
        s.find<QPushButton>("cmdCard")->click();
        auto* preview = s.form->findChild<ReportPreview*>();
        QVERIFY(preview && preview->isVisible());
        const QList<PageText> texts = preview->content().layout({}).pages.first().texts;
        QCOMPARE(texts[0].text + texts[1].text + texts.last().text, "FLICKA VIDEOWONG000002");
    }
};

QTEST_MAIN(TestCustomer)
#include "tst_customer.moc"
