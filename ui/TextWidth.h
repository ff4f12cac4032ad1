// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include <array>

// Answers "does this one-line text fit in so many pixels?" for many texts in
// one font without shaping each of them. The advances of a text's characters,
// taken one by one, are summed first; a text whose sum, with two pixels of
// room for kerning and rounding, is within the width fits without being
// measured. Only texts near or over the width, and texts in scripts whose
// letters change shape with their neighbours, are left to be shaped and
// measured whole.
class TextWidth
{
public:
    explicit TextWidth(const QFontMetricsF& metrics);

    // True when text, drawn on one line, surely takes at most width pixels.
    // False says nothing: the caller measures such a text as it measures.
    bool surelyFits(const QString& text, int width) const;
    // True when text surely takes more than width pixels.
    bool surelyExceeds(const QString& text, int width) const;
    // How many leading characters of text take more than width pixels
    // together (measured, not guessed): a head that can stand for the whole
    // text wherever only its first width pixels count (eliding). text.size()
    // when the text is not that wide, or not in a script the quick sum is
    // trusted for.
    qsizetype headWiderThan(const QString& text, int width) const;

private:
    // The characters' advances summed from the start of a text until the sum
    // passes stopAbove or the text ends; not trusted when a character needs
    // the text shaped whole.
    struct Sum
    {
        qreal width = 0;
        qsizetype chars = 0;
        bool trusted = true;
    };
    Sum sumUntil(const QString& text, qreal stopAbove) const;
    qreal advance(QChar c) const;

    QFontMetricsF m_metrics;
    mutable std::array<qreal, 128> m_ascii{}; // 0 until asked
    mutable QHash<char16_t, qreal> m_others;
};
