// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// What the translator kit knows about the catalogue: every key of sections
// "QOS" and "VLAN" with its English texts, and every place a text is shown.
// Built from the caption tables of the library.

// One place where a catalogue text is shown.
struct CaptionUse
{
    QString dialog;  // "QoS dialog", "VLAN dialog", "VID entry dialog"
    QString page;    // page caption; empty when always visible
    QString control; // as the caption tables name it
    QString english;
    bool message = false; // a message box or status line, not a control caption
};

struct KnownKey
{
    QString section;
    QString key;
    QStringList englishTexts; // distinct English defaults, in table order
    std::vector<CaptionUse> uses;
    bool message() const; // every use is a message
};

class CaptionIndex
{
public:
    // The index of the library's tables, built on first use.
    static const CaptionIndex& library();

    // Keys in catalogue order: section "QOS" first, each section in table order.
    const std::vector<KnownKey>& keys() const { return m_keys; }
    QStringList sections() const;

    // The key as the catalogue reader finds it (letter case ignored); null if none.
    const KnownKey* find(const QString& section, const QString& key) const;
    // The key that a control of a dialog shows; null if none.
    const KnownKey* keyOfControl(const QString& dialog, const QString& control) const;
    // Where a control of a dialog sits: its page ("" when always visible).
    QString pageOfControl(const QString& dialog, const QString& control) const;

private:
    CaptionIndex();
    std::vector<KnownKey> m_keys;
    QStringList m_sections;
    QHash<QString, size_t> m_byLookup; // lower-case "section\nkey" -> index in m_keys
};
