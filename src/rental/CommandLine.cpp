#include "CommandLine.h"

#include "Clock.h"
#include "Visit.h"

CommandLine::CommandLine(const Clock& clock, const OpCodeRec& codes)
    : m_clock(clock), m_codes(codes) {}

void CommandLine::itemKeyDown(qsizetype length) {
    if (length == 1)
        m_firstKeyMs = m_clock.elapsedMs();
}

bool CommandLine::scanned(const QString& itemID) const {
    return itemID.size() == ScanLength && m_firstKeyMs &&
           m_clock.elapsedMs() - *m_firstKeyMs <= ScanWindowMs;
}

ItemEnter CommandLine::itemEnter(const QString& itemID) const {
    return scanned(itemID) || itemID == Visit::SettleAllID ? ItemEnter::Run : ItemEnter::MoveToCode;
}

QString CommandLine::presetCode(const QString& itemID, bool newOrder,
                                const QString& current) const {
    if (itemID.startsWith(QLatin1Char('S')))
        return m_codes.SalesItem;
    return newOrder ? m_codes.AddItem : current;
}

CodeEnter CommandLine::codeEnter(const QString& code) const {
    if (code == m_codes.SalesItem)
        return CodeEnter::MoveToQuantity;
    if (code == m_codes.AddItem || code == m_codes.FreeItem)
        return CodeEnter::RunOneUnit;
    return CodeEnter::Run;
}
