// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "ui/KeyPressHandler.h"

class QWidget;

// Runs the handler (ui/KeyPressHandler.h) on every character typed into the
// control, and on the text an input method commits there.
void installKeyFilter(QWidget* control, KeyPressHandler handler);

// Applies a handler to a key press; true when the press must be dropped.
bool filterKeyPress(QObject* sender, class QKeyEvent* event, const KeyPressHandler& handler);

// Applies a handler to the text an input method commits (a dead key or
// compose sequence, a character picked in an input method): each character
// the handler drops is taken out of the event's commit string. True when the
// event is then left with nothing to commit or compose.
bool filterInputMethod(QObject* sender, class QInputMethodEvent* event,
                       const KeyPressHandler& handler);
