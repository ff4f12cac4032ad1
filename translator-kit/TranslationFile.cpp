// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/TranslationFile.h"

QString printable(QStringView text, qsizetype limit)
{
    QString out;
    // Only the start of a long text is shown: never convert more of it.
    for (char32_t c : text.left(limit + 1).toUcs4()) {
        if (out.size() >= limit) {
            out += QStringLiteral("...");
            break;
        }
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029
                 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
            out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out;
}

QString TranslationEntry::name() const
{
    const QString what = printable(!names.isEmpty() ? names.first() : source);
    return line > 0 ? QStringLiteral("entry \"%1\" (line %2)").arg(what).arg(line)
                    : QStringLiteral("entry \"%1\"").arg(what);
}
