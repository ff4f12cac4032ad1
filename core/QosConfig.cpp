// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/QosConfig.h"
#include "core/QosLayout.h"

#include <algorithm>
#include <numeric>

using namespace QosLayout;

namespace {

// Runs fn with the field (or table) of one user port.
template <typename Line2, typename Line3, typename Line4, typename Fn>
decltype(auto) forPort(QosPort port, Fn&& fn)
{
    switch (port) {
    case qos_line3:
        return fn(Line3{});
    case qos_line4:
        return fn(Line4{});
    case qos_line2:
    default:
        return fn(Line2{});
    }
}

template <typename Fn>
decltype(auto) forSwitch(QosSwitch which, Fn&& fn)
{
    switch (which) {
    case ch2_scheduling:
        return fn(Ch2Scheduling{});
    case qos_main_switch:
        return fn(QosMainSwitch{});
    case ch1_scheduling:
    default:
        return fn(Ch1Scheduling{});
    }
}

bool validPort(QosPort port)
{
    return port == qos_line2 || port == qos_line3 || port == qos_line4;
}

bool validSwitch(QosSwitch which)
{
    return which == ch1_scheduling || which == ch2_scheduling || which == qos_main_switch;
}

// An entry's new value if it was accepted and lies below limit.
std::optional<unsigned> acceptedBelow(std::optional<unsigned> value, unsigned limit)
{
    if (value && *value < limit)
        return value;
    return std::nullopt;
}

} // namespace

const std::array<unsigned char, kQosConfigSize>& QosConfigArray::defaultImage()
{
    static constexpr std::array<unsigned char, kQosConfigSize> image = {
        0x00, 0x00,                                     // port priorities 0, 0, 0
        0x1B, 0x03,                                     // resolution "VLAN & DSCP" for each port
        0x10, 0x32, 0x54, 0x76,                         // LINE 2 remapping: identity
        0x10, 0x32, 0x54, 0x76,                         // LINE 3 remapping: identity
        0x10, 0x32, 0x54, 0x76,                         // LINE 4 remapping: identity
        0x50, 0xFA,                                     // priorities 0,1 -> 0 ... 6,7 -> 3
        0x00, 0x00, 0x00, 0x00, 0x55, 0x55, 0x55, 0x55, // DSCP 0-15 -> 0, 16-31 -> 1
        0xAA, 0xAA, 0xAA, 0xAA, 0xFF, 0xFF, 0xFF, 0xFF, // DSCP 32-47 -> 2, 48-63 -> 3
        0x01, 0x02, 0x04, 0x08,                         // queue weights
        0x00,                                           // round robin, round robin, QoS off
        0x00,                                           // reserved
    };
    return image;
}

bool QosConfigArray::isBlank(const unsigned char* cfg)
{
    return std::count(cfg, cfg + kQosConfigSize, 0xFF) >= kQosBlankThreshold;
}

bool QosConfigArray::applyBlankRule()
{
    if (!isBlank(m_cfg))
        return false;
    inic_na_vychozi_cfg();
    return true;
}

void QosConfigArray::inic_na_vychozi_cfg()
{
    std::copy(defaultImage().begin(), defaultImage().end(), m_cfg);
}

unsigned QosConfigArray::portPriority(QosPort port) const
{
    if (!validPort(port))
        return 0;
    return forPort<PortPriorityLine2, PortPriorityLine3, PortPriorityLine4>(
        port, [&](auto field) { return field.get(m_cfg); });
}

unsigned QosConfigArray::priorityResolution(QosPort port) const
{
    if (!validPort(port))
        return 0;
    return forPort<ResolutionLine2, ResolutionLine3, ResolutionLine4>(
        port, [&](auto field) { return field.get(m_cfg); });
}

unsigned QosConfigArray::remapEntry(QosPort port, int tagPriority) const
{
    if (!validPort(port) || tagPriority < 0 || tagPriority >= kRemapEntries)
        return 0;
    return forPort<VlanRemapLine2, VlanRemapLine3, VlanRemapLine4>(
        port, [&](auto table) { return table.get(m_cfg, unsigned(tagPriority)); });
}

unsigned QosConfigArray::vlanQueue(int priority) const
{
    if (priority < 0 || priority >= kVlanQueueEntries)
        return 0;
    return VlanQueueMapp::get(m_cfg, unsigned(priority));
}

unsigned QosConfigArray::dscpQueue(int dscp) const
{
    if (dscp < 0 || dscp >= kDscpQueueEntries)
        return 0;
    if (dscp < kDscpHalfEntries)
        return DscpQueueMappLow::get(m_cfg, unsigned(dscp));
    return DscpQueueMappHigh::get(m_cfg, unsigned(dscp - kDscpHalfEntries));
}

unsigned QosConfigArray::queueWeight(int queue) const
{
    switch (queue) {
    case 0: return QueueWeight0::get(m_cfg);
    case 1: return QueueWeight1::get(m_cfg);
    case 2: return QueueWeight2::get(m_cfg);
    case 3: return QueueWeight3::get(m_cfg);
    default: return 0;
    }
}

bool QosConfigArray::switchBit(QosSwitch which) const
{
    if (!validSwitch(which))
        return false;
    return forSwitch(which, [&](auto field) { return field.get(m_cfg) != 0; });
}

void QosConfigArray::writePortPriorities(const std::array<std::optional<unsigned>, kQosPortCount>& priorities)
{
    constexpr unsigned limit = 1u << PortPriorityLine2::width;
    const unsigned line2 = acceptedBelow(priorities[qos_line2], limit).value_or(PortPriorityLine2::get(m_cfg));
    const unsigned line3 = acceptedBelow(priorities[qos_line3], limit).value_or(PortPriorityLine3::get(m_cfg));
    const unsigned line4 = acceptedBelow(priorities[qos_line4], limit).value_or(PortPriorityLine4::get(m_cfg));

    // Both bytes are rebuilt from zero, which clears their reserved bits.
    std::uint8_t rebuilt[2] = {};
    PortPriorityLine2::set(rebuilt, line2);
    PortPriorityLine3::set(rebuilt, line3);
    PortPriorityLine4::set(rebuilt, line4);
    m_cfg[PortPriorityLine2::byte] = rebuilt[PortPriorityLine2::byte];
    m_cfg[PortPriorityLine4::byte] = rebuilt[PortPriorityLine4::byte];
}

void QosConfigArray::writePriorityResolution(QosPort port, std::optional<unsigned> mode)
{
    if (!validPort(port) || !acceptedBelow(mode, kResolutionModeCount))
        return;
    forPort<ResolutionLine2, ResolutionLine3, ResolutionLine4>(
        port, [&](auto field) { field.set(m_cfg, *mode); });
}

void QosConfigArray::writeRemapTable(QosPort port, const std::array<std::optional<unsigned>, kRemapEntries>& entries)
{
    if (!validPort(port))
        return;
    forPort<VlanRemapLine2, VlanRemapLine3, VlanRemapLine4>(
        port, [&](auto table) { table.write(m_cfg, entries); });
}

void QosConfigArray::writeVlanQueueMap(const std::array<std::optional<unsigned>, kVlanQueueEntries>& queues)
{
    VlanQueueMapp::write(m_cfg, queues);
}

void QosConfigArray::writeDscpQueueMapHalf(int half, const std::array<std::optional<unsigned>, kDscpHalfEntries>& queues)
{
    if (half == 0)
        DscpQueueMappLow::write(m_cfg, queues);
    else if (half == 1)
        DscpQueueMappHigh::write(m_cfg, queues);
}

bool QosConfigArray::weightsAcceptable(const std::array<long long, kQueueCount>& weights)
{
    // Each weight is at least 1, so no single one can push the sum past the
    // limit by wrapping round.
    if (std::any_of(weights.begin(), weights.end(), [](long long w) { return w < 1 || w > kQueueWeightSum; }))
        return false;
    return std::accumulate(weights.begin(), weights.end(), 0LL) <= kQueueWeightSum;
}

bool QosConfigArray::writeQueueWeights(const std::array<long long, kQueueCount>& weights)
{
    if (!weightsAcceptable(weights))
        return false;
    QueueWeight0::set(m_cfg, unsigned(weights[0]));
    QueueWeight1::set(m_cfg, unsigned(weights[1]));
    QueueWeight2::set(m_cfg, unsigned(weights[2]));
    QueueWeight3::set(m_cfg, unsigned(weights[3]));
    return true;
}

void QosConfigArray::writeSwitch(QosSwitch which, bool on)
{
    if (!validSwitch(which))
        return;
    forSwitch(which, [&](auto field) { field.set(m_cfg, on ? 1u : 0u); });
    ReservedByte38::set(m_cfg, 0);
}
