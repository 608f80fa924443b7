#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Lets a form see every key before its controls do. Typed letters reach the control in upper
// case; every other key press goes to the form's handler first, which returns true to
// swallow it (F-keys, Esc, Enter).
class KeyPreview : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<bool(QKeyEvent&)>;

    // Watches the keys of `form` for as long as the form lives.
    explicit KeyPreview(QWidget& form, Handler handler = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isFirstReceiver(QObject* watched) const;

    QWidget& m_form;
    Handler m_handler;
};
