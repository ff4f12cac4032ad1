// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CatalogueText.h"

#include "core/CatalogueFile.h"
#include "ui/AcceleratorMarks.h"

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

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
