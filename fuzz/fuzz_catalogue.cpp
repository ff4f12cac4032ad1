// Any bytes as a language catalogue, then every lookup the dialogs make.
// Checked: a lookup never returns an empty text (an empty value reads as
// absent), a key missing from the text gives the English default, letter case
// of section and key does not matter, and parsing the text a second time
// changes no answer.

#include "fuzz/CatalogueKeys.h"
#include "fuzz/FuzzSupport.h"
#include "core/IniFile.h"
#include "core/Lookup.h"

#include <QByteArray>
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

void lookUpEveryKey(const TIniFile& ini, const QByteArray& text)
{
    const QString decoded = QString::fromUtf8(text);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    TIniFile ini;
    ini.parse(text);
    lookUpEveryKey(ini, text);

    // Parsing twice adds to the catalogue; the first value of a key wins, so
    // every answer stays the same.
    ini.parse(text);
    TIniFile once;
    once.parse(text);
    for (const Lookup& l : lookups())
        FUZZ_CHECK(ini.ReadString(l.section, l.key, l.def) == once.ReadString(l.section, l.key, l.def),
                   "a second parse changed [%s] %s", l.source->section, l.source->key);
    return 0;
}
