// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/SpokenCaption.h"

QString spokenCaption(const QString& caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                spoken += caption.at(++i);
            continue;
        }
        spoken += caption.at(i);
    }
    spoken = spoken.trimmed();
    while (spoken.endsWith(QLatin1Char(':')))
        spoken.chop(1);
    return spoken.trimmed();
}

QString spokenPair(const QString& first, const QString& second)
{
    return spokenCaption(first) + QLatin1Char(' ') + spokenCaption(second);
}

QString spokenQualified(const QString& caption, const QString& qualifier)
{
    return spokenCaption(caption) + QStringLiteral(", ") + spokenCaption(qualifier);
}
