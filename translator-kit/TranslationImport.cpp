// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/TranslationImport.h"

#include "translator-kit/CaptionIndex.h"
#include "translator-kit/CatalogueText.h"
#include "translator-kit/PoReader.h"
#include "translator-kit/XliffReader.h"

#include <QRegularExpression>

namespace {

// More messages than this about one file help nobody; the count says the rest.
constexpr qsizetype kMessageLimit = 50;

QString idOfKey(const KnownKey& key)
{
    return key.section.toLower() + QLatin1Char('\n') + key.key.toLower();
}

// The key an entry belongs to. Each name is tried as "SECTION|key",
// "[SECTION]key" and a unit id; the first known key wins. unknown: the first
// name that had the form of a key the dialogs do not have.
const KnownKey* keyOf(const TranslationEntry& entry, const CaptionIndex& index, const UnitIds& unitIds,
                      QString* unknown)
{
    static const QRegularExpression reference(QStringLiteral("^\\[([^\\]]+)\\](.+)$"));
    for (const QString& name : entry.names) {
        QString section;
        QString key;
        if (const qsizetype bar = name.indexOf(QLatin1Char('|')); bar > 0) {
            section = name.left(bar);
            key = name.mid(bar + 1);
        } else if (const QRegularExpressionMatch m = reference.match(name); m.hasMatch()) {
            section = m.captured(1);
            key = m.captured(2);
        }
        if (!key.isEmpty()) {
            if (const KnownKey* known = index.find(section, key))
                return known;
            if (unknown && unknown->isEmpty())
                *unknown = QStringLiteral("[%1] %2").arg(printable(section, 30), printable(key, 60));
        }
        if (const KnownKey* known = unitIds.value(name))
            return known;
    }
    return nullptr;
}

QString codePoint(char32_t c)
{
    return QStringLiteral("U+%1").arg(QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

// What keeps a value off one catalogue line: empty when nothing does. Line
// breaks as any line reader takes them (the dialogs' reader, gettext's,
// Python's splitlines), and every other control character.
QString lineTrouble(QStringView value)
{
    for (char32_t c : value.toUcs4()) {
        const bool breaks = c == u'\n' || c == u'\r' || c == 0x0B || c == 0x0C || (c >= 0x1C && c <= 0x1E)
            || c == 0x85 || c == 0x2028 || c == 0x2029;
        if (breaks)
            return QStringLiteral("a line break (%1), which a catalogue line cannot hold").arg(codePoint(c));
        if ((c < 0x20 && c != u'\t') || c == 0x7F || (c >= 0x80 && c < 0xA0))
            return QStringLiteral("a control character (%1)").arg(codePoint(c));
    }
    return {};
}

QString catalogueValue(const QString& value)
{
    // Blanks at either end, or quotes at both, survive the reader only in quotes.
    const bool quote = value != value.trimmed()
        || (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')));
    return quote ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

void addLimited(QStringList& list, const QString& message, qsizetype& dropped)
{
    if (list.size() < kMessageLimit)
        list.append(message);
    else
        ++dropped;
}

} // namespace

bool isLanguageCode(QStringView code)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z][A-Za-z0-9_-]{0,34}$"));
    return form.match(code.toString()).hasMatch();
}

UnitIds unitIdsOf(const QString& kitXliff, const CaptionIndex& index)
{
    UnitIds ids;
    for (TranslationEntry entry : readXliff(kitXliff).entries) {
        if (entry.names.isEmpty())
            continue;
        const QString id = entry.names.takeLast(); // the unit id comes last
        if (const KnownKey* key = keyOf(entry, index, {}, nullptr))
            ids.insert(id, key);
    }
    return ids;
}

ImportResult importEntries(const QString& text, const CaptionIndex& index, const QString& language,
                           const UnitIds& unitIds)
{
    ImportResult result;
    const QStringView content = QStringView(text).trimmed();
    if (content.isEmpty()) {
        result.refusals += QStringLiteral("the file is empty");
        return result;
    }
    const bool xliff = content.startsWith(QLatin1Char('<'));
    const TranslationFile file = xliff ? readXliff(text) : readPo(text);
    if (!file.error.isEmpty()) {
        result.refusals += file.error;
        return result;
    }
    const QString code = language.isEmpty() ? file.language : language;
    if (!code.isEmpty() && !isLanguageCode(code)) {
        result.refusals += QStringLiteral("the language \"%1\" (%2) is not a language code: letters, digits, "
                                          "'_' and '-' only")
                               .arg(printable(code, 40),
                                    language.isEmpty() ? QStringLiteral("from the file") : QStringLiteral("--language"));
        return result;
    }
    if (file.entries.empty()) {
        result.refusals += xliff ? QStringLiteral("no trans-unit: nothing to import")
                                 : QStringLiteral("no entry besides the header: nothing to import");
        return result;
    }

    QHash<QString, QString> values; // by key id
    QHash<QString, bool> same;
    qsizetype droppedRefusals = 0;
    qsizetype droppedWarnings = 0;
    bool anyKnown = false;
    for (const TranslationEntry& entry : file.entries) {
        if (entry.plural) {
            addLimited(result.refusals,
                       QStringLiteral("%1: a plural entry (msgid_plural or a plural group), which a catalogue "
                                      "cannot hold")
                           .arg(entry.name()),
                       droppedRefusals);
            continue;
        }
        QString unknown;
        const KnownKey* known = keyOf(entry, index, unitIds, &unknown);
        anyKnown = anyKnown || known;
        // A tool that reads INI quotes as part of the text (the translate
        // toolkit) quotes source and translation alike: one pair is the
        // catalogue's quoting, not the text.
        QString target = entry.target;
        auto quotedText = [](const QString& t) {
            return t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"'));
        };
        if (known && quotedText(entry.source) && !quotedText(known->englishTexts.value(0)) && quotedText(target))
            target = target.mid(1, target.size() - 2);
        // Untranslated or fuzzy: left out, so that the English text shows.
        if (target.isEmpty() || entry.fuzzy) {
            ++result.leftOut;
            continue;
        }
        if (!known) {
            if (!unknown.isEmpty())
                addLimited(result.warnings, QStringLiteral("%1: unknown key %2: skipped").arg(entry.name(), unknown),
                           droppedWarnings);
            else
                addLimited(result.refusals,
                           QStringLiteral("%1: no key (msgctxt \"SECTION|key\", a reference [SECTION]key or an "
                                          "XLIFF resname)")
                               .arg(entry.name()),
                           droppedRefusals);
            continue;
        }
        const QString id = idOfKey(*known);
        if (values.contains(id)) {
            addLimited(result.refusals,
                       QStringLiteral("%1: [%2] %3 given twice").arg(entry.name(), known->section, known->key),
                       droppedRefusals);
            continue;
        }
        if (const QString trouble = lineTrouble(target); !trouble.isEmpty()) {
            addLimited(result.refusals, QStringLiteral("%1: the translation has %2").arg(entry.name(), trouble),
                       droppedRefusals);
            continue;
        }
        values.insert(id, target);
        bool isSame = false;
        for (const QString& english : known->englishTexts)
            isSame = isSame || shownText(target) == shownText(english);
        same.insert(id, isSame);
        ++result.translated;
    }
    if (droppedRefusals > 0)
        result.refusals += QStringLiteral("... and %1 more entries refused").arg(droppedRefusals);
    if (droppedWarnings > 0)
        result.warnings += QStringLiteral("... and %1 more entries skipped").arg(droppedWarnings);
    if (result.refusals.isEmpty() && !anyKnown)
        result.refusals += QStringLiteral("none of the %1 entries names a key of the dialogs: not a file the kit "
                                          "exported?")
                               .arg(file.entries.size());
    if (!result.refusals.isEmpty())
        return result;

    QString out;
    if (!code.isEmpty())
        out += QStringLiteral("; Language: %1\n").arg(QString(code).replace(QLatin1Char('-'), QLatin1Char('_')));
    for (const QString& section : index.sections()) {
        out += QStringLiteral("\n[%1]\n").arg(section);
        for (const KnownKey& key : index.keys()) {
            const QString id = idOfKey(key);
            if (key.section != section || !values.contains(id))
                continue;
            if (same.value(id))
                out += QString::fromLatin1(kSameAsEnglishMarker) + QLatin1Char('\n');
            out += key.key + QLatin1Char('=') + catalogueValue(values.value(id)) + QLatin1Char('\n');
        }
    }
    result.catalogue = out;
    return result;
}
