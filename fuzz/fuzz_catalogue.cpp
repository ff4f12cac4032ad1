// Any bytes as a language catalogue, then every lookup the dialogs make.
// Checked: a lookup never returns an empty text (an empty value reads as
// absent), a key missing from the text gives the English default, letter case
// of section and key does not matter, parsing the text a second time changes
// no answer, and every key line the line walk reports is answered by the
// lookup as a plain first-wins table of the walk would answer it.

#include "fuzz/CatalogueKeys.h"
#include "fuzz/FuzzSupport.h"
#include "core/CatalogueFile.h"
#include "core/IniFile.h"
#include "core/Lookup.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace {

// The keys as the dialogs pass them, converted once.
struct Lookup
{
    const CatalogueKey* source;
    QString section, key, def, sectionUpper, keyUpper, sectionLower, keyLower;
};

const std::vector<Lookup>& lookups()
{
    static const std::vector<Lookup> all = [] {
        std::vector<Lookup> v;
        auto add = [&](const CatalogueKey& k) {
            Lookup l{&k, QString::fromUtf8(k.section), QString::fromUtf8(k.key),
                     QString::fromUtf8(k.english), {}, {}, {}, {}};
            l.sectionUpper = l.section.toUpper();
            l.keyUpper = l.key.toUpper();
            l.sectionLower = l.section.toLower();
            l.keyLower = l.key.toLower();
            v.push_back(l);
        };
        for (const auto& k : kQosCatalogueKeys)
            add(k);
        for (const auto& k : kVlanCatalogueKeys)
            add(k);
        return v;
    }();
    return all;
}

void lookUpEveryKey(const TIniFile& ini, const QString& decoded)
{
    for (const Lookup& l : lookups()) {
        const CatalogueKey& k = *l.source;
        const QString value = lookup(&ini, l.section, l.key, l.def);
        FUZZ_CHECK(!value.isEmpty(), "empty text for [%s] %s", k.section, k.key);
        // A value is a piece of one line of the file.
        FUZZ_CHECK(value == l.def || decoded.contains(value),
                   "[%s] %s has a value the file does not hold", k.section, k.key);
        // Letter case does not matter (for names whose case maps back and forth).
        if (l.sectionUpper.toLower() == l.sectionLower && l.keyUpper.toLower() == l.keyLower)
            FUZZ_CHECK(ini.ReadString(l.sectionUpper, l.keyUpper, l.def)
                           == ini.ReadString(l.sectionLower, l.keyLower, l.def),
                       "letter case matters for [%s] %s", k.section, k.key);
    }
    (void)lookup(nullptr, QStringLiteral("VLAN"), QStringLiteral("nms"), QStringLiteral("NMS"));
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
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
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
                   "a second parse changed [%s] %s", l.source->section, l.source->key);
    return 0;
}
