#pragma once

#include "MessageService.h"

#include <QList>
#include <QString>

// A message the screen shows as a box, with its icon.
struct Notice {
    QString text;
    MsgIcon icon = MsgIcon::None;
};

// What a step of the visit came to: whether it went through, and the boxes to show for it,
// in order. A refused command carries exactly one notice and has changed nothing.
struct Outcome {
    bool ok = true;
    QList<Notice> notices;

    static Outcome done() { return {}; }
    static Outcome refused(const QString& text, MsgIcon icon = MsgIcon::Exclamation) {
        return {false, {{text, icon}}};
    }
    void note(const QString& text, MsgIcon icon = MsgIcon::None) { notices.append({text, icon}); }
};
