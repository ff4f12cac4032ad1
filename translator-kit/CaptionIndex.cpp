#include "translator-kit/CaptionIndex.h"

#include "fuzz/CatalogueKeys.h"

#include <QHash>

namespace {

struct TableRow
{
    const char* section;
    const char* key;
    const char* english;
    const char* dialog;
    const char* page;
    const char* control;
    bool message;
};

// Every row of the library's caption tables.
std::vector<TableRow> tableRows()
{
    std::vector<TableRow> rows;
    for (const auto& k : kQosCatalogueKeys)
        rows.push_back({k.section, k.key, k.english, "QoS dialog", "", k.key, false});
    for (const auto& k : kVlanCatalogueKeys) {
        if (QByteArray(k.key) == "cancel_button" && QByteArray(k.english) == "Cancel") {
            rows.push_back({k.section, k.key, k.english, "VID entry dialog", "", k.key, false});
            break;
        }
        rows.push_back({k.section, k.key, k.english, "VLAN dialog", "", k.key, false});
    }
    return rows;
}

QString lookupKey(const QString& section, const QString& key)
{
    return section.toLower() + QLatin1Char('\n') + key.toLower();
}

} // namespace

bool KnownKey::message() const
{
    for (const CaptionUse& use : uses) {
        if (!use.message)
            return false;
    }
    return !uses.empty();
}

const CaptionIndex& CaptionIndex::library()
{
    static const CaptionIndex index;
    return index;
}

CaptionIndex::CaptionIndex()
{
    QHash<QString, size_t> seen;
    for (const TableRow& row : tableRows()) {
        const QString section = QString::fromUtf8(row.section);
        const QString key = QString::fromUtf8(row.key);
        const QString english = QString::fromUtf8(row.english);
        const QString id = lookupKey(section, key);
        auto at = seen.constFind(id);
        if (at == seen.constEnd()) {
            at = seen.insert(id, m_keys.size());
            m_keys.push_back({section, key, {}, {}});
        }
        KnownKey& entry = m_keys[*at];
        if (!entry.englishTexts.contains(english))
            entry.englishTexts.append(english);
        entry.uses.push_back({QString::fromUtf8(row.dialog), QString::fromUtf8(row.page),
                              QString::fromUtf8(row.control), english, row.message});
    }
}

QStringList CaptionIndex::sections() const
{
    QStringList list;
    for (const KnownKey& key : m_keys) {
        if (!list.contains(key.section))
            list.append(key.section);
    }
    return list;
}

const KnownKey* CaptionIndex::find(const QString& section, const QString& key) const
{
    const QString id = lookupKey(section.trimmed(), key.trimmed());
    for (const KnownKey& entry : m_keys) {
        if (lookupKey(entry.section, entry.key) == id)
            return &entry;
    }
    return nullptr;
}

const KnownKey* CaptionIndex::keyOfControl(const QString& dialog, const QString& control) const
{
    for (const KnownKey& entry : m_keys) {
        for (const CaptionUse& use : entry.uses) {
            if (use.dialog == dialog && use.control == control)
                return &entry;
        }
    }
    return nullptr;
}

QString CaptionIndex::pageOfControl(const QString& dialog, const QString& control) const
{
    for (const KnownKey& entry : m_keys) {
        for (const CaptionUse& use : entry.uses) {
            if (use.dialog == dialog && use.control == control)
                return use.page;
        }
    }
    return {};
}
