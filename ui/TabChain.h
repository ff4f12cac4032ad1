// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <initializer_list>

class QWidget;

// Puts the given controls into the Tab order one behind the other, starting
// behind the first. A radio group stands for its items, a page control for
// its row of tabs. Each control is moved on its own, so the order elsewhere
// in the dialog stays as it was; after the last control comes whatever
// followed the first before.
void setTabChain(std::initializer_list<QWidget*> controls);
