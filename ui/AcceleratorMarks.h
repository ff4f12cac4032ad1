// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Accelerator marks in captions, one rule for every reader: an '&' marks the
// character after it as the key that selects the control, "&&" shows one
// '&', and a lone '&' at the very end shows nothing (as the widgets draw it).

#include <QChar>
#include <QString>

// The caption as the widgets show it: marks removed, "&&" as one '&'.
inline QString withoutAcceleratorMarks(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&')) {
            shown += caption.at(i);
            continue;
        }
        if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
            shown += caption.at(++i);
    }
    return shown;
}

// The accelerator of a caption: the character after the first marking '&',
// lower case; null when none.
inline QChar acceleratorOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return {};
}
