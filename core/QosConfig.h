// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"
#include "core/UnitConstants.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

/// \file
/// The 40-byte QoS configuration array of a unit's Ethernet switch, worked on
/// in place in the host's memory. No widget code lives here: the QoS dialog,
/// the demo host's decoded view and the tests all go through this module.
/// It keeps no state of its own: views of different arrays may be used on
/// different threads at once, while one array is read and written by one
/// thread at a time, as any memory is.

/// The QoS configuration array's size in bytes.
constexpr int kQosConfigSize = 40;

/// The three user ports, in the order of the dialog's group boxes.
enum QosPort : unsigned char {
    qos_line2 = 0,
    qos_line3 = 1,
    qos_line4 = 2,
};
constexpr int kQosPortCount = 3; ///< the number of QosPort values

/// The three one-bit switches of byte 38.
enum QosSwitch : unsigned char {
    ch1_scheduling = 0,   ///< 0 weighted round robin, 1 strict
    ch2_scheduling = 1,   ///< 0 weighted round robin, 1 strict
    qos_main_switch = 2,  ///< 0 disabled, 1 enabled
};

/// Priority resolution modes (a 3-bit field; 5 to 7 name no mode).
constexpr int kResolutionModeCount = 5;
/// The English names of the priority resolution modes 0..4.
inline constexpr std::array<std::string_view, kResolutionModeCount> kResolutionModeNames = {
    "Port's", "VLAN Tag", "DSCP", "VLAN & DSCP", "DSCP & VLAN",
};

constexpr int kRemapEntries = 8;      ///< tag priorities 0..7 per user port
constexpr int kVlanQueueEntries = 8;  ///< 802.1Q priorities 0..7
constexpr int kDscpQueueEntries = 64; ///< DSCP values 0..63
constexpr int kDscpHalfEntries = 32;  ///< one 64-bit word of the DSCP table
constexpr int kQueueCount = 4;        ///< priority queues 0..3
constexpr int kQueueWeightSum = 128;  ///< the largest accepted sum of the weights
/// What the QoS dialog says of weights it does not accept (in English only:
/// the dialog looks it up in no catalogue).
inline constexpr char kQosWeightsMessage[] =
    "Either zero weight have been typed,\n\ror sum of weights is bigger than 128!";

/// A view of a host's array: every read goes to the host's bytes at the time of
/// the call and every write changes them at once. The writes are the seven
/// groups in which the dialog stores its fields; in each, an entry given as
/// std::nullopt was rejected and keeps its stored value.
class ODU_SWITCH_CORE_EXPORT QosConfigArray
{
public:
    /// A view of the 40 bytes at \p cfgPole, which the caller owns and keeps
    /// alive while the view is used; the view copies nothing. Null makes a
    /// view that must not be read or written.
    explicit QosConfigArray(unsigned char* cfgPole = nullptr) : m_cfg(cfgPole) {}

    /// The host's bytes the view works on.
    unsigned char* data() const { return m_cfg; }

    /// The QoS default image, 40 bytes.
    static const std::array<unsigned char, kQosConfigSize>& defaultImage();
    /// 36 or more of the 40 bytes equal 0xFF.
    static bool isBlank(const unsigned char* cfg);
    /// Replaces a blank array by the default image; true when it did.
    bool applyBlankRule();
    /// Writes the default image over all 40 bytes.
    void inic_na_vychozi_cfg();

    /// The port priority (0..7) of a user port.
    unsigned portPriority(QosPort port) const;
    unsigned priorityResolution(QosPort port) const; ///< 0..7; 5..7 name no mode
    /// What tag priority \p tagPriority (0..7) of a user port is remapped to.
    unsigned remapEntry(QosPort port, int tagPriority) const;
    unsigned vlanQueue(int priority) const;          ///< 802.1Q priority 0..7
    unsigned dscpQueue(int dscp) const;              ///< DSCP 0..63
    unsigned queueWeight(int queue) const;           ///< queue 0..3
    /// One of the three switch bits of byte 38.
    bool switchBit(QosSwitch which) const;

    /// Write 1 of 7: port priorities: bytes 0 and 1 rebuilt from the three priorities
    /// (bits 6-7 of byte 0 and 3-7 of byte 1 become 0). Accepted: 0..7.
    void writePortPriorities(const std::array<std::optional<unsigned>, kQosPortCount>& priorities);
    /// Write 2 of 7: priority resolution of one port: its three bits only. Accepted: 0..4;
    /// nullopt (no mode chosen) changes nothing.
    void writePriorityResolution(QosPort port, std::optional<unsigned> mode);
    /// Write 3 of 7: one tag priority remapping table, all eight entries together; bits 3
    /// and 7 of each byte stay. Accepted: 0..7.
    void writeRemapTable(QosPort port, const std::array<std::optional<unsigned>, kRemapEntries>& entries);
    /// Write 4 of 7: the 802.1Q priority to queue table. Accepted: 0..3.
    void writeVlanQueueMap(const std::array<std::optional<unsigned>, kVlanQueueEntries>& queues);
    /// Write 5 of 7: one half of the DSCP to queue table: half 0 is DSCP 0..31 (bytes
    /// 18-25), half 1 is DSCP 32..63 (bytes 26-33). Accepted: 0..3.
    void writeDscpQueueMapHalf(int half, const std::array<std::optional<unsigned>, kDscpHalfEntries>& queues);
    /// Write 6 of 7: the four queue weights, all or none: false (and nothing written)
    /// unless weightsAcceptable().
    bool writeQueueWeights(const std::array<long long, kQueueCount>& weights);
    /// Write 7 of 7: one switch bit; the other two stay and bits 3-7 of byte 38 become 0.
    void writeSwitch(QosSwitch which, bool on);

    /// Weights are stored only as a set in which every weight is at least 1
    /// and the sum is at most 128.
    static bool weightsAcceptable(const std::array<long long, kQueueCount>& weights);

private:
    unsigned char* m_cfg;
};
