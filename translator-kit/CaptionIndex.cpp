// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CaptionIndex.h"

#include "core/CaptionTables.h"

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
    for (std::span<const CaptionRow> table : CaptionTables::all()) {
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
    for (size_t i = 0; i < m_keys.size(); ++i) {
        m_byLookup.insert(lookupKey(m_keys[i].section, m_keys[i].key), i);
        if (!m_sections.contains(m_keys[i].section))
            m_sections.append(m_keys[i].section);
    }
}

QStringList CaptionIndex::sections() const
{
    return m_sections;
}

const KnownKey* CaptionIndex::find(const QString& section, const QString& key) const
{
    const auto it = m_byLookup.constFind(lookupKey(section.trimmed(), key.trimmed()));
    return it == m_byLookup.constEnd() ? nullptr : &m_keys[*it];
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
