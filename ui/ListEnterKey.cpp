// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/ListEnterKey.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class ListEnterKey : public QObject
{
public:
    explicit ListEnterKey(QComboBox* box)
        : QObject(box)
        , m_box(box)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || listOpen())
            return QObject::eventFilter(watched, event);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(m_box->window(), &copy);
        return true;
    }

private:
    // The box's own list or a completion list: both are popups.
    static bool listOpen() { return QApplication::activePopupWidget() != nullptr; }

    QComboBox* m_box;
};

} // namespace

void passEnterToDialog(QComboBox* box)
{
    auto* filter = new ListEnterKey(box);
    box->installEventFilter(filter);
    if (QLineEdit* field = box->lineEdit())
        field->installEventFilter(filter);
}
