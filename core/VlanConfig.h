// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"
#include "core/UnitConstants.h"

#include <array>
#include <cstdint>

/// \file
/// The 82-byte VLAN configuration array of a unit's Ethernet switch, worked on
/// in place in the host's memory. No widget code lives here.

/// The six switch ports, in the order used everywhere in the VLAN dialog.
enum tPortik : unsigned char {
    port_line2 = 0,
    port_line3 = 1,
    port_line4 = 2,
    port_modem1 = 3,
    port_modem2 = 4,
    port_nms = 5,
};

/// How a port belongs to a static VLAN entry.
enum MembershipCode : short {
    unmodified_member = 0,
    untagged_member = 1,
    tagged_member = 2,
    not_a_member = 3,
};

/// The VLAN configuration array's size in bytes.
constexpr int kVlanConfigSize = 82;
constexpr int kMaxStaticVlans = 22;   ///< entry slots in bytes 16..81
constexpr int kPortForwardingBoxes = 12; ///< the matrix's 11 boxes and "Separate User Ports"

/// One static VLAN entry as stored in a 3-byte slot: the VID and the membership
/// codes of the six ports in tPortik order.
struct StaticVlanEntry
{
    unsigned short vid = 0;               ///< the VLAN ID (12 bits)
    std::array<unsigned char, 6> codes{}; ///< a MembershipCode per port, in tPortik order
    /// Member-wise equality.
    friend bool operator==(const StaticVlanEntry&, const StaticVlanEntry&) = default;
};

/// Positions in PortForwarding, the order of CheckBox7..CheckBox18.
enum PortForwardingBox : int {
    kFwdModem1Line2 = 0,
    kFwdModem1Line3 = 1,
    kFwdModem1Line4 = 2,
    kFwdModem2Line2 = 3,
    kFwdModem2Line3 = 4,
    kFwdModem2Line4 = 5,
    kFwdNmsLine2 = 6,
    kFwdNmsLine3 = 7,
    kFwdNmsLine4 = 8,
    kFwdNmsModem1 = 9,
    kFwdNmsModem2 = 10,
    kFwdSeparateUserPorts = 11,
};

/// The port forwarding bits in the order of CheckBox7..CheckBox18: Modem 1 to
/// LINE 2/3/4, Modem 2 to LINE 2/3/4, NMS to LINE 2/3/4/Modem 1/Modem 2, and
/// "Separate User Ports".
using PortForwarding = std::array<bool, kPortForwardingBoxes>;

/// A view of a host's array; every read goes to the host's bytes at the time of
/// the call and every write changes them at once. A setter changes only its
/// field's bits and cuts the value to the field's width.
class ODU_SWITCH_CORE_EXPORT VlanConfigArray
{
public:
    /// A view of the 82 bytes at \p cfgPole, which the caller owns and keeps
    /// alive while the view is used; the view copies nothing. Null makes a
    /// view that must not be read or written.
    explicit VlanConfigArray(unsigned char* cfgPole = nullptr) : m_cfg(cfgPole) {}

    /// The host's bytes the view works on.
    unsigned char* data() const { return m_cfg; }

    /// The VLAN default image, 82 bytes.
    static const std::array<unsigned char, kVlanConfigSize>& defaultImage();
    /// 41 or more of the 82 bytes equal 0xFF.
    static bool isBlank(const unsigned char* cfg);
    /// Replaces a blank array by the default image; true when it did.
    bool applyBlankRule();
    /// Writes the default image over all 82 bytes.
    void writeDefaultImage();

    /// The array's format version, bits 0..2 of byte 0 (the dialog writes 0).
    void set_cfg_pole_version(unsigned char v);

    /// Ingress policy, force-default-VID and double-tag mode exist for
    /// port_line2..port_modem2 only; with port_nms a getter reads 0 and a
    /// setter changes nothing.
    unsigned char get_ingress_policy(tPortik p) const;
    /// The ingress policy bit of a port (byte 1, bits 0..4).
    void set_ingress_policy(tPortik p, char v);
    /// "Remove 1 Provider Tag Only" (byte 1, bit 5).
    unsigned char get_remove_1PT() const;
    /// Sets get_remove_1PT()'s bit.
    void set_remove_1PT(char v);
    /// The VLAN mode (byte 1, bits 6..7): 0 Disable, 1 Single Tag, 2 Double
    /// Tag; 3 names no mode (the dialog shows it as Double Tag).
    unsigned char get_vlan_mode() const;
    /// Sets the VLAN mode's two bits.
    void set_vlan_mode(char v);
    /// Whether a port's Default VID is forced on its tagged frames (byte 2,
    /// bits 0..4).
    unsigned char get_force_DefVID(tPortik p) const;
    /// Sets get_force_DefVID()'s bit of a port.
    void set_force_DefVID(tPortik p, char v);
    /// A port's double tag mode bit (byte 2 bits 5..7, byte 3 bits 0..1).
    unsigned char get_doubleTag_mode(tPortik p) const;
    /// Sets get_doubleTag_mode()'s bit of a port.
    void set_doubleTag_mode(tPortik p, char v);
    /// The provider EtherType, an item index 0..3 (byte 3, bits 2..3).
    unsigned char get_provEth_type() const;
    /// Sets the provider EtherType's two bits.
    void set_provEth_type(char v);
    /// A port outside 0..5 reads 0 and writes nothing.
    unsigned short get_Default_VID(tPortik p) const;
    /// Writes a port's Default VID, cut to its 12 bits.
    void set_Default_VID(tPortik p, unsigned short vid);
    /// Byte 14 alone (0..255); the setter writes both bytes.
    unsigned short get_pocet_vlan() const;
    /// Writes the static VLAN entry count: the low byte of \p n into byte 14
    /// and the high byte into byte 15.
    void set_pocet_vlan(unsigned short n);
    /// The stored count bounded at the 22 slots the array has.
    unsigned short storedEntryCount() const;

    /// "Disable learning", byte 0, bit 4: the first of the switch-wide flags
    /// of byte 0 (no accessors of their own in the dialog; read and written
    /// directly).
    bool disableLearning() const;
    /// "BPDU priority override": byte 0, bit 5.
    bool bpduPriorityOverride() const;
    /// "LACP priority override": byte 0, bit 6.
    bool lacpPriorityOverride() const;
    /// Rewrites bits 4..6 of byte 0; the version and reserved bits stay.
    void setMiscFlags(bool disableLearning, bool bpduOverride, bool lacpOverride);

    /// Port forwarding (bits 4..7 of byte 3 and all of byte 4).
    PortForwarding portForwarding() const;
    /// Keeps bits 0..3 of byte 3 and rewrites all eight bits of byte 4.
    void setPortForwarding(const PortForwarding& boxes);

    /// Static VLAN slots; slot must be 0..21 (others read a zero entry and
    /// write nothing). Unpacking reads an NMS code 0..2 as untagged_member (1).
    StaticVlanEntry readSlot(int slot) const;
    /// Writes all three bytes of a slot: the VID cut to 12 bits and each
    /// code cut to 2 bits, stored as they are.
    void writeSlot(int slot, const StaticVlanEntry& entry);

private:
    unsigned char* m_cfg;
};
