// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/FocusLeave.h"

#include "ui/StringGrid.h"

#include <QApplication>
#include <QWidget>

namespace {

bool within(const QWidget* control, const QWidget* widget)
{
    return widget && (control == widget || control->isAncestorOf(widget));
}

} // namespace

FocusLeave::FocusLeave(QWidget* dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{
    connect(qApp, &QApplication::focusChanged, this, &FocusLeave::focusChanged);
}

void FocusLeave::onLeave(QWidget* control, Handler handler)
{
    m_entries.push_back({control, std::move(handler)});
}

void FocusLeave::focusChanged(QWidget* old, QWidget* now)
{
    // Only a move to another control of the same dialog is a leave.
    if (!old || !now || now->window() != m_dialog || old->window() != m_dialog)
        return;
    // A handler may open a message box, and the host may destroy the dialog
    // (and this object with it) while the box is open.
    const QPointer<FocusLeave> alive(this);
    for (const Entry& entry : m_entries) {
        QWidget* control = entry.control;
        if (!control || !within(control, old) || within(control, now))
            continue;
        if (auto* grid = qobject_cast<StringGrid*>(control))
            grid->commitEditing();
        entry.handler(control);
        if (!alive)
            return;
    }
}
