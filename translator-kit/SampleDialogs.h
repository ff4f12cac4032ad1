// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

#include <functional>

class QWidget;

// The three dialogs as a translator sees them: each built over an
// unconfigured unit that has every port (so every control is shown), with
// the catalogue file (empty: English texts), shown offscreen, handed to
// visit, and destroyed. Dialog names as the caption tables give them.
void forEachSampleDialog(const QString& catalogue,
                         const std::function<void(const QString& dialog, QWidget* window)>& visit);
