// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "translator-kit/TranslationFile.h"

// Reads a gettext PO file as msgmerge, msgcat, msgattrib, xliff2po, lconvert
// and Poedit write it: strings continued on following lines, every escape
// gettext knows (\n \t \" \\ \a \b \f \v \r, octal \ooo and hex \xHH, whose
// bytes must together form UTF-8), flags ("#, fuzzy"), references ("#:",
// also the translate toolkit's quoted form), lconvert's "#. ts-id" comment,
// previous strings ("#|") and obsolete entries ("#~", skipped); an entry's
// first 16 references are kept. The header
// (empty msgid) gives the language ("Language:" or "X-Language:"); a header
// naming a charset other than UTF-8 is refused by name.
TranslationFile readPo(const QString& text);

// gettext's escapes of one quoted PO string undone, appended to `bytes`;
// false when the string is not one quoted string or an escape is malformed.
bool poUnescape(QStringView quoted, QByteArray& bytes);
