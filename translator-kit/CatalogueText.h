// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

// What the kit needs to know about a catalogue's text beyond its entries.
// (Whether its bytes are text at all: toolsupport/TextEncoding.h.)

// The comment line that marks the entry right below it as meant to read as
// the English text (a technical name, a word the language borrows).
inline constexpr const char* kSameAsEnglishMarker = "; same-as-english";
bool isSameAsEnglishMarker(QStringView line);

// The catalogue's language: a "; Language: CODE" comment line before the
// first section, else the file name ("de.ini", "pt_BR.ini"); empty when
// neither says.
QString catalogueLanguage(const QString& text, const QString& path);
bool isEnglish(const QString& language);

// Whether most letters of the catalogue's values are of a right-to-left script.
bool mostlyRightToLeft(const QString& text);

// Lines (from 1) of entries marked as meant to read as the English text.
QList<int> sameAsEnglishLines(const QString& text);

// A caption as shown: accelerator marks removed, "&&" as one ampersand,
// line breaks as blanks, surrounding blanks gone.
QString shownText(const QString& caption);
