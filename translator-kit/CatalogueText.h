// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArrayView>
#include <QString>

// What the kit needs to know about a catalogue's text beyond its entries.

// Where bytes stop being UTF-8: valid is true when the whole file decodes
// (or carries a UTF-16 byte order mark, which the dialogs read too).
struct EncodingProblem
{
    bool valid = true;
    int line = 0;       // from 1
    qint64 byte = 0;    // from 1, in the file
    int column = 0;     // from 1, the byte within its line
    unsigned char value = 0;
};
EncodingProblem findEncodingProblem(QByteArrayView bytes);

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
