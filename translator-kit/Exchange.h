// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

#include "translator-kit/TranslationImport.h"

#include <vector>

class CaptionIndex;

// The formats translators' tools speak: gettext PO and XLIFF 1.2, one entry
// per catalogue key.
//
// PO: msgctxt "SECTION|key", the reference "#: [SECTION]key" (the key
// written as the translate toolkit writes INI locations: blanks as '+',
// other characters outside letters, digits and "_.-~[]()/:,@" as %XX), the
// English text as msgid, "#." comments saying where the text appears and the
// room it has, "#, max-length:N" where the screen sets a limit.
// XLIFF: one group per section (resname SECTION), one trans-unit per key
// (id as unitIdOf in UnitId.h, resname key) with the same notes and maxwidth in pixels.
//
// What the translators' tools read as done is done: a translation is
// approved="yes" (XLIFF) and no "fuzzy" (PO); a value still identical to
// its one English text is exported as untranslated (empty msgstr, no
// target), so that a catalogue still in English, such as the template, has
// everything left to do; a value that differs from its English text only in
// its accelerator mark or blanks, or that is the English text where one value
// replaces two texts or a text with a line break, is fuzzy ("#, fuzzy";
// state="needs-review-translation"). A value marked "; same-as-english" is
// a translation.
// In PO, a text with blanks at either end (a grid heading's padding) is
// written in double quotes, as the catalogue line holds it, so that po2ini
// keeps the blanks; the import takes the pair off again.
//
// A key with two English texts has the first as its source; a text with a
// line break has its one-line form (a catalogue line cannot hold a break).
// A translation identical to its English source is written to the catalogue
// marked as meant to be the same.

// Where a key's text is shown and how wide it may grow, measured on the
// English dialogs at the application's density.
struct KeyRoom
{
    QString section;
    QString key;
    QStringList places;   // "QoS dialog, page "Global Settings": Label2"
    int room = 0;         // px the control gives the caption now; 0: unknown
    int maxWidth = 0;     // px before the dialog outgrows a 1280 px wide screen; 0: no limit known
    int maxLength = 0;    // characters of average width in maxWidth; 0: none
};
std::vector<KeyRoom> measureKeyRooms(const CaptionIndex& index);

// catalogueText: the translations (empty: none, a file to fill).
QString exportPo(const CaptionIndex& index, const std::vector<KeyRoom>& rooms, const QString& catalogueText,
                 const QString& language);
// error: set, and nothing returned, when a value holds a character that XML
// cannot carry (a control character, U+FFFE): the file would lose it.
QString exportXliff(const CaptionIndex& index, const std::vector<KeyRoom>& rooms, const QString& catalogueText,
                    const QString& language, QString* error = nullptr);

// Reads PO or XLIFF (told apart by the content). language: written into the
// catalogue's header (empty: the file's own).
ImportResult importTranslations(const QString& text, const CaptionIndex& index, const QString& language);

// The reference of a key as the translate toolkit writes it: "[QOS]%26Ok".
QString locationOf(const QString& section, const QString& key);

