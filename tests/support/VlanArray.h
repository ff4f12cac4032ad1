// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/VlanConfig.h"

#include <array>
#include <initializer_list>

// A VLAN array built from the default image, with changes made through the
// accessors.
struct VlanArray
{
    std::array<unsigned char, kVlanConfigSize> bytes{};

    VlanArray() { bytes = VlanConfigArray::defaultImage(); }
    VlanConfigArray cfg() { return VlanConfigArray(bytes.data()); }
    unsigned char* data() { return bytes.data(); }

    // Replaces the static VLAN entries.
    VlanArray& entries(std::initializer_list<StaticVlanEntry> list)
    {
        VlanConfigArray c = cfg();
        int slot = 0;
        for (const StaticVlanEntry& e : list)
            c.writeSlot(slot++, e);
        c.set_pocet_vlan(static_cast<unsigned short>(list.size()));
        return *this;
    }
    VlanArray& mode(int m)
    {
        cfg().set_vlan_mode(char(m));
        return *this;
    }
};

// An entry: VID and the six codes LINE 2, LINE 3, LINE 4, Modem 1, Modem 2, NMS.
inline StaticVlanEntry entry(unsigned short vid, std::array<unsigned char, 6> codes)
{
    StaticVlanEntry e;
    e.vid = vid;
    e.codes = codes;
    return e;
}
