// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/Result.h"

#include <QByteArrayView>
#include <QJsonValue>
#include <QString>

// A strict reader for the JSON that describes configuration arrays, which
// scripts write and other programs pass on. It takes JSON as RFC 8259 has
// it, in UTF-8, and refuses what a lenient reader would quietly resolve:
// - a key named twice in one object (a lenient reader keeps one of them);
// - any number but a whole decimal number without sign, fraction or exponent
//   of at most 2^53 (every number of the format is a count, a size or a
//   field value), and numbers with digits that JSON does not allow;
// - text after the value, nesting deeper than kStrictJsonDepthLimit, and a
//   text longer than kStrictJsonSizeLimit bytes.

// Far above the JSON of any number of arrays the tool is given at once (one
// VLAN array takes about 10 kB), low enough that a wrong file costs nothing.
inline constexpr qsizetype kStrictJsonSizeLimit = 4 * 1024 * 1024;
inline constexpr int kStrictJsonDepthLimit = 64;

// Why a text is not JSON of the format.
struct JsonProblem
{
    QString message;      // what is wrong, in words
    qsizetype offset = 0; // where, in bytes from the start
};

// The value a text holds, or why it holds none.
using StrictJson = Result<QJsonValue, JsonProblem>;

StrictJson parseStrictJson(QByteArrayView text);
