// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/PseudoText.h"

#include <QHash>

namespace {

QChar accented(QChar c)
{
    static const QHash<QChar, QChar> letters = [] {
        QHash<QChar, QChar> map;
        const QString plain = QStringLiteral("AaCcDdEeIiNnOoUuYySsZz");
        const QString marked = QStringLiteral("ÅáÇçÐðÉéÍíÑñÖóÜúÝýŠšŽž");
        for (qsizetype i = 0; i < plain.size(); ++i)
            map.insert(plain.at(i), marked.at(i));
        return map;
    }();
    return letters.value(c, c);
}

bool isBlank(QChar c)
{
    return c.isSpace();
}

} // namespace

QString pseudoTranslate(const QString& english, int expandPercent)
{
    qsizetype begin = 0;
    qsizetype end = english.size();
    while (begin < end && isBlank(english.at(begin)))
        ++begin;
    while (end > begin && isBlank(english.at(end - 1)))
        --end;
    if (begin == end)
        return english;

    QString core;
    int shown = 0; // characters a reader sees (accelerator marks do not count)
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = english.at(i);
        if (c == QLatin1Char('&') && i + 1 < end) {
            core += c;
            core += english.at(++i); // the accelerator letter (or a second '&') unchanged
            ++shown;
        } else if (c == QLatin1Char('%') && i + 1 < end && english.at(i + 1).isLetterOrNumber()) {
            core += c;
            if (english.at(i + 1).isDigit()) {
                while (i + 1 < end && english.at(i + 1).isDigit())
                    core += english.at(++i);
            } else {
                core += english.at(++i);
            }
            shown += 2;
        } else {
            core += accented(c);
            ++shown;
        }
    }

    // The brackets count toward the longer text.
    const int target = (shown * (100 + qMax(0, expandPercent)) + 99) / 100;
    static const QString padding = QStringLiteral("ëxpåñðëð");
    QString pad;
    for (int i = 0; shown + 2 + int(pad.size()) < target; ++i)
        pad += padding.at(i % padding.size());
    return english.left(begin) + QLatin1Char('[') + core + pad + QLatin1Char(']') + english.mid(end);
}
