// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The dialogs' message boxes: real modal QMessageBoxes run with exec().
// Each returns the button that closed the box (Escape or the close box give
// the box's escape button).
//
// A box is a child of its parent on the heap, so a host that destroys the
// dialog while the box is open (a link that drops, a timer that closes every
// window) takes the box with it. The call then returns NoButton, and the
// caller must return without touching the parent: it is gone.

// Error icon, a single Close button.
QMessageBox::StandardButton showErrorClose(QWidget* parent, const QString& text);
// Error icon, OK and Cancel.
QMessageBox::StandardButton showErrorOkCancel(QWidget* parent, const QString& text);
// Question icon, Yes, No and Cancel.
QMessageBox::StandardButton askYesNoCancel(QWidget* parent, const QString& text);
