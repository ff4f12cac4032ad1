// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Shared by the robustness tests: seeds from the environment and seeded
// random arrays of the shapes units send. (Guarded host arrays and the bits
// each writer owns are the test support's.)

#include "testing/ArrayBytes.h"
#include "testing/GuardedArray.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>

namespace robust {

// A seed from the environment (decimal), or a fixed one.
inline std::uint32_t envNumber(const char* name, std::uint32_t fallback)
{
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const qulonglong n = v.toULongLong(&ok);
    return ok ? std::uint32_t(n) : fallback;
}

// A random QoS array: random bytes, now and then valid weights, blank ones or
// bytes near the blank threshold.
inline QosBytes randomQosArray(std::mt19937& rng)
{
    QosBytes b;
    for (auto& x : b)
        x = static_cast<unsigned char>(rng());
    switch (rng() % 8) {
    case 0: // never configured, or just short of it
        for (int i = 0, n = 34 + int(rng() % 4); i < n; ++i)
            b[rng() % kQosConfigSize] = 0xFF;
        break;
    case 1:
    case 2:
    case 3: { // valid weights, as a unit that the dialog configured holds
        int left = kQueueWeightSum;
        for (int q = 0; q < kQueueCount; ++q) {
            const int most = left - (kQueueCount - 1 - q);
            const int w = 1 + int(rng() % unsigned(std::min(most, 40)));
            b[34 + q] = static_cast<unsigned char>(w);
            left -= w;
        }
        break;
    }
    default:
        break;
    }
    return b;
}

// A random VLAN array: random bytes with a count in range (sometimes 0 or
// above 22), sometimes a blank array or one near the blank threshold.
inline VlanBytes randomVlanArray(std::mt19937& rng)
{
    VlanBytes b;
    for (auto& x : b)
        x = static_cast<unsigned char>(rng());
    switch (rng() % 10) {
    case 0: // above 22, up to 255, with a high byte
        break;
    case 1:
        b[14] = 0;
        break;
    case 2:
        for (int i = 0, n = 38 + int(rng() % 6); i < n; ++i)
            b[rng() % kVlanConfigSize] = 0xFF;
        break;
    default:
        b[14] = static_cast<unsigned char>(1 + rng() % kMaxStaticVlans);
        b[15] = rng() % 4 ? 0 : static_cast<unsigned char>(rng());
        break;
    }
    return b;
}

} // namespace robust
