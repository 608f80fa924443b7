#pragma once

#include "MessageService.h"

#include <QString>

#include <cstdio>

// vormel-db has no windows: every box becomes lines on stderr. Nothing here asks a question,
// so every box counts as answered with OK.
class ConsoleMessages : public MessageService {
public:
    int show(const QString& text, MsgIcon, MsgButtons, const QString& title) override {
        QString line = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
        line.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        return AnswerOk;
    }
};
