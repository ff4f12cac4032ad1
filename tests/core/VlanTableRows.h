// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/StaticVlanTable.h"

#include <array>
#include <initializer_list>

// Static VLAN tables written as rows in the tests.
namespace vlan_rows {

constexpr short U = unmodified_member;
constexpr short T1 = untagged_member;
constexpr short T2 = tagged_member;
constexpr short N = not_a_member;

// One entry: {VID, codes of LINE 2 .. NMS, delete mark}.
struct Row
{
    short vid;
    std::array<short, 6> codes;
    short mark = 0;
};

inline VlanPole table(std::initializer_list<Row> rows)
{
    VlanPole pole = makeVlanPole(int(rows.size()));
    int i = 0;
    for (const Row& r : rows) {
        pole[vp_vid][i] = r.vid;
        for (int c = 0; c < 6; ++c)
            pole[vp_line2 + c][i] = r.codes[c];
        pole[vp_mark][i] = r.mark;
        ++i;
    }
    return pole;
}

} // namespace vlan_rows
