// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/SpokenCaption.h"

#include "ui/AcceleratorMarks.h"

QString spokenCaption(const QString& caption)
{
    QString spoken = withoutAcceleratorMarks(caption).trimmed();
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
