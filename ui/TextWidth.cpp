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

qreal TextWidth::estimate(const QString& text, qreal stopAbove) const
{
    qreal sum = 0;
    for (const QChar c : text) {
        if (!summable(c))
            return stopAbove + 1;
        sum += advance(c);
        if (sum > stopAbove)
            break;
    }
    return sum;
}

bool TextWidth::surelyFits(const QString& text, int width) const
{
    const qreal room = width - kSlack;
    return estimate(text, room) <= room;
}

bool TextWidth::surelyExceeds(const QString& text, int width) const
{
    return headWiderThan(text, width) < text.size();
}

qsizetype TextWidth::headWiderThan(const QString& text, int width) const
{
    const qreal beyond = width + kSlack;
    qreal sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!summable(c))
            return text.size();
        sum += advance(c);
        if (sum > beyond)
            return i + 1;
    }
    return text.size();
}
