// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/TextWidth.h"

namespace {

// Room for kerning and for rounding the sum of fractional advances.
constexpr qreal kSlack = 2.0;

// Latin, Greek, Cyrillic and Armenian letters keep their shape whatever
// stands next to them; beyond them (Hebrew onwards) the quick sum is not
// trusted.
constexpr char16_t kLastSimpleLetter = 0x058F;

bool summable(QChar c)
{
    return c.unicode() <= kLastSimpleLetter && !c.isMark() && !c.isSurrogate();
}

} // namespace

TextWidth::TextWidth(const QFontMetricsF& metrics)
    : m_metrics(metrics)
{
}

qreal TextWidth::advance(QChar c) const
{
    const char16_t u = c.unicode();
    if (u < m_ascii.size()) {
        qreal& a = m_ascii[u];
        if (a == 0)
            a = qMax<qreal>(m_metrics.horizontalAdvance(c), 1e-6);
        return a;
    }
    auto it = m_others.find(u);
    if (it == m_others.end())
        it = m_others.insert(u, m_metrics.horizontalAdvance(c));
    return *it;
}

TextWidth::Sum TextWidth::sumUntil(const QString& text, qreal stopAbove) const
{
    Sum sum;
    while (sum.chars < text.size() && sum.width <= stopAbove) {
        const QChar c = text.at(sum.chars);
        if (!summable(c)) {
            sum.trusted = false;
            return sum;
        }
        sum.width += advance(c);
        ++sum.chars;
    }
    return sum;
}

bool TextWidth::surelyFits(const QString& text, int width) const
{
    const qreal room = width - kSlack;
    const Sum sum = sumUntil(text, room);
    return sum.trusted && sum.width <= room;
}

bool TextWidth::surelyExceeds(const QString& text, int width) const
{
    return headWiderThan(text, width) < text.size();
}

qsizetype TextWidth::headWiderThan(const QString& text, int width) const
{
    // The quick sum proposes a head; the head itself is then measured, as
    // kerning can make it narrower than the sum of its characters. A head
    // never ends inside a character and its marks.
    const Sum sum = sumUntil(text, width + kSlack);
    if (!sum.trusted)
        return text.size();
    qsizetype n = sum.chars;
    while (n < text.size()) {
        while (n < text.size() && (text.at(n).isMark() || text.at(n).isLowSurrogate()))
            ++n;
        if (n >= text.size() || m_metrics.horizontalAdvance(text.left(n)) > width + 1)
            return n;
        n += qMax<qsizetype>(8, n / 2);
    }
    return text.size();
}
