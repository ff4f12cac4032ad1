// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

/// \file
/// The value of one hexadecimal digit, for the readers that decode escapes
/// (JSON's \\u, gettext's \\x, percent-encoded unit ids). Not installed.

/// 0..15 for '0'..'9', 'a'..'f' and 'A'..'F' (ASCII only, whatever the
/// locale); -1 for anything else. Takes char, char16_t or a QChar's unicode().
constexpr int hexDigitValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return int(c - U'0');
    if (c >= U'a' && c <= U'f')
        return int(c - U'a') + 10;
    if (c >= U'A' && c <= U'F')
        return int(c - U'A') + 10;
    return -1;
}

static_assert(hexDigitValue('0') == 0 && hexDigitValue('9') == 9 && hexDigitValue('a') == 10
              && hexDigitValue('F') == 15 && hexDigitValue('g') == -1 && hexDigitValue('/') == -1
              && hexDigitValue(U'\uff10') == -1);
