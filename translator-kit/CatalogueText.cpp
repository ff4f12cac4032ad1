// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CatalogueText.h"

#include "core/CatalogueFile.h"
#include "ui/AcceleratorMarks.h"

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

EncodingProblem findEncodingProblem(QByteArrayView bytes)
{
    EncodingProblem problem;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return problem;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < size) {
        const unsigned char c = data[i];
        if (c < 0x80) {
            if (c == '\n' || c == '\r') {
                if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
                    ++i;
                ++line;
                lineStart = i + 1;
            }
            ++i;
            continue;
        }
        // The length of the sequence, and the range of its second byte
        // (which rules out overlong forms, surrogates and values past U+10FFFF).
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        }
        qsizetype bad = length == 0 ? i : -1;
        for (int k = 1; bad < 0 && k < length; ++k) {
            const qsizetype at = i + k;
            const unsigned char lo = k == 1 ? low : 0x80;
            const unsigned char hi = k == 1 ? high : 0xBF;
            if (at >= size || data[at] < lo || data[at] > hi)
                bad = i; // the sequence's first byte
        }
        if (bad >= 0) {
            problem.valid = false;
            problem.line = line;
            problem.byte = bad + 1;
            problem.column = int(bad - lineStart + 1);
            problem.value = data[bad];
            return problem;
        }
        i += length;
    }
    return problem;
}

bool isSameAsEnglishMarker(QStringView line)
{
    QString compact = line.trimmed().toString();
    compact.remove(QLatin1Char(' '));
    return compact.compare(QString::fromLatin1(kSameAsEnglishMarker).remove(QLatin1Char(' ')), Qt::CaseInsensitive) == 0;
}

QString catalogueLanguage(const QString& text, const QString& path)
{
    static const QRegularExpression header(QStringLiteral("^\\s*[;#]\\s*Language:\\s*([A-Za-z]{2,3}(?:[_-][A-Za-z0-9]{2,8})?)\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")))) {
        if (line.trimmed().startsWith(QLatin1Char('[')))
            break;
        const QRegularExpressionMatch m = header.match(line);
        if (m.hasMatch())
            return m.captured(1);
    }
    static const QRegularExpression name(QStringLiteral("^([a-z]{2,3}(?:[_-][A-Za-z0-9]{2,8})?)$"));
    const QRegularExpressionMatch m = name.match(QFileInfo(path).completeBaseName());
    return m.hasMatch() ? m.captured(1) : QString();
}

bool isEnglish(const QString& language)
{
    return language.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0
        || language.startsWith(QLatin1String("en_"), Qt::CaseInsensitive)
        || language.startsWith(QLatin1String("en-"), Qt::CaseInsensitive);
}

bool mostlyRightToLeft(const QString& text)
{
    int rightToLeft = 0;
    int leftToRight = 0;
    forEachCatalogueLine(text, [&](const CatalogueLine& l) {
        for (QChar c : l.value) {
            switch (c.direction()) {
            case QChar::DirR:
            case QChar::DirAL: ++rightToLeft; break;
            case QChar::DirL: ++leftToRight; break;
            default: break;
            }
        }
    });
    return rightToLeft > leftToRight;
}

QList<int> sameAsEnglishLines(const QString& text)
{
    QList<int> lines;
    const QStringList all = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    for (qsizetype i = 0; i + 1 < all.size(); ++i) {
        if (isSameAsEnglishMarker(all.at(i)))
            lines.append(int(i + 2));
    }
    return lines;
}

QString shownText(const QString& caption)
{
    // simplified() makes the line breaks blanks too.
    return withoutAcceleratorMarks(caption).simplified();
}
