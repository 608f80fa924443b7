#pragma once

#include "MessageService.h"

#include <QList>
#include <QString>

// Records every box instead of showing it and answers from a queue (OK when it runs dry).
class ScriptedMessages : public MessageService {
public:
    struct Box {
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
        QString title;
    };

    int show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title) override {
        boxes.append({text, icon, buttons, title});
        return answers.isEmpty() ? AnswerOk : answers.takeFirst();
    }

    QStringList texts() const {
        QStringList all;
        for (const Box& box : boxes)
            all << box.text;
        return all;
    }
    void clear() { boxes.clear(); }

    QList<Box> boxes;
    QList<int> answers;
};
