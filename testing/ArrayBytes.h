// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The host's configuration arrays as values: the two array types, their bytes
// as a QByteArray and as readable hexadecimal text, and where two arrays
// differ outside the bits that a writer owns. QtCore only, so the fuzz
// targets use it too.

#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>

using QosBytes = std::array<unsigned char, kQosConfigSize>;
using VlanBytes = std::array<unsigned char, kVlanConfigSize>;

// An array of N bytes, each `fill`.
template <std::size_t N = kQosConfigSize>
std::array<unsigned char, N> filledBytes(unsigned char fill)
{
    std::array<unsigned char, N> b;
    b.fill(fill);
    return b;
}

// The bytes as a QByteArray (a copy), as the host's file and JSON code take them.
inline QByteArray byteImage(const unsigned char* bytes, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size));
}

template <std::size_t N>
QByteArray byteImage(const std::array<unsigned char, N>& bytes)
{
    return byteImage(bytes.data(), N);
}

// "00 1b ff ...": every byte as two lower-case hex digits, blank-separated.
// Comparing two of these names the differing byte in a failure message.
inline QString hexText(const unsigned char* bytes, std::size_t size)
{
    return QString::fromLatin1(byteImage(bytes, size).toHex(' '));
}

template <std::size_t N>
QString hexText(const std::array<unsigned char, N>& bytes)
{
    return hexText(bytes.data(), N);
}

// The first byte whose bits changed outside a mask of the bits a writer owns,
// or -1 when every change lies inside it.
template <std::size_t N>
int changedOutside(const std::array<unsigned char, N>& before, const std::array<unsigned char, N>& after,
                   const std::array<unsigned char, N>& mask)
{
    for (std::size_t i = 0; i < N; ++i)
        if ((before[i] ^ after[i]) & ~mask[i])
            return int(i);
    return -1;
}

// A mask of owned bits, built byte by byte.
template <std::size_t N>
struct BitMask
{
    std::array<unsigned char, N> m{};

    BitMask& bits(int byte, unsigned char b)
    {
        m[std::size_t(byte)] |= b;
        return *this;
    }
    // Whole bytes first..last; an empty range when last < first.
    BitMask& bytes(int first, int last)
    {
        for (int i = first; i <= last && i < int(N); ++i)
            m[std::size_t(i)] = 0xFF;
        return *this;
    }
};

using VlanMask = BitMask<kVlanConfigSize>;

// The bits the VLAN set button owns when it packs `count` slots: version and
// the three flags of byte 0 (bits 3 and 7 are reserved), bytes 1 and 2, byte 3
// but for the Modem double-tag bits, byte 4, the Default VIDs, the count, and
// the slots it packs.
inline VlanBytes vlanSetButtonMask(int count)
{
    VlanMask m;
    m.bits(0, 0x77)     // version and the three flags
        .bytes(1, 2)    // ingress, remove_1PT, mode; force flags, LINE double-tag modes
        .bits(3, 0xFC)  // EtherType and forwarding; the Modem double-tag bits stay
        .bytes(4, 15);  // forwarding, Default VIDs, count
    m.bytes(16, 16 + 3 * count - 1);
    return m.m;
}
