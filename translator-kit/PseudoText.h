// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

// A pseudo-translation of an English text, for seeing how the dialogs take a
// long translation before one exists: letters get accents, the text goes in
// brackets and is padded to expandPercent % more characters than the English.
// Kept as they are: the accelerator ("&x" and "&&"), line breaks, digits,
// placeholders such as "%1" or "%s", and blanks before and after the text.
QString pseudoTranslate(const QString& english, int expandPercent);
