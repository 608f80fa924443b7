#include "KeyPreview.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget& form, Handler handler)
    : QObject(&form), m_form(form), m_handler(std::move(handler)) {
    // Watching the application sees keys for controls the form creates later, too.
    QCoreApplication::instance()->installEventFilter(this);
}

// A key the control does not take travels on to its parents; only its first stop counts,
// so the handler runs once per key.
bool KeyPreview::isFirstReceiver(QObject* watched) const {
    if (!watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &m_form)
        return false;
    const QWidget* focus = m_form.focusWidget();
    return widget == (focus ? focus : &m_form);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !isFirstReceiver(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString upper = key->text().toUpper();
    if (upper != key->text()) {
        // The control gets the same key with upper-case text instead of the original.
        QKeyEvent raised(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                         key->nativeVirtualKey(), key->nativeModifiers(), upper,
                         key->isAutoRepeat(), key->count(), key->device());
        QCoreApplication::sendEvent(watched, &raised);
        return true;
    }
    return m_handler && m_handler(*key);
}
