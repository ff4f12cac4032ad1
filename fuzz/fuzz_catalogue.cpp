// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Any bytes as a language catalogue, then every lookup the dialogs make.
// Checked: a lookup never returns an empty text (an empty value reads as
// absent), a key missing from the text gives the English default, letter case
// of section and key does not matter, parsing the text a second time changes
// no answer, and every key line the line walk reports is answered by the
// lookup as a plain first-wins table of the walk would answer it.

#include "fuzz/FuzzSupport.h"
#include "core/CatalogueFile.h"
#include "core/IniFile.h"
#include "core/Lookup.h"
#include "core/CaptionTables.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace {

// The keys as the dialogs pass them, and odd variants of them: each key
// asked in the other section, with blanks around it and in the other letter
// case, and names no dialog uses (empty, with '=', brackets, a comment mark or
// a line break in them). Converted once.
struct Lookup
{
    QString section, key, def, sectionUpper, keyUpper, sectionLower, keyLower;
    QByteArray name; // for messages
};

const std::vector<Lookup>& lookups()
{
    static const std::vector<Lookup> all = [] {
        std::vector<Lookup> v;
        auto add = [&](const QString& section, const QString& key, const QString& def) {
            Lookup l{section, key, def, section.toUpper(), key.toUpper(), section.toLower(),
                     key.toLower(), ("[" + section + "] " + key).toUtf8()};
            v.push_back(l);
        };
        QString anyKey;
        for (const auto table : CaptionTables::all()) {
            for (const CaptionRow& row : table) {
                const QString section = QString::fromUtf8(row.section);
                const QString key = QString::fromUtf8(row.key);
                const QString def = QString::fromUtf8(row.english);
                const QString other = section == QLatin1String("QOS") ? QStringLiteral("VLAN")
                                                                      : QStringLiteral("QOS");
                add(section, key, def);
                add(other, key, def);
                add(section, QLatin1Char(' ') + key + QLatin1Char(' '), def);
                add(section.toLower(), key.toUpper(), def);
                anyKey = key;
            }
        }
        for (const QString& odd : {QString(), QStringLiteral("a=b"), QStringLiteral("[VLAN]"),
                                   QStringLiteral(";") + anyKey, anyKey + QLatin1Char('\n') + anyKey})
            add(QStringLiteral("VLAN"), odd, QStringLiteral("odd key"));
        add(QString(), anyKey, QStringLiteral("no section"));
        add(QStringLiteral("  "), anyKey, QStringLiteral("blank section"));
        add(QStringLiteral("VLAN\n") + anyKey, anyKey, QStringLiteral("line break in a section"));
        return v;
    }();
    return all;
}

void lookUpEveryKey(const TIniFile& ini, const QString& decoded)
{
    for (const Lookup& l : lookups()) {
        const QString value = lookup(&ini, l.section, l.key, l.def);
        FUZZ_CHECK(!value.isEmpty(), "empty text for %s", l.name.constData());
        // A value is a piece of one line of the file.
        FUZZ_CHECK(value == l.def || decoded.contains(value),
                   "%s has a value the file does not hold", l.name.constData());
        // Letter case does not matter (for names whose case maps back and forth).
        if (l.sectionUpper.toLower() == l.sectionLower && l.keyUpper.toLower() == l.keyLower)
            FUZZ_CHECK(ini.ReadString(l.sectionUpper, l.keyUpper, l.def)
                           == ini.ReadString(l.sectionLower, l.keyLower, l.def),
                       "letter case matters for %s", l.name.constData());
    }
    const Lookup& first = lookups().front();
    FUZZ_CHECK(lookup(nullptr, first.section, first.key, first.def) == first.def,
               "a null catalogue does not give the default");
    FUZZ_CHECK(ini.FileName().isEmpty(), "a parsed catalogue has no file name");
}

bool isAscii(QStringView s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The lookup against the simplest reading of the walk: the first non-empty
// value of each (section, key), names compared without letter case. Only
// ASCII names, whose case folding is plain.
void matchesTheWalk(const TIniFile& ini, const QString& decoded)
{
    QHash<QString, QString> first;
    std::vector<std::pair<QString, QString>> names;
    forEachCatalogueLine(decoded, [&](const CatalogueLine& l) {
        if (l.value.isEmpty() || !isAscii(l.section) || !isAscii(l.key))
            return;
        const QString name = l.section.toString().toLower() + QLatin1Char('\n') + l.key.toString().toLower();
        if (!first.contains(name)) {
            first.insert(name, l.value.toString());
            names.emplace_back(l.section.toString(), l.key.toString());
        }
    });
    for (const auto& [section, key] : names) {
        const QString name = section.toLower() + QLatin1Char('\n') + key.toLower();
        FUZZ_CHECK(ini.ReadString(section, key, QString()) == first.value(name),
                   "lookup and line walk disagree on a key");
        FUZZ_CHECK(ini.ReadString(section.toUpper(), key.toUpper(), QString()) == first.value(name),
                   "letter case matters for a key of the file");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text = byteImage(data, size);
    const QString decoded = decodeCatalogueText(text);
    TIniFile ini;
    ini.parse(text);
    lookUpEveryKey(ini, decoded);
    matchesTheWalk(ini, decoded);

    // Parsing again replaces the catalogue with the same text: every answer
    // stays the same.
    ini.parse(text);
    TIniFile once;
    once.parse(text);
    for (const Lookup& l : lookups())
        FUZZ_CHECK(ini.ReadString(l.section, l.key, l.def) == once.ReadString(l.section, l.key, l.def),
                   "a second parse changed %s", l.name.constData());
    return 0;
}
