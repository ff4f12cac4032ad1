// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/VlanConfig.h"

#include "core/VlanLayout.h"

#include <algorithm>
#include <cstdint>

using namespace VlanLayout;

namespace {

// ---- Run-time selection of a port's field ------------------------------------

// A field chosen at run time from a table of fields of the same kind.
struct FieldAccess
{
    unsigned (*get)(const std::uint8_t*);
    void (*set)(std::uint8_t*, unsigned);
};

template <typename Field>
constexpr FieldAccess access()
{
    return {&Field::get, &Field::set};
}

// Port order: LINE 2, LINE 3, LINE 4, Modem 1, Modem 2 (NMS has none).
constexpr FieldAccess kIngress[] = {access<IngressLine2>(), access<IngressLine3>(),
                                    access<IngressLine4>(), access<IngressModem1>(),
                                    access<IngressModem2>()};
constexpr FieldAccess kForce[] = {access<ForceLine2>(), access<ForceLine3>(),
                                  access<ForceLine4>(), access<ForceModem1>(),
                                  access<ForceModem2>()};
constexpr FieldAccess kDoubleTag[] = {access<DoubleTagLine2>(), access<DoubleTagLine3>(),
                                      access<DoubleTagLine4>(), access<DoubleTagModem1>(),
                                      access<DoubleTagModem2>()};

// In the order of CheckBox7 .. CheckBox18.
constexpr FieldAccess kForwarding[kPortForwardingBoxes] = {
    // kFwdModem1Line2 .. kFwdSeparateUserPorts
    access<FwdModem1Line2>(), access<FwdModem1Line3>(), access<FwdModem1Line4>(),
    access<FwdModem2Line2>(), access<FwdModem2Line3>(), access<FwdModem2Line4>(),
    access<FwdNmsLine2>(),    access<FwdNmsLine3>(),    access<FwdNmsLine4>(),
    access<FwdNmsModem1>(),   access<FwdNmsModem2>(),   access<SeparateUserPorts>()};

// The five ports that have per-port bits; port_nms and stray values have none.
bool hasPortBit(tPortik p)
{
    return unsigned(p) <= unsigned(port_modem2);
}

// A value passed as a signed byte, as the field's bits see it (-1 sets every bit).
unsigned asByte(char v)
{
    return static_cast<unsigned char>(v);
}

// One port's bit of a per-port field; a port without one reads 0 and writes
// nothing.
unsigned char readPortBit(const FieldAccess (&field)[5], const std::uint8_t* cfg, tPortik p)
{
    return hasPortBit(p) ? (unsigned char)field[p].get(cfg) : 0;
}

void writePortBit(const FieldAccess (&field)[5], std::uint8_t* cfg, tPortik p, char v)
{
    if (hasPortBit(p))
        field[p].set(cfg, asByte(v));
}


unsigned readTwelveBits(const std::uint8_t* pair, bool second)
{
    if (!second)
        return PairFirstLow::get(pair) | (PairFirstHigh::get(pair) << 8);
    return PairSecondLow::get(pair) | (PairSecondHigh::get(pair) << 4);
}

void writeTwelveBits(std::uint8_t* pair, bool second, unsigned value)
{
    value &= 0xFFF;
    if (!second) {
        PairFirstLow::set(pair, value);
        PairFirstHigh::set(pair, value >> 8);
    } else {
        PairSecondLow::set(pair, value);
        PairSecondHigh::set(pair, value >> 4);
    }
}

constexpr std::array<unsigned char, kVlanConfigSize> makeDefaultImage()
{
    std::array<unsigned char, kVlanConfigSize> image{};
    const unsigned char head[] = {
        0x00, 0x00, 0x00, 0xFB, 0xAB,                         // flags, modes, forwarding
        0x01, 0x10, 0x00, 0x01, 0x10, 0x00, 0x01, 0x10, 0x00, // Default VID 1 on all ports
        0x01, 0x00,                                           // one static VLAN entry
        // Entry 0: VID 1; LINE 3 untagged, Modem 1 tagged, NMS member; LINE 2,
        // LINE 4 and Modem 2 not members.
        0x01, 0x70, 0x7B,
    };
    for (std::size_t i = 0; i < sizeof head; ++i)
        image[i] = head[i];
    return image;
}

// Slots 1 to 21 of the default image are zero.
constexpr std::array<unsigned char, kVlanConfigSize> kDefaultImage = makeDefaultImage();

} // namespace

// ---- Whole array ------------------------------------------------------------

const std::array<unsigned char, kVlanConfigSize>& VlanConfigArray::defaultImage()
{
    return kDefaultImage;
}

bool VlanConfigArray::isBlank(const unsigned char* cfg)
{
    return std::count(cfg, cfg + kVlanConfigSize, 0xFF) >= kVlanBlankThreshold;
}

bool VlanConfigArray::applyBlankRule()
{
    if (!isBlank(m_cfg))
        return false;
    writeDefaultImage();
    return true;
}

void VlanConfigArray::writeDefaultImage()
{
    std::copy(kDefaultImage.begin(), kDefaultImage.end(), m_cfg);
}

// ---- Byte 0 -------------------------------------------------------------------

void VlanConfigArray::set_cfg_pole_version(unsigned char v)
{
    CfgPoleVersion::set(m_cfg, v);
}

bool VlanConfigArray::disableLearning() const
{
    return DisableLearning::get(m_cfg) != 0;
}

bool VlanConfigArray::bpduPriorityOverride() const
{
    return BpduPriorityOverride::get(m_cfg) != 0;
}

bool VlanConfigArray::lacpPriorityOverride() const
{
    return LacpPriorityOverride::get(m_cfg) != 0;
}

void VlanConfigArray::setMiscFlags(bool disableLearning, bool bpduOverride, bool lacpOverride)
{
    DisableLearning::set(m_cfg, disableLearning);
    BpduPriorityOverride::set(m_cfg, bpduOverride);
    LacpPriorityOverride::set(m_cfg, lacpOverride);
}

// ---- Per-port bits and modes --------------------------------------------------

unsigned char VlanConfigArray::get_ingress_policy(tPortik p) const
{
    return readPortBit(kIngress, m_cfg, p);
}

void VlanConfigArray::set_ingress_policy(tPortik p, char v)
{
    writePortBit(kIngress, m_cfg, p, v);
}

unsigned char VlanConfigArray::get_remove_1PT() const
{
    return (unsigned char)Remove1PT::get(m_cfg);
}

void VlanConfigArray::set_remove_1PT(char v)
{
    Remove1PT::set(m_cfg, asByte(v));
}

unsigned char VlanConfigArray::get_vlan_mode() const
{
    return (unsigned char)VlanModeField::get(m_cfg);
}

void VlanConfigArray::set_vlan_mode(char v)
{
    VlanModeField::set(m_cfg, asByte(v));
}

unsigned char VlanConfigArray::get_force_DefVID(tPortik p) const
{
    return readPortBit(kForce, m_cfg, p);
}

void VlanConfigArray::set_force_DefVID(tPortik p, char v)
{
    writePortBit(kForce, m_cfg, p, v);
}

unsigned char VlanConfigArray::get_doubleTag_mode(tPortik p) const
{
    return readPortBit(kDoubleTag, m_cfg, p);
}

void VlanConfigArray::set_doubleTag_mode(tPortik p, char v)
{
    writePortBit(kDoubleTag, m_cfg, p, v);
}

unsigned char VlanConfigArray::get_provEth_type() const
{
    return (unsigned char)ProvEthType::get(m_cfg);
}

void VlanConfigArray::set_provEth_type(char v)
{
    ProvEthType::set(m_cfg, asByte(v));
}

// ---- Default VIDs ---------------------------------------------------------------

unsigned short VlanConfigArray::get_Default_VID(tPortik p) const
{
    if (unsigned(p) > unsigned(port_nms))
        return 0;
    const std::uint8_t* pair = m_cfg + kFirstDefaultVidByte + 3 * (p / 2);
    return (unsigned short)readTwelveBits(pair, p % 2 != 0);
}

void VlanConfigArray::set_Default_VID(tPortik p, unsigned short vid)
{
    if (unsigned(p) > unsigned(port_nms))
        return;
    std::uint8_t* pair = m_cfg + kFirstDefaultVidByte + 3 * (p / 2);
    writeTwelveBits(pair, p % 2 != 0, vid);
}

// ---- Entry count ------------------------------------------------------------------

unsigned short VlanConfigArray::get_pocet_vlan() const
{
    return (unsigned short)PocetVlanLow::get(m_cfg);
}

void VlanConfigArray::set_pocet_vlan(unsigned short n)
{
    PocetVlanLow::set(m_cfg, n & 0xFF);
    PocetVlanHigh::set(m_cfg, n >> 8);
}

unsigned short VlanConfigArray::storedEntryCount() const
{
    return std::min<unsigned short>(get_pocet_vlan(), kMaxStaticVlans);
}

// ---- Port forwarding ----------------------------------------------------------------

PortForwarding VlanConfigArray::portForwarding() const
{
    PortForwarding boxes{};
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        boxes[i] = kForwarding[i].get(m_cfg) != 0;
    return boxes;
}

void VlanConfigArray::setPortForwarding(const PortForwarding& boxes)
{
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        kForwarding[i].set(m_cfg, boxes[i] ? 1u : 0u);
}

// ---- Static VLAN slots -----------------------------------------------------------------

StaticVlanEntry VlanConfigArray::readSlot(int slot) const
{
    StaticVlanEntry entry;
    if (slot < 0 || slot >= kMaxStaticVlans)
        return entry;
    const std::uint8_t* s = m_cfg + kFirstSlotByte + kSlotSize * slot;
    entry.vid = (unsigned short)readTwelveBits(s, false);
    entry.codes[port_line2] = (unsigned char)SlotLine2::get(s);
    entry.codes[port_line3] = (unsigned char)SlotLine3::get(s);
    entry.codes[port_line4] = (unsigned char)SlotLine4::get(s);
    entry.codes[port_modem1] = (unsigned char)SlotModem1::get(s);
    entry.codes[port_modem2] = (unsigned char)SlotModem2::get(s);
    // NMS is either not a member or an untagged member.
    entry.codes[port_nms] = SlotNms::get(s) == not_a_member ? not_a_member : untagged_member;
    return entry;
}

void VlanConfigArray::writeSlot(int slot, const StaticVlanEntry& entry)
{
    if (slot < 0 || slot >= kMaxStaticVlans)
        return;
    std::uint8_t* s = m_cfg + kFirstSlotByte + kSlotSize * slot;
    writeTwelveBits(s, false, entry.vid);
    SlotLine2::set(s, entry.codes[port_line2]);
    SlotLine3::set(s, entry.codes[port_line3]);
    SlotLine4::set(s, entry.codes[port_line4]);
    SlotModem1::set(s, entry.codes[port_modem1]);
    SlotModem2::set(s, entry.codes[port_modem2]);
    SlotNms::set(s, entry.codes[port_nms]);
}
