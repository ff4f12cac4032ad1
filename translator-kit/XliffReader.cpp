// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/XliffReader.h"

#include <QList>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

// The first references place a unit; a long list only costs time.
constexpr qsizetype kReferenceLimit = 16;

int linesIn(QStringView text)
{
    return int(text.count(QLatin1Char('\n')));
}

// The bounds the XML parser relies on, found in one pass over the text:
// empty when they hold (or when the markup is broken, which the parser then
// reports with its own words).
QString outOfBounds(QStringView text)
{
    int depth = 0;
    int line = 1;
    const qsizetype size = text.size();
    qsizetype i = 0;
    // Moves past the next `end`; false when there is none.
    auto skipPast = [&](QLatin1StringView end) {
        const qsizetype found = text.indexOf(end, i);
        if (found < 0)
            return false;
        line += linesIn(text.sliced(i, found - i));
        i = found + end.size();
        return true;
    };
    while (i < size) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('<')) {
            line += c == QLatin1Char('\n') ? 1 : 0;
            ++i;
            continue;
        }
        const QStringView rest = text.sliced(i);
        if (rest.startsWith(QLatin1String("<!--"))) {
            if (!skipPast(QLatin1StringView("-->")))
                return {};
        } else if (rest.startsWith(QLatin1String("<![CDATA["))) {
            if (!skipPast(QLatin1StringView("]]>")))
                return {};
        } else if (rest.startsWith(QLatin1String("<!"))) {
            return QStringLiteral("line %1: a document type declaration (<!...>), which XLIFF does not use").arg(line);
        } else if (rest.startsWith(QLatin1String("<?"))) {
            if (!skipPast(QLatin1StringView("?>")))
                return {};
        } else if (rest.startsWith(QLatin1String("</"))) {
            --depth;
            if (!skipPast(QLatin1StringView(">")))
                return {};
        } else {
            // A start tag: its attributes are its '=' outside quoted values.
            const int tagLine = line;
            int attributes = 0;
            QChar quote;
            qsizetype j = i + 1;
            for (; j < size; ++j) {
                const QChar t = text.at(j);
                if (t == QLatin1Char('\n'))
                    ++line;
                if (!quote.isNull()) {
                    if (t == quote)
                        quote = QChar();
                } else if (t == QLatin1Char('"') || t == QLatin1Char('\'')) {
                    quote = t;
                } else if (t == QLatin1Char('=')) {
                    if (++attributes > kXliffMaxAttributes)
                        return QStringLiteral("line %1: an element with more than %2 attributes")
                            .arg(tagLine)
                            .arg(kXliffMaxAttributes);
                } else if (t == QLatin1Char('>')) {
                    break;
                }
            }
            if (j >= size)
                return {};
            if (text.at(j - 1) != QLatin1Char('/') && ++depth > kXliffMaxDepth)
                return QStringLiteral("line %1: elements nested more than %2 deep").arg(tagLine).arg(kXliffMaxDepth);
            i = j + 1;
        }
    }
    return {};
}

// An element's text with that of the elements inside it (XLIFF's inline
// <g>, <mrk>, <ph>...), read up to its end tag: a loop, never a recursion.
QString readText(QXmlStreamReader& xml)
{
    QString out;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters: out += xml.text(); break;
        case QXmlStreamReader::StartElement: ++depth; break;
        case QXmlStreamReader::EndElement: --depth; break;
        default: break;
        }
    }
    return out;
}

// Outside xml:space="preserve", a line break at either end is the file's layout.
QString withoutLayout(const QString& text)
{
    static const QRegularExpression layout(QStringLiteral("^\\s*[\\r\\n]\\s*|\\s*[\\r\\n]\\s*$"));
    return QString(text).remove(layout);
}

QString unquotePlus(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('+', ' ');
    return QUrl::fromPercentEncoding(bytes);
}

QString headerLanguage(const QString& header)
{
    static const QRegularExpression field(QStringLiteral("(?:^|\\n)\\s*(?:X-)?Language:[ \\t]*([^\\n]*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    return field.match(header).captured(1).trimmed();
}

struct Group
{
    QString resname;
    bool plural = false;      // a gettext plural: one entry for its units
    bool pluralTaken = false; // its first unit became the entry
};

bool isUnfinished(QStringView state)
{
    static const QStringList unfinished{QStringLiteral("new"), QStringLiteral("needs-translation"),
                                        QStringLiteral("needs-adaptation"), QStringLiteral("needs-l10n"),
                                        QStringLiteral("needs-review-translation"),
                                        QStringLiteral("needs-review-adaptation"), QStringLiteral("needs-review-l10n")};
    return unfinished.contains(state);
}

} // namespace

TranslationFile readXliff(const QString& text)
{
    TranslationFile file;
    if (const QString bounds = outOfBounds(text); !bounds.isEmpty()) {
        file.error = bounds;
        return file;
    }
    QXmlStreamReader xml(text);
    QList<Group> groups;
    QList<bool> preserve{false}; // xml:space of each open element
    QString fileLanguage;
    QString headerUnitLanguage;
    QString poHeaderLanguage;
    bool rootSeen = false;
    auto spaceOf = [&](const QXmlStreamAttributes& attributes) {
        const QStringView space = attributes.value(QLatin1String("xml:space"));
        return space.isEmpty() ? preserve.last() : space == QLatin1String("preserve");
    };

    while (!xml.atEnd() && file.error.isEmpty()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("group") && !groups.isEmpty())
                groups.removeLast();
            if (preserve.size() > 1)
                preserve.removeLast();
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (!rootSeen) {
            rootSeen = true;
            const QStringView version = attributes.value(QLatin1String("version"));
            if (name != QLatin1String("xliff"))
                file.error = QStringLiteral("line %1: not XLIFF: the root element is <%2>")
                                 .arg(xml.lineNumber())
                                 .arg(printable(xml.qualifiedName(), 40));
            else if (!version.startsWith(QLatin1String("1.")) || xml.namespaceUri().contains(QLatin1String(":2.")))
                file.error = QStringLiteral("line %1: XLIFF version \"%2\" is not read; save the file as XLIFF 1.2")
                                 .arg(xml.lineNumber())
                                 .arg(printable(version, 20));
            preserve.append(spaceOf(attributes));
            continue;
        }
        if (name == QLatin1String("trans-unit")) {
            TranslationEntry entry;
            entry.line = int(xml.lineNumber());
            const QString id = attributes.value(QLatin1String("id")).toString();
            const QString resname = attributes.value(QLatin1String("resname")).toString();
            const bool header = attributes.value(QLatin1String("restype")) == QLatin1String("x-gettext-domain-header");
            const bool skipped = attributes.value(QLatin1String("translate")) == QLatin1String("no");
            entry.fuzzy = attributes.value(QLatin1String("approved")) == QLatin1String("no");
            const bool unitPreserve = spaceOf(attributes);
            QString context;        // lconvert's msgctxt
            QStringList references; // po2xliff's, lconvert's
            QString contextGroup;
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement()) {
                    --depth;
                    continue;
                }
                if (!xml.isStartElement())
                    continue;
                const QStringView child = xml.name();
                const QXmlStreamAttributes childAttributes = xml.attributes();
                const bool keep = childAttributes.value(QLatin1String("xml:space")).isEmpty()
                    ? unitPreserve
                    : childAttributes.value(QLatin1String("xml:space")) == QLatin1String("preserve");
                if (depth == 1 && child == QLatin1String("source")) {
                    entry.source = readText(xml);
                    if (!keep)
                        entry.source = withoutLayout(entry.source);
                } else if (depth == 1 && child == QLatin1String("target")) {
                    entry.fuzzy = entry.fuzzy || isUnfinished(childAttributes.value(QLatin1String("state")));
                    entry.target = readText(xml);
                    if (!keep)
                        entry.target = withoutLayout(entry.target);
                } else if (child == QLatin1String("alt-trans") || child == QLatin1String("note")) {
                    xml.skipCurrentElement(); // proposals and notes are not the translation
                } else if (child == QLatin1String("context-group")) {
                    contextGroup = childAttributes.value(QLatin1String("name")).toString();
                    ++depth;
                } else if (child == QLatin1String("context")) {
                    const QString type = childAttributes.value(QLatin1String("context-type")).toString();
                    const QString value = readText(xml);
                    if (type == QLatin1String("x-gettext-msgctxt"))
                        context = value;
                    else if (type == QLatin1String("sourcefile") && contextGroup == QLatin1String("po-reference")
                             && references.size() < kReferenceLimit)
                        references += value;
                } else if (child == QLatin1String("po-references")) {
                    static const QRegularExpression blanks(QStringLiteral("\\s+"));
                    for (const QString& reference : readText(xml).split(blanks, Qt::SkipEmptyParts)) {
                        if (references.size() < kReferenceLimit)
                            references += unquotePlus(reference);
                    }
                } else {
                    ++depth;
                }
            }
            if (header) {
                headerUnitLanguage = headerLanguage(entry.target.isEmpty() ? entry.source : entry.target);
                continue;
            }
            Group* group = groups.isEmpty() ? nullptr : &groups.last();
            if (skipped || (group && group->plural && group->pluralTaken))
                continue;
            if (group && group->plural) {
                group->pluralTaken = true;
                entry.plural = true;
            }
            if (resname.contains(QLatin1Char('|')))
                entry.names += resname;
            if (!context.isEmpty())
                entry.names += context;
            if (group && !group->resname.isEmpty() && !resname.isEmpty() && !resname.contains(QLatin1Char('|')))
                entry.names += QStringLiteral("[%1]%2").arg(group->resname, resname);
            entry.names += references;
            if (!id.isEmpty())
                entry.names += id;
            file.entries.push_back(std::move(entry));
        } else if (name == QLatin1String("group")) {
            groups.append({attributes.value(QLatin1String("resname")).toString(),
                           attributes.value(QLatin1String("restype")) == QLatin1String("x-gettext-plurals"), false});
            preserve.append(spaceOf(attributes));
        } else if (name == QLatin1String("file")) {
            if (fileLanguage.isEmpty())
                fileLanguage = attributes.value(QLatin1String("target-language")).toString();
            preserve.append(spaceOf(attributes));
        } else if (name == QLatin1String("po-header-language")) {
            poHeaderLanguage = readText(xml);
        } else {
            preserve.append(spaceOf(attributes));
        }
    }
    if (file.error.isEmpty() && xml.hasError())
        file.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(printable(xml.errorString(), 200));
    if (file.error.isEmpty() && !rootSeen)
        file.error = QStringLiteral("not XLIFF: no element");
    // lconvert writes the PO header's language beside a target-language of its own making.
    file.language = !poHeaderLanguage.isEmpty() ? poHeaderLanguage
        : !fileLanguage.isEmpty()               ? fileLanguage
                                                : headerUnitLanguage;
    return file;
}
