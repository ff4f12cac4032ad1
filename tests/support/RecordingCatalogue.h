// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/IniFile.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// A catalogue held in memory: keys of section "VLAN" mapped to texts, and
// every lookup recorded in order.
class RecordingCatalogue : public TIniFile
{
public:
    struct Lookup
    {
        QString section;
        QString key;
        QString def;
    };

    QHash<QString, QString> values; // key -> text, section "VLAN" only
    mutable std::vector<Lookup> lookups;

    QString ReadString(const QString& section, const QString& key, const QString& def) const override
    {
        lookups.push_back({section, key, def});
        if (section == QLatin1String("VLAN")) {
            const auto it = values.constFind(key);
            if (it != values.constEnd())
                return *it;
        }
        return def;
    }

    QStringList keys() const
    {
        QStringList k;
        for (const Lookup& l : lookups)
            k << l.key;
        return k;
    }
};
