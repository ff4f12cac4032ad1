// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

/// \file
/// Facts of the radio unit's Ethernet switch that several modules, the dialogs,
/// the command-line tool and the tests share. Each is named here once.

/// The smallest VLAN ID a port's Default VID or a static VLAN entry may carry.
constexpr int kMinVid = 1;
/// The largest VLAN ID a port's Default VID or a static VLAN entry may carry.
constexpr int kMaxVid = 4094;

/// The bit of the host's oduCapabilities that says the unit has a LINE 4 port.
constexpr unsigned kLine4CapabilityBit = 0x08;

/// The modem2Mode with which a present second radio channel is not usable.
constexpr unsigned kModem2UnusableMode = 100;

/// The blank rule: an array with at least this many bytes of 0xFF was never
/// configured and is replaced by its default image.
constexpr int kQosBlankThreshold = 36;  ///< of 40
constexpr int kVlanBlankThreshold = 41; ///< of 82

/// Whether the unit has a LINE 4 port, from the host's oduCapabilities.
constexpr bool unitHasLine4(char oduCapabilities)
{
    return (static_cast<unsigned char>(oduCapabilities) & kLine4CapabilityBit) != 0;
}

/// Whether the second radio channel can carry traffic: present and not in the
/// mode that leaves it unusable.
constexpr bool unitModem2Usable(char modem2Present, char modem2Mode)
{
    return modem2Present != 0 && static_cast<unsigned char>(modem2Mode) != kModem2UnusableMode;
}
