// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/UnitState.h"

#include "core/VlanConfig.h"

#include <algorithm>

QString arrayName(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? QStringLiteral("QoS") : QStringLiteral("VLAN");
}

void presetVlan(Unit& unit, int mode, bool sampleTable)
{
    if (mode < 0 && !sampleTable)
        return;
    VlanConfigArray cfg(reinterpret_cast<unsigned char*>(unit.vlan.data()));
    cfg.applyBlankRule();
    if (mode >= 0)
        cfg.set_vlan_mode(char(mode));
    if (!sampleTable)
        return;
    int count = cfg.storedEntryCount();
    for (const SampleVlan& sample : kSampleVlans) {
        bool taken = false;
        for (int slot = 0; slot < count; ++slot)
            taken = taken || cfg.readSlot(slot).vid == sample.vid;
        if (taken || count >= kMaxStaticVlans)
            continue;
        StaticVlanEntry entry;
        entry.vid = sample.vid;
        std::copy(std::begin(sample.codes), std::end(sample.codes), entry.codes.begin());
        cfg.writeSlot(count++, entry);
    }
    cfg.set_pocet_vlan((unsigned short)count);
    cfg.set_Default_VID(port_line2, kSampleVlans[0].vid);
    cfg.set_Default_VID(port_line3, kSampleVlans[1].vid);
}
