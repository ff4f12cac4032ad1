// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Where every field of the VLAN configuration array lies. Private to the core
// library: hosts and tools reach the fields through VlanConfigArray and the
// field catalogue.

#include "core/BitField.h"
#include "core/VlanConfig.h"

#include <cstddef>
#include <cstdint>

namespace VlanLayout {

// ---- The fields, each declared once ------------------------------------------

// Byte 0: version, switch-wide flags, two reserved bits (3 and 7).
using CfgPoleVersion = BitField<0, 0, 3>;
using DisableLearning = BitField<0, 4, 1>;
using BpduPriorityOverride = BitField<0, 5, 1>;
using LacpPriorityOverride = BitField<0, 6, 1>;
constexpr std::uint8_t kReservedByte0Mask = 0x88; // bits 3 and 7

// Byte 1: ingress policy of LINE 2 .. Modem 2, remove one provider tag, mode.
using IngressLine2 = BitField<1, 0, 1>;
using IngressLine3 = BitField<1, 1, 1>;
using IngressLine4 = BitField<1, 2, 1>;
using IngressModem1 = BitField<1, 3, 1>;
using IngressModem2 = BitField<1, 4, 1>;
using Remove1PT = BitField<1, 5, 1>;
using VlanModeField = BitField<1, 6, 2>;

// Byte 2: force default VID of LINE 2 .. Modem 2, double-tag mode of the LINE ports.
using ForceLine2 = BitField<2, 0, 1>;
using ForceLine3 = BitField<2, 1, 1>;
using ForceLine4 = BitField<2, 2, 1>;
using ForceModem1 = BitField<2, 3, 1>;
using ForceModem2 = BitField<2, 4, 1>;
using DoubleTagLine2 = BitField<2, 5, 1>;
using DoubleTagLine3 = BitField<2, 6, 1>;
using DoubleTagLine4 = BitField<2, 7, 1>;

// Byte 3: double-tag mode of the modems, provider EtherType, first forwarding bits.
using DoubleTagModem1 = BitField<3, 0, 1>;
using DoubleTagModem2 = BitField<3, 1, 1>;
using ProvEthType = BitField<3, 2, 2>;
using FwdModem1Line2 = BitField<3, 4, 1>;
using FwdModem1Line3 = BitField<3, 5, 1>;
using FwdModem1Line4 = BitField<3, 6, 1>;
using FwdModem2Line2 = BitField<3, 7, 1>;

// Byte 4: the other forwarding bits and "Separate User Ports".
using FwdModem2Line3 = BitField<4, 0, 1>;
using FwdModem2Line4 = BitField<4, 1, 1>;
using FwdNmsLine2 = BitField<4, 2, 1>;
using FwdNmsLine3 = BitField<4, 3, 1>;
using FwdNmsLine4 = BitField<4, 4, 1>;
using FwdNmsModem1 = BitField<4, 5, 1>;
using FwdNmsModem2 = BitField<4, 6, 1>;
using SeparateUserPorts = BitField<4, 7, 1>;

// Bytes 14-15: the number of static VLAN entries.
using PocetVlanLow = BitField<14, 0, 8>;
using PocetVlanHigh = BitField<15, 0, 8>;

// Twelve-bit values stored in pairs over three bytes, relative to the pair's
// first byte: the first value takes byte 0 and the low nibble of byte 1, the
// second the high nibble of byte 1 and byte 2.
using PairFirstLow = BitField<0, 0, 8>;
using PairFirstHigh = BitField<1, 0, 4>;
using PairSecondLow = BitField<1, 4, 4>;
using PairSecondHigh = BitField<2, 0, 8>;

// One static VLAN slot, relative to its first byte: the VID as the first value
// of a pair, then the six membership codes.
using SlotVidLow = PairFirstLow;
using SlotVidHigh = PairFirstHigh;
using SlotLine2 = BitField<1, 4, 2>;
using SlotLine3 = BitField<1, 6, 2>;
using SlotLine4 = BitField<2, 0, 2>;
using SlotModem1 = BitField<2, 2, 2>;
using SlotModem2 = BitField<2, 4, 2>;
using SlotNms = BitField<2, 6, 2>;

constexpr int kFirstSlotByte = 16;
constexpr int kSlotSize = 3;

// Default VIDs: port p is value p % 2 of the pair starting at byte 5 + 3 * (p / 2).
constexpr int kFirstDefaultVidByte = 5;

// ---- Layout checks ------------------------------------------------------------

template <typename... Fields>
constexpr bool disjoint()
{
    constexpr std::size_t bytes[] = {Fields::byte...};
    constexpr std::uint8_t masks[] = {Fields::mask...};
    for (std::size_t i = 0; i < sizeof...(Fields); ++i)
        for (std::size_t j = i + 1; j < sizeof...(Fields); ++j)
            if (bytes[i] == bytes[j] && (masks[i] & masks[j]) != 0)
                return false;
    return true;
}

template <std::size_t Byte, typename... Fields>
constexpr std::uint8_t coverage()
{
    return std::uint8_t((0u | ... | (Fields::byte == Byte ? Fields::mask : 0u)));
}

static_assert(disjoint<CfgPoleVersion, DisableLearning, BpduPriorityOverride,
                       LacpPriorityOverride>());
static_assert(coverage<0, CfgPoleVersion, DisableLearning, BpduPriorityOverride,
                       LacpPriorityOverride>() == std::uint8_t(~kReservedByte0Mask),
              "bits 3 and 7 of byte 0 are reserved");
static_assert(disjoint<IngressLine2, IngressLine3, IngressLine4, IngressModem1, IngressModem2,
                       Remove1PT, VlanModeField>());
static_assert(coverage<1, IngressLine2, IngressLine3, IngressLine4, IngressModem1,
                       IngressModem2, Remove1PT, VlanModeField>() == 0xFF);
static_assert(disjoint<ForceLine2, ForceLine3, ForceLine4, ForceModem1, ForceModem2,
                       DoubleTagLine2, DoubleTagLine3, DoubleTagLine4>());
static_assert(coverage<2, ForceLine2, ForceLine3, ForceLine4, ForceModem1, ForceModem2,
                       DoubleTagLine2, DoubleTagLine3, DoubleTagLine4>() == 0xFF);
static_assert(disjoint<DoubleTagModem1, DoubleTagModem2, ProvEthType, FwdModem1Line2,
                       FwdModem1Line3, FwdModem1Line4, FwdModem2Line2>());
static_assert(coverage<3, DoubleTagModem1, DoubleTagModem2, ProvEthType, FwdModem1Line2,
                       FwdModem1Line3, FwdModem1Line4, FwdModem2Line2>() == 0xFF);
static_assert(disjoint<FwdModem2Line3, FwdModem2Line4, FwdNmsLine2, FwdNmsLine3, FwdNmsLine4,
                       FwdNmsModem1, FwdNmsModem2, SeparateUserPorts>());
static_assert(coverage<4, FwdModem2Line3, FwdModem2Line4, FwdNmsLine2, FwdNmsLine3,
                       FwdNmsLine4, FwdNmsModem1, FwdNmsModem2, SeparateUserPorts>() == 0xFF);
static_assert(disjoint<PairFirstLow, PairFirstHigh, PairSecondLow, PairSecondHigh>());
static_assert(disjoint<SlotVidLow, SlotVidHigh, SlotLine2, SlotLine3, SlotLine4, SlotModem1,
                       SlotModem2, SlotNms>());
static_assert(coverage<1, SlotVidHigh, SlotLine2, SlotLine3>() == 0xFF
              && coverage<2, SlotLine4, SlotModem1, SlotModem2, SlotNms>() == 0xFF);
static_assert(kFirstSlotByte + kSlotSize * kMaxStaticVlans == kVlanConfigSize,
              "the slots fill the array to its end");

} // namespace VlanLayout
