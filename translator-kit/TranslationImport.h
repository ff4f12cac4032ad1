// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class CaptionIndex;
struct KnownKey;

// Turning a translator's PO or XLIFF file into a catalogue. The file may come
// from anywhere; what it cannot say safely is refused before anything is
// written:
//   - the file as a whole: empty, neither PO nor XLIFF 1.x, malformed, past
//     the XML bounds, a language that is not a language code, no entry at
//     all, or no entry that names a key of the dialogs;
//   - an entry that cannot be placed, each with its own message: a
//     translation without a key, a plural entry, a key given twice, a value
//     holding a line break (CR, LF, VT, FF, NEL, U+2028, U+2029 and the
//     other separators line readers split on) or another control character.
// An entry whose key the dialogs do not have is skipped with a warning (an
// older file: msgmerge it against a fresh export). Untranslated and fuzzy
// entries are left out, so that the English text shows.

struct ImportResult
{
    QString catalogue;    // UTF-8 INI text; empty when refused
    QStringList refusals; // non-empty: nothing may be written
    QStringList warnings; // entries skipped; the catalogue holds the rest
    int translated = 0;
    int leftOut = 0; // untranslated or fuzzy
};

// A unit id the kit's XLIFF gave a key (which peers keep as the id of their
// own units and as the reference of their PO entries) -> that key.
using UnitIds = QHash<QString, const KnownKey*>;
UnitIds unitIdsOf(const QString& kitXliff, const CaptionIndex& index);

// Reads PO or XLIFF (told apart by the content). language: written into the
// catalogue's header (empty: the file's own).
ImportResult importEntries(const QString& text, const CaptionIndex& index, const QString& language,
                           const UnitIds& unitIds);

// "de", "pt_BR", "zh-Hant-TW": letters, digits, '_' and '-', starting with a letter, at most 35.
bool isLanguageCode(QStringView code);

