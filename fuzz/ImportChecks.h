// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// What the translator kit's import promises about any file, checked on the
// outcome of one import: a refused file gives no catalogue; an accepted one
// gives a catalogue that reads back as exactly the entries counted, every
// value on one line of a known key, at most once, and a language line only
// with a language code. Every message is one printable line.

#include "fuzz/FuzzSupport.h"
#include "core/CatalogueFile.h"
#include "translator-kit/CaptionIndex.h"
#include "translator-kit/CatalogueText.h"
#include "translator-kit/TranslationImport.h"
#include "translator-kit/UnitId.h"

#include <QSet>
#include <QString>

// The unit ids the kit's XLIFF gives the keys ("QOS.-26Ok"), which peers
// keep, mapped as the kit maps them: from units that also carry the key.
inline const UnitIds& fuzzUnitIds()
{
    static const UnitIds ids = [] {
        QString xliff = QStringLiteral("<xliff version=\"1.2\"><file><body>");
        for (const KnownKey& key : CaptionIndex::library().keys()) {
            QString name = key.section + QLatin1Char('|') + key.key;
            name.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('"'), QLatin1String("&quot;"));
            xliff += QStringLiteral("<trans-unit id=\"%1\" resname=\"%2\"><source/></trans-unit>")
                         .arg(unitIdOf(key.section, key.key), name);
        }
        return unitIdsOf(xliff + QStringLiteral("</body></file></xliff>"), CaptionIndex::library());
    }();
    FUZZ_CHECK(ids.size() == qsizetype(CaptionIndex::library().keys().size()), "the unit ids do not cover every key");
    return ids;
}

inline void checkMessages(const QStringList& messages)
{
    for (const QString& m : messages) {
        for (QChar c : m)
            FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x85 && c.unicode() != 0x2028 && c.unicode() != 0x2029,
                       "a message holds a control character U+%04x", unsigned(c.unicode()));
        FUZZ_CHECK(m.size() < 600, "a message of %d characters", int(m.size()));
    }
}

inline void checkImport(const ImportResult& result, qsizetype entries)
{
    checkMessages(result.refusals);
    checkMessages(result.warnings);
    FUZZ_CHECK(result.refusals.size() <= 51 && result.warnings.size() <= 51, "messages past the limit");
    if (!result.refusals.isEmpty()) {
        FUZZ_CHECK(result.catalogue.isEmpty(), "a refused file gave a catalogue");
        return;
    }
    FUZZ_CHECK(!result.catalogue.isEmpty(), "an accepted file gave no catalogue");
    FUZZ_CHECK(result.translated + result.leftOut <= entries || entries < 0, "more entries counted than read");
    const CaptionIndex& index = CaptionIndex::library();
    QSet<QString> seen;
    int keyLines = 0;
    int lineNumber = 0;
    for (const QString& line : result.catalogue.split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.startsWith(QLatin1String("; Language: "))) {
            FUZZ_CHECK(lineNumber == 1, "a language line below the top");
            FUZZ_CHECK(isLanguageCode(line.mid(12)), "the language line holds no language code");
        }
        for (QChar c : line)
            FUZZ_CHECK(c.unicode() >= 0x20 || c == QLatin1Char('\t'), "a control character in the catalogue");
    }
    forEachCatalogueLine(result.catalogue, [&](const CatalogueLine& l) {
        ++keyLines;
        const KnownKey* known = index.find(l.section.toString(), l.key.toString());
        FUZZ_CHECK(known && known->section == l.section && known->key == l.key, "a key line of no known key");
        const QString id = l.section.toString() + QLatin1Char('|') + l.key.toString();
        FUZZ_CHECK(!seen.contains(id), "a key written twice");
        seen.insert(id);
        FUZZ_CHECK(!l.value.isEmpty(), "an empty value written");
        for (QChar c : l.value)
            FUZZ_CHECK(c.unicode() != 0x85 && c.unicode() != 0x2028 && c.unicode() != 0x2029,
                       "a line separator in a value");
    });
    FUZZ_CHECK(keyLines == result.translated, "%d key lines for %d translated entries", keyLines, result.translated);
}
