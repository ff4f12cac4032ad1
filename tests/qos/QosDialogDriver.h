// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Helpers that drive the real QoS dialog as a user does: typing into edits
// and grid cells, moving the focus on.

#include "testing/ArrayBytes.h"
#include "tests/support/DialogFixtures.h"
#include "testing/ModalAnswering.h"

#include "qos/Qos_form.h"

#include <QApplication>
#include <QTest>

// Moves the input focus to another control of the dialog, which is what
// fires the leave handler of the control that had it.
inline void leaveTo(QWidget* control)
{
    control->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

// Replaces an edit's text by typing, as a user who selected the old text.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// Types into a grid cell: the first key opens the in-place editor over the
// selected old text, the rest go to whatever has the focus then.
inline void typeIntoCell(StringGrid* grid, int row, const QString& text)
{
    grid->setFocus(Qt::TabFocusReason);
    grid->setCurrentCell(row, 1);
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        QTest::keyClicks(target, QString(c));
    }
}
