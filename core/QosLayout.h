// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Where every field of the QoS configuration array lies. Private to the core
// library: hosts and tools reach the fields through QosConfigArray.

#include "core/BitField.h"
#include "core/QosConfig.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// A table of equal entries packed into one little-endian word of the array:
// entry i occupies Width bits from bit i * Stride of the word. Bits between
// entries belong to no entry; writes keep them and reads mask them off.
template <std::size_t Base, typename Word, unsigned Entries, unsigned Stride, unsigned Width>
struct PackedTable
{
    static_assert(Width <= Stride && Entries * Stride <= 8 * sizeof(Word),
                  "the entries fit the word without overlapping");

    static constexpr std::size_t base = Base;
    static constexpr std::size_t bytes = sizeof(Word);
    static constexpr unsigned entries = Entries;
    static constexpr unsigned limit = 1u << Width; // accepted values are below this

    static constexpr Word entryMask(unsigned i)
    {
        return Word((Word(1) << Width) - 1) << (i * Stride);
    }

    static constexpr unsigned get(const std::uint8_t* cfg, unsigned i)
    {
        return unsigned((readLittleEndian<Word>(cfg + Base) & entryMask(i)) >> (i * Stride));
    }

    // Rewrites the accepted entries together; an entry given as nullopt (or
    // out of range) keeps its stored value, as do the bits of no entry.
    static constexpr void write(std::uint8_t* cfg, const std::array<std::optional<unsigned>, Entries>& values)
    {
        Word replace = 0;
        Word fresh = 0;
        for (unsigned i = 0; i < Entries; ++i) {
            if (!values[i] || *values[i] >= limit)
                continue;
            replace |= entryMask(i);
            fresh |= Word(*values[i]) << (i * Stride);
        }
        const Word stored = readLittleEndian<Word>(cfg + Base);
        writeLittleEndian<Word>(cfg + Base, Word((stored & ~replace) | fresh));
    }
};

// Where every field lies. Each field is declared here once; reads, writes and
// masks come from these declarations.
namespace QosLayout {
using PortPriorityLine2 = BitField<0, 0, 3>;
using PortPriorityLine3 = BitField<0, 3, 3>;
using ReservedByte0 = BitField<0, 6, 2>;        // cleared with the port priorities
using PortPriorityLine4 = BitField<1, 0, 3>;
using ReservedByte1 = BitField<1, 3, 5>;        // cleared with the port priorities
using ResolutionLine2 = BitField<2, 0, 3>;
using ResolutionLine3 = BitField<2, 3, 3>;
using ReservedByte2 = BitField<2, 6, 2>;        // never written
using ResolutionLine4 = BitField<3, 0, 3>;
using ReservedByte3 = BitField<3, 3, 5>;        // never written
using VlanRemapLine2 = PackedTable<4, std::uint32_t, kRemapEntries, 4, 3>;
using VlanRemapLine3 = PackedTable<8, std::uint32_t, kRemapEntries, 4, 3>;
using VlanRemapLine4 = PackedTable<12, std::uint32_t, kRemapEntries, 4, 3>;
using VlanQueueMapp = PackedTable<16, std::uint16_t, kVlanQueueEntries, 2, 2>;
using DscpQueueMappLow = PackedTable<18, std::uint64_t, kDscpHalfEntries, 2, 2>;  // DSCP 0..31
using DscpQueueMappHigh = PackedTable<26, std::uint64_t, kDscpHalfEntries, 2, 2>; // DSCP 32..63
using QueueWeight0 = BitField<34, 0, 8>;
using QueueWeight1 = BitField<35, 0, 8>;
using QueueWeight2 = BitField<36, 0, 8>;
using QueueWeight3 = BitField<37, 0, 8>;
using Ch1Scheduling = BitField<38, 0, 1>;
using Ch2Scheduling = BitField<38, 1, 1>;
using QosMainSwitch = BitField<38, 2, 1>;
using ReservedByte38 = BitField<38, 3, 5>;      // cleared with any switch
using ReservedByte39 = BitField<39, 0, 8>;      // 0 in the default image only

// Every bit of a byte belongs to exactly one field: the fields of a byte lie
// in that byte, their widths add up to eight and their masks cover it.
template <typename... Fields>
constexpr bool coversOneByte()
{
    constexpr std::size_t bytes[] = {Fields::byte...};
    return ((Fields::byte == bytes[0]) && ...) && (Fields::width + ...) == 8
        && (Fields::mask | ...) == 0xFF;
}
static_assert(coversOneByte<PortPriorityLine2, PortPriorityLine3, ReservedByte0>());
static_assert(coversOneByte<PortPriorityLine4, ReservedByte1>());
static_assert(coversOneByte<ResolutionLine2, ResolutionLine3, ReservedByte2>());
static_assert(coversOneByte<ResolutionLine4, ReservedByte3>());
static_assert(coversOneByte<Ch1Scheduling, Ch2Scheduling, QosMainSwitch, ReservedByte38>());
// The tables follow one another without gaps up to the weights.
static_assert(VlanRemapLine2::base + VlanRemapLine2::bytes == VlanRemapLine3::base);
static_assert(VlanRemapLine3::base + VlanRemapLine3::bytes == VlanRemapLine4::base);
static_assert(VlanRemapLine4::base + VlanRemapLine4::bytes == VlanQueueMapp::base);
static_assert(VlanQueueMapp::base + VlanQueueMapp::bytes == DscpQueueMappLow::base);
static_assert(DscpQueueMappLow::base + DscpQueueMappLow::bytes == DscpQueueMappHigh::base);
static_assert(DscpQueueMappHigh::base + DscpQueueMappHigh::bytes == QueueWeight0::byte);
static_assert(ReservedByte39::byte + 1 == kQosConfigSize);
} // namespace QosLayout
