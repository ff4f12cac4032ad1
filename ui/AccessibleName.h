// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

class QWidget;

// Gives a control the name assistive technology announces for it. Most
// controls carry it as their accessible name. A drop-down list on Linux is
// announced by its value and named by the label that points to it, so a list
// also gets a label of its own that is never shown and points to it.
void setSpokenName(QWidget* control, const QString& name);

// Names a page control's row of tabs after the page in front.
void nameTabRowAfterPage(class QTabWidget* pages);

// Shows the keyboard focus of the window's controls from the moment it opens,
// not only after the first Tab, and frames a focused push button inside it.
void showFocusFromTheStart(QWidget* window);
