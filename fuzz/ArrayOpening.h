// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// How both array targets start: the host's array is filled from the
// fuzzer's bytes (0xFF once they run out), and then any array survives its JSON form byte for byte, the array
// check reads it without touching it, and the blank rule gives the default
// image exactly when enough bytes are 0xFF, else changes nothing.

#include "fuzz/FuzzSupport.h"
#include "core/ArrayCheck.h"
#include "core/ArrayJson.h"

#include <algorithm>

// Returns the bytes as the blank rule left them.
template <typename Config, std::size_t N>
std::array<unsigned char, N> openArray(ArrayKind kind, FuzzReader& in, GuardedArray<N>& host, long blankThreshold)
{
    in.fill(host.data(), N, 0xFF);
    const std::array<unsigned char, N> original = host.bytes();
    const long ff = std::count(original.begin(), original.end(), 0xFF);

    const QByteArray bytes = byteImage(original);
    const Result<QByteArray> back = arrayFromJson(arrayToJson(kind, bytes));
    FUZZ_CHECK(back.ok() && back.value() == bytes, "JSON round trip");
    (void)checkArray(kind, host.data(), UnitFactsForCheck{});
    FUZZ_CHECK(host.bytes() == original, "the check changed the array");

    Config cfg(host.data());
    const bool replaced = cfg.applyBlankRule();
    checkGuards(host);
    FUZZ_CHECK(replaced == (ff >= blankThreshold), "blank rule with %ld bytes of 0xFF", ff);
    const std::array<unsigned char, N> loaded = host.bytes();
    FUZZ_CHECK(loaded == (replaced ? Config::defaultImage() : original), "blank rule left the wrong bytes");
    return loaded;
}
