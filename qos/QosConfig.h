#pragma once

#include "plugin/BitField.h"
#include "plugin/OduSwitchExport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The 40-byte QoS configuration array of a unit's Ethernet switch, worked on
// in place in the host's memory. No widget code lives here: the QoS dialog,
// the demo host's decoded view and the tests all go through this module.

constexpr int kQosConfigSize = 40;
// An array with at least this many bytes of 0xFF was never configured.
constexpr int kQosBlankThreshold = 36;

// The three user ports, in the order of the dialog's group boxes.
enum QosPort : unsigned char {
    qos_line2 = 0,
    qos_line3 = 1,
    qos_line4 = 2,
};
constexpr int kQosPortCount = 3;

// The three one-bit switches of byte 38.
enum QosSwitch : unsigned char {
    ch1_scheduling = 0,   // 0 weighted round robin, 1 strict
    ch2_scheduling = 1,   // 0 weighted round robin, 1 strict
    qos_main_switch = 2,  // 0 disabled, 1 enabled
};

// Priority resolution modes (a 3-bit field; 5 to 7 name no mode).
constexpr int kResolutionModeCount = 5;
inline constexpr std::array<std::string_view, kResolutionModeCount> kResolutionModeNames = {
    "Port's", "VLAN Tag", "DSCP", "VLAN & DSCP", "DSCP & VLAN",
};

constexpr int kRemapEntries = 8;      // tag priorities 0..7 per user port
constexpr int kVlanQueueEntries = 8;  // 802.1Q priorities 0..7
constexpr int kDscpQueueEntries = 64; // DSCP values 0..63
constexpr int kDscpHalfEntries = 32;  // one 64-bit word of the DSCP table
constexpr int kQueueCount = 4;        // priority queues 0..3
constexpr int kQueueWeightSum = 128;  // the largest accepted sum of the weights

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

// A view of a host's array: every read goes to the host's bytes at the time of
// the call and every write changes them at once. The writes are the seven
// groups in which the dialog stores its fields; in each, an entry given as
// std::nullopt was rejected and keeps its stored value.
class ODU_SWITCH_EXPORT QosConfigArray
{
public:
    explicit QosConfigArray(unsigned char* cfgPole = nullptr) : m_cfg(cfgPole) {}

    unsigned char* data() const { return m_cfg; }

    // The QoS default image, 40 bytes.
    static const std::array<unsigned char, kQosConfigSize>& defaultImage();
    // 36 or more of the 40 bytes equal 0xFF.
    static bool isBlank(const unsigned char* cfg);
    // Replaces a blank array by the default image; true when it did.
    bool applyBlankRule();
    // Writes the default image over all 40 bytes.
    void inic_na_vychozi_cfg();

    // Field reads.
    unsigned portPriority(QosPort port) const;
    unsigned priorityResolution(QosPort port) const; // 0..7; 5..7 name no mode
    unsigned remapEntry(QosPort port, int tagPriority) const;
    unsigned vlanQueue(int priority) const;          // 802.1Q priority 0..7
    unsigned dscpQueue(int dscp) const;              // DSCP 0..63
    unsigned queueWeight(int queue) const;           // queue 0..3
    bool switchBit(QosSwitch which) const;

    // 1. Port priorities: bytes 0 and 1 rebuilt from the three priorities
    //    (bits 6-7 of byte 0 and 3-7 of byte 1 become 0). Accepted: 0..7.
    void writePortPriorities(const std::array<std::optional<unsigned>, kQosPortCount>& priorities);
    // 2. Priority resolution of one port: its three bits only. Accepted: 0..4;
    //    nullopt (no mode chosen) changes nothing.
    void writePriorityResolution(QosPort port, std::optional<unsigned> mode);
    // 3. One tag priority remapping table, all eight entries together; bits 3
    //    and 7 of each byte stay. Accepted: 0..7.
    void writeRemapTable(QosPort port, const std::array<std::optional<unsigned>, kRemapEntries>& entries);
    // 4. The 802.1Q priority to queue table. Accepted: 0..3.
    void writeVlanQueueMap(const std::array<std::optional<unsigned>, kVlanQueueEntries>& queues);
    // 5. One half of the DSCP to queue table: half 0 is DSCP 0..31 (bytes
    //    18-25), half 1 is DSCP 32..63 (bytes 26-33). Accepted: 0..3.
    void writeDscpQueueMapHalf(int half, const std::array<std::optional<unsigned>, kDscpHalfEntries>& queues);
    // 6. The four queue weights, all or none: false (and nothing written)
    //    unless weightsAcceptable().
    bool writeQueueWeights(const std::array<long long, kQueueCount>& weights);
    // 7. One switch bit; the other two stay and bits 3-7 of byte 38 become 0.
    void writeSwitch(QosSwitch which, bool on);

    // Weights are stored only as a set in which every weight is at least 1
    // and the sum is at most 128.
    static bool weightsAcceptable(const std::array<long long, kQueueCount>& weights);

private:
    unsigned char* m_cfg;
};
