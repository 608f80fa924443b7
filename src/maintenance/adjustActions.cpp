#include "adjustActions.h"

#include "MessageService.h"
#include "serials.h"
#include "utility.h"

namespace {

const QString FormName = QStringLiteral("Accounting Adjustment");

bool allDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<AdjustDraft> newAdjustment(Connection& db, const Clock& clock,
                                         const QString& employeeID) {
    AdjustDraft draft;
    // Taken when the form opens and not given back if the clerk cancels.
    draft.rec.AdjustID = GetSerialNo(db, QStringLiteral("AdjustID"));
    if (draft.rec.AdjustID.isEmpty())
        return std::nullopt;
    draft.rec.InDate = NowStamp(clock);
    draft.rec.ModDate = draft.rec.InDate;
    draft.rec.AdjustDate = TodayStamp(clock);
    draft.rec.CreateDate = draft.rec.AdjustDate;
    draft.rec.EmployeeID = employeeID;
    return draft;
}

std::optional<AdjustDraft> storedAdjustment(Connection& db, MessageService& messages,
                                            const QString& key) {
    if (!allDigits(key)) {
        messages.show(QStringLiteral("Adjustment ID must be numeric!"), MsgIcon::Exclamation);
        return std::nullopt;
    }
    QList<AcctAdjustRec> hits;
    if (!FindAcctAdjust(db, ByAdjustID, key, hits)) {
        messages.show(QStringLiteral("Cannot find record with Adjustment ID: ") + key,
                      MsgIcon::Exclamation);
        return std::nullopt;
    }
    return AdjustDraft{hits.first(), false};
}

} // namespace

std::optional<AdjustDraft> LoadAdjustment(Connection& db, MessageService& messages,
                                          const Clock& clock, const QString& employeeID,
                                          const QString& key) {
    const QString id = key.trimmed();
    if (id.isEmpty())
        return newAdjustment(db, clock, employeeID);
    return storedAdjustment(db, messages, id);
}

bool SaveAdjustment(Connection& db, MessageService& messages, const Clock& clock,
                    AdjustDraft& draft) {
    // One statement either way, so no transaction is needed.
    const bool saved =
        draft.isNew ? InsertAcctAdjust(db, draft.rec) : UpdateAcctAdjust(db, draft.rec, clock);
    const QString mode = draft.isNew ? QStringLiteral(" (New) ") : QStringLiteral(" (Update) ");
    if (saved)
        messages.show(FormName + mode + QStringLiteral("saved successfully"), MsgIcon::Information);
    else
        messages.show(FormName + mode + QStringLiteral("failed!"), MsgIcon::Exclamation);
    return saved;
}

bool ConfirmDeleteAdjustment(Connection& db, MessageService& messages, const AcctAdjustRec& rec) {
    const int answer =
        messages.show(QStringLiteral("Deleted record cannot be restored!\rConfirm delete?"),
                      MsgIcon::Question, MsgButtons::YesNoCancel);
    return answer == AnswerYes && DeleteAcctAdjust(db, rec);
}
