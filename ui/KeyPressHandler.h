// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QChar>

#include <functional>

class QObject;

/// \file
/// KeyPressHandler, the type of a string grid's key filter.

/// A hook run for each character typed into a control, before the control
/// takes it: the handler sets the character to QChar() to drop it. Typed
/// characters include backspace (8) and the control characters of Ctrl+letter
/// shortcuts (Ctrl+V is 22). Keys that the dialog and the focus chain need
/// (Enter, Escape, Tab, Delete, arrows) never pass through it, so Enter and
/// Escape still reach the dialog; pasting through a context menu does not
/// pass through it either. Text that an input method commits passes through
/// the same handler, character by character.
///
/// (A header of its own: the installed string grid names the type, while the
/// functions that install and apply a handler stay inside the library.)
using KeyPressHandler = std::function<void(QObject* sender, QChar& key)>;
