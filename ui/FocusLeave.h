// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

// Runs a control's leave handler when the input focus moves from the control
// (or anything inside it: a combo box's field, a radio group's buttons, a
// grid's in-place editor) to another control of the same dialog. Focus lost
// to another window (deactivation, a popup list, a message box) is not a leave,
// and neither is a move between a control's own parts. A grid that is left
// while a cell is being edited has the editor's text stored first.
class FocusLeave : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QObject* sender)>;

    explicit FocusLeave(QWidget* dialog);

    // Registers a control; sender is the control itself.
    void onLeave(QWidget* control, Handler handler);

private:
    void focusChanged(QWidget* old, QWidget* now);

    struct Entry
    {
        QPointer<QWidget> control;
        Handler handler;
    };
    QWidget* m_dialog;
    std::vector<Entry> m_entries;
};
