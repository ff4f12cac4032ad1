// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QWidget>

// The display density factor of a dialog: its pixels per inch divided by 96,
// in single precision, and a design size scaled by it, truncated toward zero.
inline float densityFactor(const QWidget* widget)
{
    return float(widget->logicalDpiX()) * (1.0f / 96.0f);
}

inline int scaledSize(int designSize, float factor)
{
    return int(float(designSize) * factor);
}
