// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/StaticVlanTable.h"

// The messages that the VLAN dialog's own handlers show (the messages of
// "&Set" are those of VlanCommit.h): key in section "VLAN" and English text.
inline constexpr VlanText kVidExistsText{"vid_exists", "VLAN ID already exists."};
inline constexpr VlanText kNoMoreEntriesText{"no_more_22", "No more than 22 entries possible!"};
inline constexpr VlanText kProceedChangesText{
    "proceed_changes", "All changes you have made will be lost.\n\rDo you want to proceed?"};
