#pragma once

#include <QString>

enum class MsgIcon { None, Exclamation, Information, Question, Critical };
enum class MsgButtons { Ok, YesNo, YesNoCancel };

// The button a box was closed with, numbered as the forms have always compared them.
enum MsgAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// Every message box goes through this, so tests can record boxes and script the answers.
class MessageService {
public:
    virtual ~MessageService() = default;
    // An empty title means the program's name. A "\r" in the text starts a new line.
    virtual int show(const QString& text, MsgIcon icon = MsgIcon::None,
                     MsgButtons buttons = MsgButtons::Ok, const QString& title = {}) = 0;
};
