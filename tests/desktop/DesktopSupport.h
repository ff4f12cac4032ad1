// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// What the tests of other desktops share: the three dialogs (OpenDialogs,
// under an owner that may carry its own palette or direction) and where a
// control's text is drawn.

#include "tests/layout/LayoutSupport.h"

#include <QImage>
#include <QWidget>

// Where a control's text is drawn: the bounding box of the pixels that differ
// from the control's background (its top-left pixel), in the control's
// coordinates; empty when nothing is drawn.
inline QRect inkBox(QWidget* control)
{
    const QImage image = control->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}
