// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A PO or XLIFF file as its reader found it, before any entry is matched to a
// catalogue key. The readers take files from anywhere (a translator's tool,
// a mail attachment): they check syntax and bounds, never meaning.

struct TranslationEntry
{
    // Where the entry says it belongs, most trusted first, as the file has
    // them: "SECTION|key" (a msgctxt, an XLIFF resname or id), "[SECTION]key"
    // (a reference), or a unit id the kit's XLIFF gave the key.
    QStringList names;
    QString source;
    QString target;
    bool fuzzy = false;  // marked as needing review: left out
    bool plural = false; // msgid_plural, or a unit of a plural group
    int line = 0;        // where the entry starts, from 1; 0: unknown

    // "entry "QOS|nms" (line 12)", safe to print: control characters shown
    // as escapes, at most 80 characters of the file's text.
    QString name() const;
};

struct TranslationFile
{
    std::vector<TranslationEntry> entries; // without the PO header or a tool's header unit
    QString language;                      // as the file says it, unchecked
    QString error;                         // non-empty: the file cannot be read (names the line)
};

// A text taken from a file, made safe to print on one line of a message.
QString printable(QStringView text, qsizetype limit = 80);
