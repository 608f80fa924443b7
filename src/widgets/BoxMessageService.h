#pragma once

#include "MessageService.h"

// Shows each message as a modal QMessageBox over the active window.
class BoxMessageService : public MessageService {
public:
    int show(const QString& text, MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
             const QString& title = {}) override;
};
