// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/VlanConfig.h"

#include <array>

class TIniFile;

// A VLAN array with 22 entries in Single Tag mode that Set accepts: entry 0
// (VID 1) is the NMS VLAN with every LINE port a member, every Default VID is
// 1, NMS reaches the unit through LINE 3.
std::array<unsigned char, kVlanConfigSize> acceptedFullVlanTable();

// Opens and closes each dialog `cycles` times, alternating between the two
// catalogues, with every kind of modal window on the way: QoS reset
// (confirmed), a zero weight (error box), Ok, self-deletion; VLAN Default
// (confirmed), a new entry through the VID entry dialog, an accepted Set,
// destruction by the host. Run under LeakSanitizer, anything the dialogs
// fail to free shows. Returns the number of cycles that went wrong.
int runOpenCloseCycles(int cycles, TIniFile* catalogueA, TIniFile* catalogueB);
