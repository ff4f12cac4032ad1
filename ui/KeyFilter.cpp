// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/KeyFilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class KeyFilterObject : public QObject
{
public:
    KeyFilterObject(QWidget* control, KeyPressHandler handler)
        : QObject(control)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            return filterKeyPress(watched, static_cast<QKeyEvent*>(event), m_handler);
        if (event->type() == QEvent::InputMethod) {
            // The control still takes the event, so that a composition in
            // progress ends; only the dropped characters are gone.
            filterInputMethod(watched, static_cast<QInputMethodEvent*>(event), m_handler);
            return false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    KeyPressHandler m_handler;
};

bool passesUnfiltered(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

} // namespace

bool filterKeyPress(QObject* sender, QKeyEvent* event, const KeyPressHandler& handler)
{
    if (!handler || passesUnfiltered(event->key()))
        return false;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    for (QChar ch : text) {
        QChar key = ch;
        handler(sender, key);
        if (key.isNull())
            return true;
    }
    return false;
}

bool filterInputMethod(QObject* sender, QInputMethodEvent* event, const KeyPressHandler& handler)
{
    if (!handler)
        return false;
    QString kept;
    for (QChar ch : event->commitString()) {
        QChar key = ch;
        handler(sender, key);
        if (!key.isNull())
            kept += key;
    }
    if (kept != event->commitString())
        event->setCommitString(kept, event->replacementStart(), event->replacementLength());
    return kept.isEmpty() && event->preeditString().isEmpty() && event->replacementLength() == 0;
}

void installKeyFilter(QWidget* control, KeyPressHandler handler)
{
    control->installEventFilter(new KeyFilterObject(control, std::move(handler)));
}
