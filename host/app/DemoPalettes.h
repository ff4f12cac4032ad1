// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QPalette>
#include <QString>
#include <QStringList>

#include <optional>

// The desktops the demo host can stand in for: Qt's default light palette and
// the dark and high-contrast themes technicians run, so that the dialogs can
// be seen (and pictured) as they look there.

// The names --palette accepts, in the order the help lists them.
QStringList demoPaletteNames();

// The palette of that name; the style's own palette for "light"; nothing for
// an unknown name.
std::optional<QPalette> demoPalette(const QString& name);
