// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

// A text drawn on one line in a face: the size it takes (as QFontMetrics::size
// gives it) and where its glyphs' ink lies (QFontMetrics::tightBoundingRect).
struct MeasuredText
{
    QSize size;
    QRect glyphs;
    // How far the glyphs reach beyond the text's advance, both sides together
    // (a final "y" or a leading "J" in some faces).
    int inkOutside() const;
};

// The measure of text in font, on the default screen. Measures are kept for
// the next opening of a dialog (the same text in the same face measures the
// same), by the application and gone with it.
MeasuredText measuredText(const QFont& font, const QString& text);
