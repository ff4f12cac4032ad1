#include "core/VlanConfig.h"

#include "core/BitField.h"

#include <algorithm>
#include <cstdint>

namespace {

// ---- The fields, each declared once ------------------------------------------

// Byte 0: version, switch-wide flags, two reserved bits (3 and 7).
using CfgPoleVersion = BitField<0, 0, 3>;
using DisableLearning = BitField<0, 4, 1>;
using BpduPriorityOverride = BitField<0, 5, 1>;
using LacpPriorityOverride = BitField<0, 6, 1>;

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
                       LacpPriorityOverride>() == 0x77,
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

// Default VIDs: port p is value p % 2 of the pair starting at byte 5 + 3 * (p / 2).
constexpr int kFirstDefaultVidByte = 5;

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
