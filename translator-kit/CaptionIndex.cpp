#include "translator-kit/CaptionIndex.h"

#include "plugin/CaptionTables.h"

#include <QHash>

#include <algorithm>

namespace {

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
    for (std::span<const CaptionRow> table : allCaptionTables()) {
        for (const CaptionRow& row : table) {
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
                                  QString::fromUtf8(row.control), english,
                                  row.kind == CaptionKind::Message});
        }
    }
    // Catalogue order: section "QOS" first, whichever table a key came from.
    std::stable_sort(m_keys.begin(), m_keys.end(), [](const KnownKey& a, const KnownKey& b) {
        return a.section == QLatin1String("QOS") && b.section != QLatin1String("QOS");
    });
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
