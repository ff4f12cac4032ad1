// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QDialog;
class QString;
class QWidget;

// The chores every dialog of the library does for its window.

// Gives a dialog its window icon from a resource, which the dialog has
// registered. The image is read once and kept in Qt's pixmap cache, not
// parsed again for every dialog.
void setDialogIcon(QWidget* dialog, const QString& resource);

// Places a window centred on the available area of its screen, frame
// included; dialogs call it as they are shown, when the frame is known.
void centreOnScreen(QWidget* window);

// A dialog takes its owner's palette and layout direction, as a control takes
// its parent's: a host that gives its main window a dark palette or a
// right-to-left direction gets dialogs (and their message boxes) to match.
void followOwner(QWidget* dialog);

// Ends a modal dialog as QDialog::done does: hides it (which ends exec()),
// then emits accepted() or rejected() and finished(). A host may delete the
// dialog from any of those signals, so nothing touches it after a signal that
// deleted it (QDialog::done would still emit finished() on it).
void endDialog(QDialog* dialog, int result);
