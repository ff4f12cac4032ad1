// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QChar>
#include <QObject>

#include <functional>

class QWidget;

// A hook run for each character typed into a control, before the control
// takes it: the handler sets the character to QChar() to drop it. Typed
// characters include backspace (8) and the control characters of Ctrl+letter
// shortcuts (Ctrl+V is 22). Keys that the dialog and the focus chain need
// (Enter, Escape, Tab, Delete, arrows) never pass through it, so Enter and
// Escape still reach the dialog; pasting through a context menu does not
// pass through it either. Text that an input method commits passes through
// the same handler, character by character.
using KeyPressHandler = std::function<void(QObject* sender, QChar& key)>;

void installKeyFilter(QWidget* control, KeyPressHandler handler);

// Applies a handler to a key press; true when the press must be dropped.
bool filterKeyPress(QObject* sender, class QKeyEvent* event, const KeyPressHandler& handler);

// Applies a handler to the text an input method commits (a dead key or
// compose sequence, a character picked in an input method): each character
// the handler drops is taken out of the event's commit string. True when the
// event is then left with nothing to commit or compose.
bool filterInputMethod(QObject* sender, class QInputMethodEvent* event,
                       const KeyPressHandler& handler);
