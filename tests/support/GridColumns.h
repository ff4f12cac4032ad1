// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The rule for a grid column's width, whatever the face: the designed width
// grown by the density factor, and more only where a text of the column needs
// more (then just what it needs, never less).

#include "ui/Density.h"
#include "ui/StringGrid.h"

#include <QFontMetrics>
#include <QStyle>
#include <QString>

// The width the widest text of a column needs, with the margins the cells draw.
inline int columnTextNeed(const StringGrid* grid, int col)
{
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const QFontMetrics metrics(grid->font());
    int need = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString text = grid->cellText(col, row);
        if (!text.isEmpty())
            need = qMax(need, metrics.size(0, text).width() + 2 * margin);
    }
    return need;
}

// An empty string when the column follows the rule, else what is wrong.
inline QString designedColumnFault(const StringGrid* grid, int col, int designWidth, float factor)
{
    const int designed = scaledSize(designWidth, factor);
    const int width = grid->columnWidth(col);
    const int need = columnTextNeed(grid, col);
    if (width == designed || (width > designed && width <= need))
        return QString();
    return QStringLiteral("%1 column %2 is %3 px: designed %4, its texts need %5")
        .arg(grid->objectName())
        .arg(col)
        .arg(width)
        .arg(designed)
        .arg(need);
}
